// The class passes: data members and methods of one class at a time.

#include "parser/class_passes.h"

#include <unordered_set>

#include "parser/line_prep.h"
#include "parser/line_store.h"
#include "parser/signature.h"

namespace {

enum class Member { kData, kMethod };

bool IsLabel(const std::string& line, int* level) {
  if (line == "public:")
    *level = SCOPE_PUBLIC;
  else if (line == "protected:")
    *level = SCOPE_PROTECTED;
  else if (line == "private:")
    *level = SCOPE_PRIVATE;
  else
    return false;
  return true;
}

int InitialLevel(int kind) {
  return kind == KIND_CLASS ? SCOPE_PRIVATE
         : kind == KIND_STRUCT ? SCOPE_PUBLIC
                               : 0;
}

// Walks the body of class `name` and calls visit(i, kind, level,
// bodyStart) for every member declaration. `visit` may empty lines up to i.
template <typename Visit>
void WalkBody(LineStore& lines, const std::string& name, int classKind,
              Visit visit) {
  bool inBody = false;
  int depth = 0;
  int level = InitialLevel(classKind);
  int bodyStart = -1;
  int i = lines.FindHead(name);
  while (i >= 0) {
    const std::string& line = lines[i];
    int next = lines.Next(i);
    if (lines.IsHeadOf(i, name)) {
      inBody = true;
      bodyStart = next;
      i = next;
      continue;
    }
    if (inBody) {
      if (Contains(line, '{'))
        ++depth;
      if (Contains(line, '}'))
        --depth;
    }
    if (depth == 0) {
      if (inBody)
        return;
      i = next;
      continue;
    }
    if ((StartsWith(line, "class ") || StartsWith(line, "struct ")) &&
        next >= 0 && Contains(lines[next], '{')) {
      int close = lines.SkipNested(next);
      if (close < 0)
        return;
      i = lines.Next(close);
      // "} NAME;" was cut into "}" and "NAME;": skip the declarator too.
      if (i >= 0 && lines[close] == "}" && EndsWith(lines[i], ";"))
        i = lines.Next(i);
      continue;
    }
    if (!IsLabel(line, &level) && Contains(line, ';'))
      visit(i, Contains(line, ')') ? Member::kMethod : Member::kData, level,
            bodyStart);
    i = next;
  }
}

// Counts the members; see CModuleInfo::CountGlobals for `allocateRecords`.
void CountMembers(CClassInfo& cls, LineStore& lines, bool allocateRecords) {
  cls.m_nVars = cls.m_nFuncs = 0;
  cls.m_pVars.clear();
  cls.m_pFuncs.clear();
  if (lines.First() < 0)
    return;
  WalkBody(lines, cls.m_strName, cls.m_nKind,
           [&](int, Member kind, int, int) {
             ++(kind == Member::kData ? cls.m_nVars : cls.m_nFuncs);
           });
  if (allocateRecords) {
    cls.m_pVars.resize(cls.m_nVars);
    cls.m_pFuncs.resize(cls.m_nFuncs);
  }
  cls.m_nVarCount = cls.m_nVars;
  cls.m_nFuncCount = cls.m_nFuncs;
}

void CountByLevel(int level, int* priv, int* prot, int* pub) {
  if (level == SCOPE_PRIVATE)
    ++*priv;
  else if (level == SCOPE_PROTECTED)
    ++*prot;
  else if (level == SCOPE_PUBLIC)
    ++*pub;
}

bool StopsLookBack(const std::string& line) {
  return line.empty() || Contains(line, ';') || Contains(line, "private:") ||
         Contains(line, "protected:") || Contains(line, "public:");
}

void ParseData(CClassInfo& cls, LineStore& lines) {
  if (cls.m_nVars <= 0 || lines.First() < 0)
    return;
  const std::string name = cls.m_strName;
  // One string for the owner's name of all the class's members.
  const SharedText owner(name);
  int k = 0;
  cls.m_pVars.reserve(cls.m_nVars);
  WalkBody(lines, name, cls.m_nKind,
           [&](int i, Member kind, int level, int bodyStart) {
             if (kind != Member::kData || k >= cls.m_nVars)
               return;
             // The declaration starts after the nearest earlier line of the
             // body that ends a statement, is a label or was consumed.
             int s = i;
             if (i != bodyStart) {
               for (int c = lines.Prev(i);; c = lines.Prev(c)) {
                 if (c < 0) {
                   s = i;
                   break;
                 }
                 if (StopsLookBack(lines[c])) {
                   s = lines.Next(c);
                   break;
                 }
                 if (c == bodyStart) {
                   s = lines.Next(c);
                   break;
                 }
               }
             }
             CountByLevel(level, &cls.m_nVarsPrivate, &cls.m_nVarsProtected,
                          &cls.m_nVarsPublic);
             if (k == static_cast<int>(cls.m_pVars.size()))
               cls.m_pVars.emplace_back();
             CDeclInfo& var = cls.m_pVars[k++];
             var.m_strClass = owner;
             var.m_nScope = level;
             var.m_strName = lines.Take(s);
             for (int o = s; o != i;) {
               o = lines.Next(o);
               var.m_arrParams.push_back(lines.Take(o));
             }
           });
  cls.m_nVars = k;
  cls.m_pVars.resize(k);
  lines.Compact();
}

void ParseFunctions(CClassInfo& cls, LineStore& lines,
                    const TextList& notReturns) {
  if (cls.m_nFuncs <= 0 || lines.First() < 0)
    return;
  const std::string name = cls.m_strName;
  FunctionMerger merger(&cls.m_pFuncs, cls.m_nFuncs);
  WalkBody(lines, name, cls.m_nKind, [&](int i, Member kind, int level, int) {
    if (kind != Member::kMethod)
      return;
    Signature sig = SplitSignature(lines[i]);
    if (!merger.Accepts(sig.name))
      return;
    merger.Add(lines.Take(i), std::move(sig), name, level);
    CountByLevel(level, &cls.m_nFuncsPrivate, &cls.m_nFuncsProtected,
                 &cls.m_nFuncsPublic);
  });
  cls.m_nFuncs = merger.Finish();
  lines.Compact();
  for (auto& func : cls.m_pFuncs)
    RemoveNotReturns(&func.m_arrReturns, notReturns);
}

// Runs `pass` on a store made from `lines` and puts the rest back.
template <typename Pass>
void OnTextList(TextList& lines, Pass pass) {
  LineStore store(std::move(lines));
  pass(store);
  lines = store.Release();
}

}  // namespace

void CModuleInfo::CountClassMembers(const std::string& name,
                                    LineStore& lines) {
  if (CClassInfo* cls = FindClass(name)) {
    lines.IndexHeads({name});
    CountMembers(*cls, lines, true);
  }
}

void CModuleInfo::ParseDataMembers(const std::string& name, LineStore& lines) {
  if (CClassInfo* cls = FindClass(name)) {
    lines.IndexHeads({name});
    ParseData(*cls, lines);
  }
}

void CModuleInfo::ParseMethods(const std::string& name, LineStore& lines,
                               const TextList& notReturns) {
  if (CClassInfo* cls = FindClass(name)) {
    lines.IndexHeads({name});
    ParseFunctions(*cls, lines, notReturns);
  }
}

void CModuleInfo::CountClassMembers(const std::string& name,
                                    TextList& lines) {
  OnTextList(lines, [&](LineStore& s) { CountClassMembers(name, s); });
}

void CModuleInfo::ParseDataMembers(const std::string& name, TextList& lines) {
  OnTextList(lines, [&](LineStore& s) { ParseDataMembers(name, s); });
}

void CModuleInfo::ParseMethods(const std::string& name, TextList& lines,
                               const TextList& notReturns) {
  OnTextList(lines,
             [&](LineStore& s) { ParseMethods(name, s, notReturns); });
}

void ParseAllClassBodies(CModuleInfo* module, TextList* lines,
                         const TextList& notReturns) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  std::vector<CClassInfo*> firsts;
  for (auto& cls : module->m_pClasses) {
    if (seen.insert(cls.m_strName).second) {
      names.push_back(cls.m_strName);
      firsts.push_back(&cls);
    }
  }
  if (firsts.empty())
    return;
  LineStore store(std::move(*lines));
  store.IndexHeads(names);
  for (CClassInfo* cls : firsts) {
    CountMembers(*cls, store, false);
    ParseData(*cls, store);
    ParseFunctions(*cls, store, notReturns);
  }
  *lines = store.Release();
}
