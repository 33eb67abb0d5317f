#include "model/module_info.h"

#include <algorithm>

#include "model/text_table.h"

void CDeclInfo::Clear() {
  *this = CDeclInfo();
}

void CClassInfo::Clear() {
  *this = CClassInfo();
}

CModuleInfo::CModuleInfo() = default;

void CModuleInfo::Clear() {
  *this = CModuleInfo();
}

CModuleInfo::Options CModuleInfo::GetOptions() const {
  return Options{m_bHelpKeywords, m_bSplitFiles,    m_bStylesheet,
                 m_bShowPublic,   m_bShowProtected, m_bShowPrivate,
                 m_bShowExtern,   m_bShowLocal};
}

void CModuleInfo::SetOptions(const Options& options) {
  m_bHelpKeywords = options.bHelpKeywords;
  m_bSplitFiles = options.bSplitFiles;
  m_bStylesheet = options.bStylesheet;
  m_bShowPublic = options.bShowPublic;
  m_bShowProtected = options.bShowProtected;
  m_bShowPrivate = options.bShowPrivate;
  m_bShowExtern = options.bShowExtern;
  m_bShowLocal = options.bShowLocal;
}

CClassInfo* CModuleInfo::FindClass(const std::string& name) {
  for (int i = 0; i < m_nClasses && i < static_cast<int>(m_pClasses.size()); ++i)
    if (m_pClasses[i].m_strName == name)
      return &m_pClasses[i];
  return nullptr;
}

const CClassInfo* CModuleInfo::FindClass(const std::string& name) const {
  return const_cast<CModuleInfo*>(this)->FindClass(name);
}

std::string_view DescriptionAt(const TextList& descs, size_t i) {
  return i < descs.size() ? std::string_view(descs[i]) : std::string_view();
}

std::string& DescriptionSlot(SparseTextList* descs, size_t i) {
  TextList& list = descs->Mutable();
  if (i >= list.size())
    list.resize(i + 1);
  return list[i];
}

namespace {

size_t UsableClassCount(const CModuleInfo& module) {
  return module.m_nClasses <= 0
             ? 0
             : std::min(static_cast<size_t>(module.m_nClasses),
                        module.m_pClasses.size());
}

}  // namespace

std::unordered_map<std::string_view, const CClassInfo*> FirstClassesByName(
    const CModuleInfo& module) {
  const size_t count = UsableClassCount(module);
  std::unordered_map<std::string_view, const CClassInfo*> first;
  first.reserve(count);
  for (size_t i = 0; i < count; ++i)
    first.try_emplace(module.m_pClasses[i].m_strName, &module.m_pClasses[i]);
  return first;
}

std::vector<int> FirstClassIndexes(const CModuleInfo& module) {
  const size_t count = UsableClassCount(module);
  const auto nameAt = [&](int i) -> const std::string& {
    return module.m_pClasses[i].m_strName;
  };
  TextTable names;
  names.Reserve(count);
  std::vector<int> firsts(count);
  for (size_t i = 0; i < count; ++i) {
    const int at = static_cast<int>(i);
    const int found = names.FindOrAdd(nameAt(at), at, nameAt);
    firsts[i] = found < 0 ? at : found;
  }
  return firsts;
}
