#include "parser/signature.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "parser/line_prep.h"
#include "parser/normalizer.h"

const char kDefaultReturn[] = "int (DEFAULT)";

namespace {

// Walks left from `close` (a ")") to its "(": ")" adds one to `depth`, "("
// takes one off, and the walk stops where the depth is 0 after applying the
// character. Position 0 is never examined; 0 is returned when the walk
// does not find the opening parenthesis.
int MatchOpening(std::string_view s, int close, int* depth) {
  for (int p = close; p >= 1; --p) {
    if (s[p] == ')')
      ++*depth;
    else if (s[p] == '(')
      --*depth;
    if (*depth == 0)
      return p;
  }
  return 0;
}

bool IsBlank(std::string_view s) {
  for (char c : s)
    if (!IsWhite(c))
      return false;
  return true;
}

// True when `head` ends in the name "operator()".
bool IsCallOperator(std::string_view head) {
  if (!EndsWith(head, "operator()"))
    return false;
  size_t start = head.size() - 10;
  return start == 0 || !IsIdentChar(head[start - 1]);
}

}  // namespace

Signature SplitSignature(std::string_view line) {
  Signature sig;
  int depth = 0;
  int c = FindLast(line, ')');
  int j = c > 0 ? MatchOpening(line, c, &depth) : 0;
  sig.params = Mid(line, j + 1, c - j - 1);
  if (IsBlank(sig.params))
    sig.params = "void";
  std::string_view head = line.substr(0, static_cast<size_t>(j));
  while (!head.empty() && IsWhite(head.front()))
    head.remove_prefix(1);
  while (!head.empty() && IsWhite(head.back()))
    head.remove_suffix(1);
  int c2 = FindLast(head, ')');
  if (c2 >= 0 && IsCallOperator(head)) {
    // "operator()" names the function; its parentheses are no declarator.
    sig.name = "operator()";
    sig.ret = Left(head, static_cast<int>(head.size()) - 10);
    if (IsBlank(sig.ret))
      sig.ret = kDefaultReturn;
  } else if (c2 >= 0) {
    int j2 = c2 > 0 ? MatchOpening(head, c2, &depth) : 0;
    sig.name = Mid(head, j2 + 1, c2 - j2 - 1);
    sig.ret = Left(head, j2);
    if (sig.ret.empty())
      sig.ret = kDefaultReturn;
  } else {
    int s = FindLast(head, ' ');
    if (s < 0) {
      sig.name = head;
      sig.ret = kDefaultReturn;
    } else {
      sig.name = Mid(head, s);
      sig.ret = Left(head, s);
    }
  }
  Trim(&sig.name);
  Trim(&sig.ret);
  return sig;
}

std::string SplitFirstParameter(std::string_view t) {
  if (t.empty())
    return std::string();
  int len = static_cast<int>(t.size());
  int a = Find(t, ',');
  if (a < 0)
    return std::string(t);
  int b = Find(t, '(');
  int g = Find(t, '<');
  if (b < 0)
    b = len;
  if (g < 0)
    g = len;
  if (b > a && g > a)
    return Left(t, a);
  int p = b;
  int parens = 0, angles = 0;
  for (int k = std::min(b, g); k < len; ++k) {
    char ch = t[k];
    if (ch == '(') ++parens;
    else if (ch == ')') --parens;
    else if (ch == '<') ++angles;
    else if (ch == '>') --angles;
    if (parens == 0 && angles == 0 && k >= a - 1) {
      p = k;
      break;
    }
  }
  int r = Find(t, ',', p);
  return r < 0 ? std::string(t) : Left(t, r);
}

namespace {

// Splits a long parameter list one parameter after the other without
// copying the rest of the list each time. It gives exactly the items of the
// plain loop (split off the first parameter, keep what follows it,
// normalise, repeat): the list is normalised once, so the rest after each
// item only needs trimming, and every search resumes where the previous
// one stopped.
class ParameterSplitter {
 public:
  explicit ParameterSplitter(const std::string& params) : p_(params) {}

  // The next item, or empty at the end.
  std::string Next() {
    while (o_ < len() && IsWhite(p_[o_]))
      ++o_;
    if (o_ >= len())
      return std::string();
    std::string item = std::string(std::string_view(p_).substr(o_, FirstEnd() - o_));
    // The list stays normalised, so normalising a piece only trims it.
    Trim(&item);
    o_ += static_cast<int>(item.size()) + 1;
    return item;
  }

 private:
  int len() const { return static_cast<int>(p_.size()); }

  // Position of the first `c` at or after the start, or len(), cached.
  int NextOf(char c, int* cache) {
    if (*cache < o_) {
      int f = Find(p_, c, o_);
      *cache = f < 0 ? len() : f;
    }
    return *cache;
  }

  // End of the first parameter of the text from o_ (see SplitFirstParameter).
  int FirstEnd() {
    int a = NextOf(',', &comma_);
    if (a == len())
      return len();
    int b = NextOf('(', &paren_);
    int g = NextOf('<', &angle_);
    if (b > a && g > a)
      return a;
    int stop = BalancedFrom(std::min(b, g), a - 1);
    int p = stop < 0 ? b : stop;
    int r = Find(p_, ',', p);
    return r < 0 ? len() : r;
  }

  // First position x >= max(from, atLeast) at which the parentheses and
  // angle brackets from `from` to x balance, or -1.
  int BalancedFrom(int from, int atLeast) {
    if (!index_.empty())
      return BalancedFromIndex(from, atLeast);
    int parens = 0, angles = 0;
    for (int k = from; k < len(); ++k) {
      char ch = p_[k];
      if (ch == '(') ++parens;
      else if (ch == ')') --parens;
      else if (ch == '<') ++angles;
      else if (ch == '>') --angles;
      if (parens == 0 && angles == 0 && k >= atLeast)
        return k;
    }
    // An unbalanced list would make every later scan run to the end too;
    // answer this and every later question from an index instead.
    BuildIndex();
    return -1;
  }

  static uint64_t Key(int parens, int angles) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(parens)) << 32) |
           static_cast<uint32_t>(angles);
  }

  // For every pair of running balances, the positions where it holds.
  void BuildIndex() {
    int parens = 0, angles = 0;
    index_[Key(0, 0)];  // marks the index as built
    balance_.resize(p_.size());
    for (int k = 0; k < len(); ++k) {
      char ch = p_[k];
      if (ch == '(') ++parens;
      else if (ch == ')') --parens;
      else if (ch == '<') ++angles;
      else if (ch == '>') --angles;
      balance_[k] = Key(parens, angles);
      index_[balance_[k]].push_back(k);
    }
  }

  int BalancedFromIndex(int from, int atLeast) {
    uint64_t before = from > 0 ? balance_[from - 1] : Key(0, 0);
    auto it = index_.find(before);
    if (it == index_.end())
      return -1;
    const std::vector<int>& at = it->second;
    auto x = std::lower_bound(at.begin(), at.end(), std::max(from, atLeast));
    return x == at.end() ? -1 : *x;
  }

  const std::string& p_;
  int o_ = 0;
  int comma_ = -1, paren_ = -1, angle_ = -1;
  std::unordered_map<uint64_t, std::vector<int>> index_;
  std::vector<uint64_t> balance_;
};

// The plain loop, for the rare list that normalising still changes.
TextList SplitParametersPlainly(std::string params) {
  TextList items;
  NormalizeSpacing(&params);
  std::string item = NormalizedSpacing(SplitFirstParameter(params));
  while (!item.empty()) {
    items.push_back(item);
    params = Right(params, static_cast<int>(params.size() - item.size()) - 1);
    NormalizeSpacing(&params);
    item = NormalizedSpacing(SplitFirstParameter(params));
  }
  return items;
}

}  // namespace

TextList SplitParameters(std::string params) {
  NormalizeSpacing(&params);
  if (NormalizingAgainChanges(params))
    return SplitParametersPlainly(std::move(params));
  TextList items;
  // Most lists hold one parameter or none: nothing to split.
  if (params.find(',') == std::string::npos) {
    if (!params.empty())
      items.push_back(std::move(params));
    return items;
  }
  ParameterSplitter splitter(params);
  for (std::string item = splitter.Next(); !item.empty();
       item = splitter.Next())
    items.push_back(std::move(item));
  return items;
}

void RemoveNotReturns(CompactTextList* returns, const TextList& notReturns) {
  if (returns->empty() || notReturns.empty())
    return;
  for (const auto& text : notReturns)
    for (auto& ret : *returns)
      ReplaceAll(&ret, text, "");
  for (auto& ret : *returns)
    NormalizeSpacing(&ret);
  CompactLines(returns);
}

template <typename List>
bool FunctionMerger::Append(std::string&& text, List* list, bool duplicate,
                            ListTables* tables, int index) {
  const size_t kSearched = 16;
  if (list->size() < kSearched) {
    if (!duplicate &&
        std::find(list->begin(), list->end(), text) != list->end())
      return false;
    list->push_back(std::move(text));
    return true;
  }
  // A list grows only, so a list with a table is never short again.
  TextTable& table = (*tables)[index];
  if (table.empty())
    for (size_t i = 0; i < list->size(); ++i)
      table.Add((*list)[i], static_cast<int>(i));
  if (!duplicate && table.Find(text, TextAt{*list}) >= 0)
    return false;
  list->push_back(std::move(text));
  table.Add(list->back(), static_cast<int>(list->size() - 1));
  return true;
}

FunctionMerger::FunctionMerger(std::vector<CDeclInfo>* records, int limit)
    : records_(*records), limit_(limit) {
  // Room for every declaration, so records are never moved while the list
  // grows; memory that no record ever reaches is not touched, and Finish
  // hands back what merging left unused.
  records_.reserve(std::max(limit, 0));
}

int FunctionMerger::Finish() {
  records_.resize(count_);
  ReleaseUnusedRoom(&records_);
  return count_;
}

int FunctionMerger::RecordOf(const std::string& name) const {
  return byName_.Find(name, [this](int i) -> const std::string& {
    return records_[i].m_strName;
  });
}

bool FunctionMerger::Accepts(const std::string& name) const {
  return count_ < limit_ || RecordOf(name) >= 0;
}

bool FunctionMerger::Add(std::string&& line, Signature&& sig,
                         const std::string& className, int scope) {
  const bool first = count_ == 0;
  int index = RecordOf(sig.name);
  if (index < 0) {
    if (count_ >= limit_)
      return false;
    index = count_++;
    if (index == static_cast<int>(records_.size()))
      records_.emplace_back();
    records_[index].m_strName = std::move(sig.name);
    byName_.Add(records_[index].m_strName, index);
  }
  CDeclInfo& rec = records_[index];
  // One string for the owner's name of all the records it is given for.
  if (className_ != className)
    className_ = SharedText(className);
  rec.m_strClass = className_;
  // The description lists stay empty: a list and an allocation per record
  // for texts a parse never has would take more than the input itself.
  Append(std::move(sig.ret), &rec.m_arrReturns, false, &returnTables_, index);
  TextList params = SplitParameters(std::move(sig.params));
  // Most records keep the parameters of their first declaration: room for
  // them at once instead of regrowing the list.
  if (rec.m_arrParams.empty())
    rec.m_arrParams.reserve(params.size());
  // The very first declaration keeps its parameters as written, duplicates
  // included.
  for (auto& param : params)
    Append(std::move(param), &rec.m_arrParams, first, &paramTables_, index);
  if (rec.m_nScope == 0 || rec.m_nScope < scope)
    rec.m_nScope = scope;
  rec.m_arrDecls.push_back(std::move(line));
  return true;
}
