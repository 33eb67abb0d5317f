#include "html/help_index.h"

#include <algorithm>

const size_t kMaxKeywordBytes = 400;

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}

}  // namespace

void HelpIndex::Add(std::string keyword, Target target) {
  if (keyword.size() > kMaxKeywordBytes)
    keyword.resize(kMaxKeywordBytes);
  if (keyword.empty())
    return;
  auto [it, added] = byKeyword_.try_emplace(keyword, entries_.size());
  if (added)
    entries_.push_back(Entry{std::move(keyword), {}});
  std::vector<Target>& targets = entries_[it->second].targets;
  // Places come page by page, so a repeated place is the last one.
  if (targets.empty() || !(targets.back() == target))
    targets.push_back(std::move(target));
}

std::vector<const HelpIndex::Entry*> HelpIndex::Sorted() const {
  std::vector<const Entry*> sorted;
  sorted.reserve(entries_.size());
  for (const Entry& entry : entries_)
    sorted.push_back(&entry);
  std::sort(sorted.begin(), sorted.end(), [](const Entry* a, const Entry* b) {
    if (LessIgnoringCase(a->keyword, b->keyword))
      return true;
    if (LessIgnoringCase(b->keyword, a->keyword))
      return false;
    return a->keyword < b->keyword;
  });
  return sorted;
}
