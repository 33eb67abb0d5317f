// The module passes: global variables, global functions and class heads.

#include "model/module_info.h"
#include "parser/line_prep.h"
#include "parser/signature.h"

namespace {

enum class TopLevel { kVariable, kFunction };

bool IsClassHead(const TextList& lines, size_t i) {
  return (StartsWith(lines[i], "class ") || StartsWith(lines[i], "struct ")) &&
         i + 1 < lines.size() && Contains(lines[i + 1], '{');
}

// Calls visit(i, kind) for every declaration outside class and struct
// bodies. `visit` may empty lines up to i.
template <typename Visit>
void WalkTopLevel(TextList& lines, Visit visit) {
  bool inClass = false;
  int depth = 0;
  bool bodyEndedWithBrace = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (IsClassHead(lines, i)) {
      inClass = true;
      continue;
    }
    if (inClass && Contains(line, '{'))
      ++depth;
    if (depth == 0 && inClass) {
      inClass = false;
      // "} NAME;" was cut into "}" and "NAME;": the declarator list
      // belongs to the definition just left.
      if (bodyEndedWithBrace && EndsWith(line, ";"))
        continue;
    }
    if (inClass) {
      if (Contains(line, '}')) {
        --depth;
        bodyEndedWithBrace = line == "}";
      }
      continue;
    }
    if (Contains(line, ';'))
      visit(i, Contains(line, ')') ? TopLevel::kFunction : TopLevel::kVariable);
  }
}

bool HasWord(const std::string& line, std::string_view word) {
  // `word` ends in a space: "extern " at the start or " extern " inside.
  if (StartsWith(line, word))
    return true;
  for (size_t p = line.find(word, 1); p != std::string::npos;
       p = line.find(word, p + 1))
    if (line[p - 1] == ' ')
      return true;
  return false;
}

}  // namespace

void CModuleInfo::CountGlobals(const TextList& constLines,
                               bool allocateRecords) {
  m_nVars = m_nFuncs = 0;
  m_nVarCount = m_nVarsLocal = m_nVarsExtern = 0;
  m_nFuncCount = m_nFuncsLocal = m_nFuncsExtern = 0;
  m_pVars.clear();
  m_pFuncs.clear();
  if (constLines.empty())
    return;
  // The walk only reads when nobody empties lines.
  TextList& lines = const_cast<TextList&>(constLines);
  WalkTopLevel(lines, [this](size_t, TopLevel kind) {
    if (kind == TopLevel::kVariable)
      ++m_nVars;
    else
      ++m_nFuncs;
  });
  if (allocateRecords) {
    m_pVars.resize(m_nVars);
    m_pFuncs.resize(m_nFuncs);
  }
  m_nVarCount = m_nVars;
  m_nFuncCount = m_nFuncs;
}

void CModuleInfo::CountClasses(const TextList& lines) {
  m_nClasses = 0;
  m_pClasses.clear();
  for (size_t i = 0; i < lines.size(); ++i)
    if (IsClassHead(lines, i))
      ++m_nClasses;
  m_pClasses.resize(m_nClasses);
}

void CModuleInfo::ParseGlobalVariables(TextList& lines) {
  if (m_nVars <= 0 || lines.empty())
    return;
  int k = 0;
  m_pVars.reserve(m_nVars);
  WalkTopLevel(lines, [&](size_t i, TopLevel kind) {
    if (kind != TopLevel::kVariable || k >= m_nVars)
      return;
    // The declaration starts after the nearest earlier line that ends a
    // statement or was consumed already.
    size_t s = i;
    while (s > 0 && !lines[s - 1].empty() && !Contains(lines[s - 1], ';'))
      --s;
    bool external = HasWord(lines[s], "extern ") ||
                    HasWord(lines[s], "enum ") ||
                    HasWord(lines[i], "typedef ");
    if (k == static_cast<int>(m_pVars.size()))
      m_pVars.emplace_back();
    CDeclInfo& var = m_pVars[k++];
    var.m_strName = std::move(lines[s]);
    lines[s].clear();
    var.m_nScope = external ? SCOPE_EXTERN : SCOPE_LOCAL;
    ++(external ? m_nVarsExtern : m_nVarsLocal);
    for (size_t o = s + 1; o <= i; ++o) {
      var.m_arrParams.push_back(std::move(lines[o]));
      lines[o].clear();
    }
  });
  m_nVars = k;
  m_pVars.resize(k);
  CompactLines(&lines);
}

void CModuleInfo::ParseGlobalFunctions(TextList& lines,
                                       const TextList& notReturns) {
  if (m_nFuncs < 1 || lines.empty())
    return;
  FunctionMerger merger(&m_pFuncs, m_nFuncs);
  WalkTopLevel(lines, [&](size_t i, TopLevel kind) {
    if (kind != TopLevel::kFunction)
      return;
    Signature sig = SplitSignature(lines[i]);
    int binding = HasWord(sig.ret, "static ") ? SCOPE_LOCAL : SCOPE_EXTERN;
    if (!merger.Add(std::move(lines[i]), std::move(sig), std::string(),
                    binding))
      return;
    ++(binding == SCOPE_LOCAL ? m_nFuncsLocal : m_nFuncsExtern);
    lines[i].clear();
  });
  m_nFuncs = merger.Finish();
  CompactLines(&lines);
  for (auto& func : m_pFuncs)
    RemoveNotReturns(&func.m_arrReturns, notReturns);
}

namespace {

// Name and base of a class head ("class A::B : public C" gives "A::B" and
// "public C"). Only a single colon splits, and only the leading keyword is
// removed, so names containing "class" or "::" survive.
void SplitClassHead(const std::string& head, std::string* name,
                    std::string* base) {
  size_t split = std::string::npos;
  for (size_t p = 0; p < head.size(); ++p) {
    if (head[p] != ':')
      continue;
    bool before = p > 0 && head[p - 1] == ':';
    bool after = p + 1 < head.size() && head[p + 1] == ':';
    if (!before && !after) {
      split = p;
      break;
    }
  }
  base->clear();
  *name = head;
  if (split != std::string::npos) {
    *base = NormalizedSpacing(std::string_view(head).substr(split + 1));
    *name = head.substr(0, split);
  }
  if (StartsWith(*name, "class "))
    name->erase(0, 6);
  else if (StartsWith(*name, "struct "))
    name->erase(0, 7);
  NormalizeSpacing(name);
}

}  // namespace

void CModuleInfo::ParseClassHeads(const TextList& lines) {
  if (m_nClasses == 0 || lines.empty())
    return;
  size_t k = 0;
  for (const char* keyword : {"class ", "struct "}) {
    int kind = keyword[0] == 'c' ? KIND_CLASS : KIND_STRUCT;
    for (size_t i = 0; i + 1 < lines.size() && k < m_pClasses.size(); ++i) {
      if (!StartsWith(lines[i], keyword) || !Contains(lines[i + 1], '{'))
        continue;
      CClassInfo& cls = m_pClasses[k++];
      SplitClassHead(lines[i], &cls.m_strName, &cls.m_strBase);
      cls.m_nKind = kind;
    }
  }
  m_nClasses = static_cast<int>(k);
  m_pClasses.resize(k);
}
