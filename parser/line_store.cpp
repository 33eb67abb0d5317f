#include "parser/line_store.h"

#include <algorithm>
#include <cstdint>

#include "model/byte_scan.h"
#include "parser/normalizer.h"

namespace {

// The first space at or after `from`, or the end of the line. Statements
// are long runs of words: eight bytes are looked at at a time.
size_t NextSpace(std::string_view line, size_t from) {
  for (; from + 8 <= line.size(); from += 8) {
    const uint64_t hits =
        BytesEqual(WordAt(line.data() + from), EveryByte(' '));
    if (hits != 0)
      return from + FirstMarkedByte(hits);
  }
  while (from < line.size() && line[from] != ' ')
    ++from;
  return from;
}

}  // namespace

LineStore::LineStore(TextList lines) : lines_(std::move(lines)) {
  int n = static_cast<int>(lines_.size());
  next_.resize(n);
  prev_.resize(n);
  for (int i = 0; i < n; ++i) {
    next_[i] = i + 1 < n ? i + 1 : -1;
    prev_[i] = i - 1;
  }
  first_ = n > 0 ? 0 : -1;
  IndexBraces();
}

std::string LineStore::Take(int i) {
  if (BraceStep(i) != 0)
    MarkBraceTaken(i);
  std::string text = std::move(lines_[i]);
  lines_[i].clear();
  taken_.push_back(i);
  return text;
}

void LineStore::Compact() {
  for (int i : taken_) {
    if (!lines_[i].empty())
      continue;
    int p = prev_[i], n = next_[i];
    if (p >= 0)
      next_[p] = n;
    else
      first_ = n;
    if (n >= 0)
      prev_[n] = p;
    next_[i] = prev_[i] = -1;
  }
  taken_.clear();
}

TextList LineStore::Release() {
  // Lines are only ever unlinked, never moved, so the live ones come in
  // index order and are gathered to the front of the list itself: a second
  // list beside a multi-megabyte one would raise the parse's peak.
  TextList out = std::move(lines_);
  size_t kept = 0;
  for (int i = first_; i >= 0; i = next_[i]) {
    if (out[i].empty())
      continue;
    if (static_cast<size_t>(i) != kept)
      out[kept] = std::move(out[i]);
    ++kept;
  }
  out.resize(kept);
  ReleaseUnusedRoom(&out);
  *this = LineStore(TextList());
  return out;
}

namespace {

// The key under which a name's head candidates are indexed.
std::string_view HeadKey(std::string_view name) {
  if (name.empty() || !IsIdentChar(name[0]))
    return name.substr(0, 1);
  size_t k = 0;
  while (k < name.size() && IsIdentChar(name[k]))
    ++k;
  return name.substr(0, k);
}

}  // namespace

void LineStore::AddHeadName(const std::string& name) {
  std::string_view key = HeadKey(name);
  if (key.empty())
    return;
  if (headNameTable_.FindOrAdd(name, static_cast<int>(headNames_.size()),
                                TextAt{headNames_}) < 0) {
    headNames_.push_back(name);
    headLines_.emplace_back();
  }
  int k = headKeyTable_.FindOrAdd(key, static_cast<int>(headKeys_.size()),
                                  TextAt{headKeys_});
  if (k < 0) {
    k = static_cast<int>(headKeys_.size());
    headKeys_.emplace_back(key);
    keyLengths_.emplace_back();
  }
  std::vector<size_t>& lengths = keyLengths_[k];
  if (std::find(lengths.begin(), lengths.end(), name.size()) == lengths.end())
    lengths.push_back(name.size());
}

void LineStore::IndexHeads(const std::vector<std::string>& names) {
  headNames_.clear();
  headNameTable_ = TextTable();
  headLines_.clear();
  headKeys_.clear();
  headKeyTable_ = TextTable();
  keyLengths_.clear();
  for (const auto& name : names)
    AddHeadName(name);
  if (headNames_.empty())
    return;
  // Most words of the text are no key: a word whose first byte or length
  // no key has is not looked up.
  bool firstBytes[256] = {};
  uint64_t lengths = 0;
  bool longKeys = false;
  for (const std::string& key : headKeys_) {
    firstBytes[static_cast<unsigned char>(key[0])] = true;
    if (key.size() < 64)
      lengths |= uint64_t{1} << key.size();
    else
      longKeys = true;
  }
  for (int i = first_; i >= 0; i = next_[i]) {
    const std::string_view line = lines_[i];
    // Every word after a space.
    for (size_t space = NextSpace(line, 0); space + 1 < line.size();
         space = NextSpace(line, space + 1)) {
      const size_t p = space + 1;
      if (!firstBytes[static_cast<unsigned char>(line[p])])
        continue;
      size_t end = p + 1;
      if (IsIdentChar(line[p]))
        while (end < line.size() && IsIdentChar(line[end]))
          ++end;
      const size_t length = end - p;
      if (length < 64 ? !(lengths >> length & 1) : !longKeys)
        continue;
      const int k = headKeyTable_.Find(line.substr(p, length),
                                       TextAt{headKeys_});
      if (k < 0)
        continue;
      for (size_t nameLength : keyLengths_[k]) {
        if (p + nameLength > line.size())
          continue;
        const int h = headNameTable_.Find(line.substr(p, nameLength),
                                          TextAt{headNames_});
        if (h >= 0 && (headLines_[h].empty() || headLines_[h].back() != i))
          headLines_[h].push_back(i);
      }
    }
  }
}

bool LineStore::IsHeadOf(int i, const std::string& name) const {
  const std::string& line = lines_[i];
  size_t p = line.find(name);
  if (p == std::string::npos || p == 0 || line[p - 1] != ' ')
    return false;
  size_t end = p + name.size();
  if (end < line.size() && IsIdentChar(line[end]))
    return false;
  int n = next_[i];
  return n >= 0 && lines_[n].find('{') != std::string::npos;
}

int LineStore::FindHead(const std::string& name) const {
  const int h = headNameTable_.Find(name, TextAt{headNames_});
  if (h < 0)
    return -1;
  for (int i : headLines_[h]) {
    bool live = prev_[i] >= 0 || first_ == i;
    if (live && IsHeadOf(i, name))
      return i;
  }
  return -1;
}

int LineStore::BraceStep(int i) const {
  const std::string& line = lines_[i];
  if (line.empty())
    return 0;
  return line[0] == '{' ? -1 : line[0] == '}' ? 1 : 0;
}

void LineStore::IndexBraces() {
  int n = static_cast<int>(lines_.size());
  bracePartner_.assign(n, -1);
  takenEver_.assign(n, false);
  halfTaken_.assign(n + 1, 0);
  std::vector<int> open;
  for (int i = 0; i < n; ++i) {
    int step = BraceStep(i);
    if (step < 0) {
      open.push_back(i);
    } else if (step > 0 && !open.empty()) {
      bracePartner_[open.back()] = i;
      bracePartner_[i] = open.back();
      open.pop_back();
    }
  }
}

void LineStore::MarkBraceTaken(int i) {
  takenEver_[i] = true;
  int partner = bracePartner_[i];
  if (partner < 0)
    return;
  if (takenEver_[partner])
    AddHalfTaken(partner, -1);  // the pair is gone as a whole
  else
    AddHalfTaken(i, 1);
}

void LineStore::AddHalfTaken(int i, int delta) {
  for (int k = i + 1; k < static_cast<int>(halfTaken_.size()); k += k & -k)
    halfTaken_[k] += delta;
}

int LineStore::HalfTakenBetween(int from, int to) const {
  auto prefix = [this](int i) {  // among lines 0..i-1
    int sum = 0;
    for (int k = i; k > 0; k -= k & -k)
      sum += halfTaken_[k];
    return sum;
  };
  return prefix(to + 1) - prefix(from);
}

int LineStore::SkipNested(int open) const {
  if (BraceStep(open) < 0) {
    int end = bracePartner_[open];
    int last = end >= 0 ? end : static_cast<int>(lines_.size()) - 1;
    if (HalfTakenBetween(open, last) == 0)
      return end;
  }
  int count = 0;
  for (int i = open; i >= 0; i = next_[i]) {
    count += BraceStep(i);
    if (count == 0)
      return i;
  }
  return -1;
}
