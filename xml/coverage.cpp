#include "xml/coverage.h"

#include <string_view>
#include <unordered_map>

#include "xml/xml_writer_internal.h"

namespace {

using xml_writer::IsListedGlobal;
using xml_writer::IsListedMember;
using xml_writer::UsableCount;

bool IsIdentChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_' || c == ':';
}

// Drops `word` and the blanks after it from the front of `text`.
bool TakeWord(std::string_view* text, std::string_view word) {
  if (text->substr(0, word.size()) != word ||
      (text->size() > word.size() && IsIdentChar((*text)[word.size()])))
    return false;
  text->remove_prefix(word.size());
  while (!text->empty() && IsWhite(text->front()))
    text->remove_prefix(1);
  return true;
}

class Counter {
 public:
  Counter(const CModuleInfo& module, bool countTypeNames, bool listMissing)
      : module_(module),
        countTypeNames_(countTypeNames),
        listMissing_(listMissing) {}

  Coverage Count();

 private:
  void One(CoverageKind kind, EntryKind entry, TextField field,
           std::string_view text, const std::string& className,
           const std::string& name, const std::string& item = "");
  void Function(CoverageKind kind, EntryKind entry, const CDeclInfo& func,
                const std::string& className, bool withShort);
  bool Needs(const CDeclInfo& decl) const {
    return countTypeNames_ || !NamesOnlyAType(decl.m_strName);
  }
  void Class(const CClassInfo& cls);

  const CModuleInfo& module_;
  bool countTypeNames_;
  bool listMissing_;
  Coverage coverage_;
};

void Counter::One(CoverageKind kind, EntryKind entry, TextField field,
                  std::string_view text, const std::string& className,
                  const std::string& name, const std::string& item) {
  CoverageCount& count = coverage_.kinds[static_cast<int>(kind)];
  ++count.total;
  if (IsWrittenText(text, entry, field, item)) {
    ++count.described;
    return;
  }
  if (listMissing_)
    coverage_.missing.push_back({kind, entry, field, className, name, item});
}

// The short description (when the short list shows it), the detailed one,
// and each parameter and return value but "void", which shows " - none -".
void Counter::Function(CoverageKind kind, EntryKind entry,
                       const CDeclInfo& func, const std::string& className,
                       bool withShort) {
  if (withShort)
    One(kind, entry, TextField::kShort, func.m_strShortDesc, className,
        func.m_strName);
  One(kind, entry, TextField::kDescription, func.m_strDescription, className,
      func.m_strName);
  for (size_t i = 0; i < func.m_arrReturns.size(); ++i)
    if (func.m_arrReturns[i] != "void")
      One(CoverageKind::kReturnValues, entry, TextField::kReturnValue,
          DescriptionAt(func.m_arrReturnDescs, i), className, func.m_strName,
          func.m_arrReturns[i]);
  for (size_t i = 0; i < func.m_arrParams.size(); ++i)
    if (func.m_arrParams[i] != "void")
      One(CoverageKind::kParameters, entry, TextField::kParameter,
          DescriptionAt(func.m_arrParamDescs, i), className, func.m_strName,
          func.m_arrParams[i]);
}

void Counter::Class(const CClassInfo& cls) {
  One(CoverageKind::kClasses, EntryKind::kClass, TextField::kDescription,
      cls.m_strDescription, "", cls.m_strName);
  if (cls.m_nVars > 0) {
    const size_t vars = UsableCount(cls.m_nVars, cls.m_pVars.size());
    for (size_t i = 0; i < vars; ++i) {
      const CDeclInfo& member = cls.m_pVars[i];
      if (IsListedMember(member, module_) && Needs(member))
        One(CoverageKind::kDataMembers, EntryKind::kMember, TextField::kShort,
            member.m_strShortDesc, cls.m_strName, member.m_strName);
    }
  }
  if (cls.m_nFuncs > 0) {
    const size_t funcs = UsableCount(cls.m_nFuncs, cls.m_pFuncs.size());
    for (size_t i = 0; i < funcs; ++i) {
      const CDeclInfo& method = cls.m_pFuncs[i];
      Function(CoverageKind::kMethods, EntryKind::kMethod, method,
               cls.m_strName, IsListedMember(method, module_));
    }
  }
}

Coverage Counter::Count() {
  const std::string& name = module_.m_strName;
  One(CoverageKind::kModule, EntryKind::kModule, TextField::kDescription,
      module_.m_strDescription, "", name);
  if (module_.m_nVars >= 1) {
    One(CoverageKind::kModule, EntryKind::kModule, TextField::kVarListText,
        module_.m_strVarText, "", name);
    const size_t vars = UsableCount(module_.m_nVars, module_.m_pVars.size());
    for (size_t i = 0; i < vars; ++i) {
      const CDeclInfo& var = module_.m_pVars[i];
      if (IsListedGlobal(var, module_) && Needs(var))
        One(CoverageKind::kGlobalVariables, EntryKind::kVariable,
            TextField::kShort, var.m_strShortDesc, "", var.m_strName);
    }
  }
  if (module_.m_nFuncs >= 1) {
    One(CoverageKind::kModule, EntryKind::kModule, TextField::kFuncListText,
        module_.m_strFuncText, "", name);
    const size_t funcs = UsableCount(module_.m_nFuncs, module_.m_pFuncs.size());
    for (size_t i = 0; i < funcs; ++i)
      if (IsListedGlobal(module_.m_pFuncs[i], module_))
        Function(CoverageKind::kGlobalFunctions, EntryKind::kFunction,
                 module_.m_pFuncs[i], "", true);
  }
  // Every class is written as the first class of its name.
  const size_t classes =
      UsableCount(module_.m_nClasses, module_.m_pClasses.size());
  const auto firstByName = FirstClassesByName(module_);
  for (size_t i = 0; i < classes; ++i)
    Class(*firstByName.at(module_.m_pClasses[i].m_strName));
  return std::move(coverage_);
}

}  // namespace

const char* CoverageKindName(CoverageKind kind) {
  switch (kind) {
    case CoverageKind::kModule: return "module";
    case CoverageKind::kGlobalVariables: return "global variables";
    case CoverageKind::kGlobalFunctions: return "global functions";
    case CoverageKind::kClasses: return "classes";
    case CoverageKind::kDataMembers: return "data members";
    case CoverageKind::kMethods: return "methods";
    case CoverageKind::kParameters: return "parameters";
    case CoverageKind::kReturnValues: return "return values";
  }
  return "";
}

int Coverage::Described() const {
  int n = 0;
  for (const CoverageCount& count : kinds)
    n += count.described;
  return n;
}

int Coverage::Total() const {
  int n = 0;
  for (const CoverageCount& count : kinds)
    n += count.total;
  return n;
}

double Coverage::Percent() const {
  const int total = Total();
  return total == 0 ? 100.0 : 100.0 * Described() / total;
}

void Coverage::Add(const Coverage& other) {
  for (int i = 0; i < kCoverageKinds; ++i) {
    kinds[i].described += other.kinds[i].described;
    kinds[i].total += other.kinds[i].total;
  }
  missing.insert(missing.end(), other.missing.begin(), other.missing.end());
}

Coverage CountCoverage(const CModuleInfo& module, bool countTypeNames,
                       bool listMissing) {
  return Counter(module, countTypeNames, listMissing).Count();
}

bool NamesOnlyAType(std::string_view declaration) {
  const std::string trimmed = Trimmed(declaration);
  std::string_view text = trimmed;
  if (text.empty() || text.back() != ';')
    return false;
  text.remove_suffix(1);
  while (!text.empty() && IsWhite(text.back()))
    text.remove_suffix(1);
  TakeWord(&text, "friend");
  if (!TakeWord(&text, "class") && !TakeWord(&text, "struct") &&
      !TakeWord(&text, "union") && !TakeWord(&text, "enum"))
    return false;
  if (!TakeWord(&text, "class"))  // "enum class X;"
    TakeWord(&text, "struct");
  if (text.empty())
    return false;
  for (char c : text)
    if (!IsIdentChar(c))
      return false;
  return true;
}
