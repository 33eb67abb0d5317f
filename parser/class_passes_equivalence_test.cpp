// The class passes use an indexed line store so that a header with
// thousands of classes costs linear time. This test runs them against a
// straightforward version that walks the whole list from its first line
// and compacts it after every pass, on many generated headers, and
// requires the same model and the same remaining lines.

#include <gtest/gtest.h>

#include <random>
#include <unordered_set>

#include "model/file_io.h"
#include "parser/line_prep.h"
#include "parser/normalizer.h"
#include "parser/parse_header.h"
#include "parser/signature.h"

namespace {

bool IsNestedHead(const TextList& l, size_t i) {
  return (StartsWith(l[i], "class ") || StartsWith(l[i], "struct ")) &&
         i + 1 < l.size() && Contains(l[i + 1], '{');
}

bool IsHead(const TextList& l, size_t i, const std::string& name) {
  size_t p = l[i].find(name);
  if (p == std::string::npos || i + 1 >= l.size() || p == 0 ||
      l[i][p - 1] != ' ')
    return false;
  size_t e = p + name.size();
  if (e < l[i].size() && IsIdentChar(l[i][e]))
    return false;
  return Contains(l[i + 1], '{');
}

// visit(i, isMethod, level, bodyStart)
template <typename Visit>
void PlainWalk(TextList& l, const std::string& name, int kind, Visit visit) {
  bool in = false;
  int depth = 0, body = -1;
  int level = kind == KIND_CLASS ? SCOPE_PRIVATE
              : kind == KIND_STRUCT ? SCOPE_PUBLIC : 0;
  for (size_t i = 0; i < l.size(); ++i) {
    if (IsHead(l, i, name)) {
      in = true;
      body = static_cast<int>(i + 1);
      continue;
    }
    if (in) {
      if (Contains(l[i], '{')) ++depth;
      if (Contains(l[i], '}')) --depth;
    }
    if (depth == 0) {
      if (in) return;
      continue;
    }
    if (IsNestedHead(l, i)) {
      size_t k = i + 1;
      int count = 0;
      for (;; ++k) {
        if (k >= l.size()) return;
        if (!l[k].empty() && l[k][0] == '{') --count;
        else if (!l[k].empty() && l[k][0] == '}') ++count;
        if (count == 0) break;
      }
      i = k;
      if (l[k] == "}" && k + 1 < l.size() && EndsWith(l[k + 1], ";"))
        ++i;
      continue;
    }
    if (l[i] == "public:") { level = SCOPE_PUBLIC; continue; }
    if (l[i] == "protected:") { level = SCOPE_PROTECTED; continue; }
    if (l[i] == "private:") { level = SCOPE_PRIVATE; continue; }
    if (Contains(l[i], ';'))
      visit(i, Contains(l[i], ')'), level, body);
  }
}

void PlainClassPasses(CClassInfo& c, TextList& l, const TextList& notReturns) {
  c.m_nVars = c.m_nFuncs = 0;
  c.m_pVars.clear();
  c.m_pFuncs.clear();
  if (l.empty()) return;
  PlainWalk(l, c.m_strName, c.m_nKind, [&](size_t, bool method, int, int) {
    ++(method ? c.m_nFuncs : c.m_nVars);
  });
  c.m_pVars.resize(c.m_nVars);
  c.m_pFuncs.resize(c.m_nFuncs);
  c.m_nVarCount = c.m_nVars;
  c.m_nFuncCount = c.m_nFuncs;
  int k = 0;
  if (c.m_nVars > 0) {
    PlainWalk(l, c.m_strName, c.m_nKind,
              [&](size_t i, bool method, int level, int body) {
                if (method || k >= c.m_nVars) return;
                size_t s = i;
                for (size_t q = i; q-- > static_cast<size_t>(body);) {
                  const std::string& t = l[q];
                  if (t.empty() || Contains(t, ';') || Contains(t, "private:") ||
                      Contains(t, "protected:") || Contains(t, "public:")) {
                    s = q + 1;
                    break;
                  }
                  if (q == static_cast<size_t>(body)) s = q + 1;
                }
                if (level == SCOPE_PRIVATE) ++c.m_nVarsPrivate;
                if (level == SCOPE_PROTECTED) ++c.m_nVarsProtected;
                if (level == SCOPE_PUBLIC) ++c.m_nVarsPublic;
                CDeclInfo& v = c.m_pVars[k++];
                v.m_strName = l[s];
                v.m_strClass = c.m_strName;
                v.m_nScope = level;
                l[s].clear();
                for (size_t o = s + 1; o <= i; ++o) {
                  v.m_arrParams.push_back(l[o]);
                  l[o].clear();
                }
              });
    c.m_nVars = k;
    c.m_pVars.resize(k);
    CompactLines(&l);
  }
  if (c.m_nFuncs > 0 && !l.empty()) {
    FunctionMerger merger(&c.m_pFuncs, c.m_nFuncs);
    PlainWalk(l, c.m_strName, c.m_nKind,
              [&](size_t i, bool method, int level, int) {
                if (!method) return;
                Signature sig = SplitSignature(l[i]);
                if (!merger.Add(std::move(l[i]), std::move(sig), c.m_strName,
                                level))
                  return;
                if (level == SCOPE_PRIVATE) ++c.m_nFuncsPrivate;
                if (level == SCOPE_PROTECTED) ++c.m_nFuncsProtected;
                if (level == SCOPE_PUBLIC) ++c.m_nFuncsPublic;
                l[i].clear();
              });
    c.m_nFuncs = merger.Finish();
    CompactLines(&l);
    for (auto& f : c.m_pFuncs) RemoveNotReturns(&f.m_arrReturns, notReturns);
  }
}

std::string Describe(const CModuleInfo& m, const TextList& rest) {
  std::string out;
  for (const auto& c : m.m_pClasses) {
    out += "class " + c.m_strName + " " + std::to_string(c.m_nVars) + "/" +
           std::to_string(c.m_nFuncs) + " " + std::to_string(c.m_nVarsPrivate) +
           std::to_string(c.m_nVarsProtected) + std::to_string(c.m_nVarsPublic) +
           std::to_string(c.m_nFuncsPrivate) + std::to_string(c.m_nFuncsProtected) +
           std::to_string(c.m_nFuncsPublic) + "\n";
    for (const auto& v : c.m_pVars) {
      out += "  v " + v.m_strName + " " + std::to_string(v.m_nScope);
      for (const auto& p : v.m_arrParams) out += " | " + p;
      out += "\n";
    }
    for (const auto& f : c.m_pFuncs) {
      out += "  f " + f.m_strName + " " + std::to_string(f.m_nScope);
      for (const auto& p : f.m_arrParams) out += " , " + p;
      for (const auto& d : f.m_arrDecls) out += " ; " + d;
      out += "\n";
    }
  }
  out += "rest:";
  for (const auto& l : rest) out += " [" + l + "]";
  return out;
}

// A random header made of the shapes that stress the class walk: nested
// and repeated classes, declarator lists after bodies, initialiser lists,
// macro-like lines without semicolons, labels and stray braces.
std::string RandomHeader(std::mt19937& rng) {
  const char* names[] = {"A", "B", "C", "Base", "A::B", "Tpl<int>"};
  std::string text;
  int depth = 0;
  int n = 5 + rng() % 40;
  for (int i = 0; i < n; ++i) {
    switch (rng() % 14) {
      case 0: case 1:
        text += std::string(rng() % 2 ? "class " : "struct ") +
                names[rng() % 6] + (rng() % 3 ? "" : " : public Base") + " {\n";
        ++depth;
        break;
      case 2:
        if (depth > 0) {
          text += rng() % 3 ? "};\n" : "} decl;\n";
          --depth;
        }
        break;
      case 3: text += "int m_n;\n"; break;
      case 4: text += "void f(int a, int b);\n"; break;
      case 5: text += "void f(double);\n"; break;
      case 6: text += "static const int arr[] = { 1, 2 };\n"; break;
      case 7: text += "MACRO(x)\n"; break;
      case 8: text += rng() % 2 ? "public:\n" : "private:\n"; break;
      case 9: text += "protected:\n"; break;
      case 10: text += "A* Create(Base& b) const;\n"; break;
      case 11: text += "enum E { X, Y };\n"; break;
      case 12: text += "struct { int c; } anon;\n"; break;
      case 13: text += rng() % 2 ? "}\n" : "{\n"; break;
    }
  }
  while (depth-- > 0 && rng() % 4)
    text += "};\n";
  return text;
}

}  // namespace

TEST(ClassPassesEquivalenceTest, IndexedPassesMatchThePlainWalk) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 4000; ++round) {
    std::string text = RandomHeader(rng);
    CModuleInfo fast;
    TextList fastRest;
    std::string err;
    ASSERT_TRUE(ParseHeaderText(text, "T.h", "T.htm", {}, {"void"}, &fastRest,
                                &fast, &err));

    // The same up to the class passes, then the plain ones.
    CModuleInfo plain;
    TextList lines;
    ForEachLine(text, [&](std::string_view l) { lines.emplace_back(l); });
    for (auto& l : lines) NormalizeSpacing(&l);
    CompactLines(&lines);
    StripComments(&lines);
    ExtractIncludes(&lines, &plain.m_arrHIncludes);
    NormalizeStatements(&lines, {});
    plain.CountGlobals(lines);
    plain.CountClasses(lines);
    plain.ParseGlobalVariables(lines);
    plain.ParseGlobalFunctions(lines, {"void"});
    plain.ParseClassHeads(lines);
    std::unordered_set<std::string> seen;
    for (auto& c : plain.m_pClasses)
      if (seen.insert(c.m_strName).second)
        PlainClassPasses(c, lines, {"void"});

    ASSERT_EQ(Describe(plain, lines), Describe(fast, fastRest))
        << "header:\n" << text;
  }
}
