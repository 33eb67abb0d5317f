#include "xml/merge_report.h"

#include <algorithm>

#include "xml/xml_writer_internal.h"

namespace {

std::string KeyOf(EntryKind kind, const std::string& classKey,
                  const std::string& key) {
  std::string k(1, static_cast<char>('0' + static_cast<int>(kind)));
  k.append(classKey).push_back('\n');
  k.append(key);
  return k;
}

bool IsIdentChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

// A lone ":" (a bit-field width), not one of "::".
size_t FindLoneColon(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ':')
      continue;
    if (i + 1 < text.size() && text[i + 1] == ':') {
      ++i;
      continue;
    }
    return i;
  }
  return std::string_view::npos;
}

void AddIfWritten(MergeReport* report, UnplacedEntry* entry, TextField field,
                  const std::string& item, const std::string& text) {
  if (IsWrittenText(text, entry->kind, field, item))
    report->Add(entry, {field, UnplacedReason::kFiltered, item, text, ""});
}

// Everything a hidden global function carries: its whole entry is left out.
void CollectWholeFunction(const CDeclInfo& func, MergeReport* report) {
  UnplacedEntry* entry = report->RecordEntry(EntryKind::kFunction, func, nullptr);
  AddIfWritten(report, entry, TextField::kShort, "", func.m_strShortDesc);
  AddIfWritten(report, entry, TextField::kDescription, "",
               func.m_strDescription);
  for (size_t i = 0; i < func.m_arrParams.size(); ++i)
    if (i < func.m_arrParamDescs.size())
      AddIfWritten(report, entry, TextField::kParameter, func.m_arrParams[i],
                   func.m_arrParamDescs[i]);
  for (size_t i = 0; i < func.m_arrReturns.size(); ++i)
    if (i < func.m_arrReturnDescs.size())
      AddIfWritten(report, entry, TextField::kReturnValue,
                   func.m_arrReturns[i], func.m_arrReturnDescs[i]);
}

}  // namespace

UnplacedEntry* MergeReport::Entry(EntryKind kind, const std::string& classKey,
                                  const std::string& key) {
  auto [it, added] =
      byKey_.emplace(KeyOf(kind, classKey, key), entries_.size());
  if (added) {
    entries_.emplace_back();
    entries_.back().kind = kind;
    entries_.back().classKey = classKey;
    entries_.back().key = key;
  }
  return &entries_[it->second];
}

UnplacedEntry* MergeReport::RecordEntry(EntryKind kind, const CDeclInfo& decl,
                                        const CClassInfo* cls) {
  UnplacedEntry* entry =
      Entry(kind, cls ? cls->m_strAnchor : std::string(), decl.m_strAnchor);
  if (entry->name.empty()) {
    entry->name = decl.m_strName;
    entry->scope = decl.m_nScope;
    entry->decls = decl.m_arrDecls.ToList();
    entry->params = decl.m_arrParams;
    entry->returns = decl.m_arrReturns.ToList();
    if (cls)
      entry->className = cls->m_strName;
  }
  return entry;
}

UnplacedEntry* MergeReport::ClassEntry(const CClassInfo& cls) {
  UnplacedEntry* entry = Entry(EntryKind::kClass, "", cls.m_strAnchor);
  if (entry->name.empty())
    entry->name = cls.m_strName;
  return entry;
}

void MergeReport::Add(UnplacedEntry* entry, UnplacedText text) {
  for (const auto& kept : entry->texts)
    if (kept.field == text.field && kept.item == text.item &&
        kept.text == text.text)
      return;
  entry->texts.push_back(std::move(text));
}

std::vector<const UnplacedEntry*> MergeReport::Entries() const {
  std::vector<const UnplacedEntry*> kept;
  for (const auto& entry : entries_)
    if (!entry.texts.empty())
      kept.push_back(&entry);
  return kept;
}

void MergeReport::Absorb(const MergeReport& other) {
  for (const UnplacedEntry* from : other.Entries()) {
    UnplacedEntry* to = Entry(from->kind, from->classKey, from->key);
    if (to->texts.empty() && to->name.empty()) {
      std::vector<UnplacedText> texts = std::move(to->texts);
      *to = *from;
      to->texts = std::move(texts);
    }
    for (const auto& text : from->texts)
      Add(to, text);
  }
}

const char* PlaceholderFor(EntryKind kind, TextField field) {
  using namespace xml_writer;
  switch (field) {
    case TextField::kDescription:
      if (kind == EntryKind::kModule)
        return kModuleDescPlaceholder;
      if (kind == EntryKind::kClass)
        return kClassDescPlaceholder;
      return kFuncDescPlaceholder;
    case TextField::kShort:
      return kind == EntryKind::kVariable || kind == EntryKind::kMember
                 ? kVarShortDescPlaceholder
                 : kFuncShortDescPlaceholder;
    case TextField::kVarListText:
      return kind == EntryKind::kModule ? kVarListPlaceholder : "";
    case TextField::kFuncListText:
      return kind == EntryKind::kModule ? kFuncListPlaceholder : "";
    case TextField::kParameter:
      return kParamDescPlaceholder;
    case TextField::kReturnValue:
      return kReturnDescPlaceholder;
  }
  return "";
}

bool IsWrittenText(std::string_view text, EntryKind kind, TextField field,
                   std::string_view item) {
  if (text.empty() || text == PlaceholderFor(kind, field))
    return false;
  if (field == TextField::kParameter || field == TextField::kReturnValue)
    return item != "void" && Trimmed(text) != Trimmed(xml_writer::kNone);
  return true;
}

void CollectFilteredTexts(const CModuleInfo& module, MergeReport* report) {
  using xml_writer::UsableCount;
  if (!module.m_bShowLocal) {
    size_t vars = UsableCount(module.m_nVars, module.m_pVars.size());
    for (size_t i = 0; i < vars; ++i) {
      const CDeclInfo& var = module.m_pVars[i];
      if (!xml_writer::IsListedGlobal(var, module))
        AddIfWritten(report,
                     report->RecordEntry(EntryKind::kVariable, var, nullptr),
                     TextField::kShort, "", var.m_strShortDesc);
    }
    size_t funcs = UsableCount(module.m_nFuncs, module.m_pFuncs.size());
    for (size_t i = 0; i < funcs; ++i)
      if (!xml_writer::IsListedGlobal(module.m_pFuncs[i], module))
        CollectWholeFunction(module.m_pFuncs[i], report);
  }
  size_t classes = UsableCount(module.m_nClasses, module.m_pClasses.size());
  const auto firstByName = FirstClassesByName(module);
  for (size_t c = 0; c < classes; ++c) {
    const CClassInfo& cls = module.m_pClasses[c];
    // A class that repeats an earlier name is written as that one.
    if (firstByName.at(cls.m_strName) != &cls)
      continue;
    size_t vars = UsableCount(cls.m_nVars, cls.m_pVars.size());
    for (size_t i = 0; i < vars; ++i)
      if (!xml_writer::IsListedMember(cls.m_pVars[i], module))
        AddIfWritten(report,
                     report->RecordEntry(EntryKind::kMember, cls.m_pVars[i], &cls),
                     TextField::kShort, "", cls.m_pVars[i].m_strShortDesc);
    size_t funcs = UsableCount(cls.m_nFuncs, cls.m_pFuncs.size());
    for (size_t i = 0; i < funcs; ++i)
      if (!xml_writer::IsListedMember(cls.m_pFuncs[i], module))
        AddIfWritten(
            report, report->RecordEntry(EntryKind::kMethod, cls.m_pFuncs[i], &cls),
            TextField::kShort, "", cls.m_pFuncs[i].m_strShortDesc);
  }
}

std::string DeclaredIdentifier(std::string_view declaration) {
  std::string_view text = declaration;
  // The initialiser, a body or a bit-field width follow the name.
  for (size_t cut : {text.find('='), text.find('{'), FindLoneColon(text)})
    if (cut != std::string_view::npos)
      text = text.substr(0, cut);
  // A pointer to a function or an array names itself after "(*" or "(&".
  for (std::string_view open : {"(*", "(&"}) {
    size_t at = text.find(open);
    if (at == std::string_view::npos)
      continue;
    size_t first = at + 2;
    while (first < text.size() && (text[first] == ' ' || text[first] == '*'))
      ++first;
    size_t last = first;
    while (last < text.size() && IsIdentChar(text[last]))
      ++last;
    if (last > first)
      return std::string(text.substr(first, last - first));
  }
  size_t end = text.size();
  for (;;) {
    while (end > 0 && (IsWhite(text[end - 1]) || text[end - 1] == ';'))
      --end;
    if (end == 0 || text[end - 1] != ']')
      break;
    size_t open = text.rfind('[', end - 1);
    if (open == std::string_view::npos)
      break;
    end = open;
  }
  size_t begin = end;
  while (begin > 0 && IsIdentChar(text[begin - 1]))
    --begin;
  if (begin == end)
    return Trimmed(declaration);
  return std::string(text.substr(begin, end - begin));
}
