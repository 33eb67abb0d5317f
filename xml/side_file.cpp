#include "xml/side_file.h"

#include <map>
#include <utility>

#include "xml/xml_writer.h"
#include "xml/xml_writer_internal.h"

namespace {

const char kSideSuffix[] = ".orphans.xml";

// Records of the same key, in the order made: a field that two texts want
// goes to a second record of the key, which the merge reads after the
// first (it then reports that text as not taken, and keeps it).
template <typename Record>
class KeyedRecords {
 public:
  explicit KeyedRecords(std::vector<Record>* records) : records_(records) {}

  // The first record of `key` for which `isFree` holds, made if none;
  // `made` tells which.
  template <typename IsFree>
  Record* Free(const std::string& key, IsFree isFree, bool* made) {
    std::vector<size_t>& same = byKey_[key];
    *made = false;
    for (size_t i : same)
      if (isFree((*records_)[i]))
        return &(*records_)[i];
    same.push_back(records_->size());
    records_->emplace_back();
    records_->back().m_strAnchor = key;
    *made = true;
    return &records_->back();
  }

 private:
  std::vector<Record>* records_;
  std::map<std::string, std::vector<size_t>> byKey_;
};

SparseText* FieldOf(CDeclInfo* decl, TextField field) {
  return field == TextField::kShort ? &decl->m_strShortDesc
                                    : &decl->m_strDescription;
}

SparseText* FieldOf(CClassInfo* cls, TextField field) {
  if (field == TextField::kVarListText)
    return &cls->m_strVarText;
  if (field == TextField::kFuncListText)
    return &cls->m_strFuncText;
  return &cls->m_strDescription;
}

// Where a parameter or return-value text of `decl` may take a description.
bool ItemIsFree(const CDeclInfo& decl, const UnplacedText& text) {
  const bool returns = text.field == TextField::kReturnValue;
  const TextSpan items =
      returns ? TextSpan(decl.m_arrReturns) : TextSpan(decl.m_arrParams);
  const TextList& descs = returns ? decl.m_arrReturnDescs : decl.m_arrParamDescs;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == text.item)
      return DescriptionAt(descs, i).empty() ||
             DescriptionAt(descs, i) == text.text;
  return true;
}

// `List`: the return values' CompactTextList or the parameters' TextList.
template <typename List>
void PutItemInto(List* items, SparseTextList* descs, const UnplacedText& text) {
  for (size_t i = 0; i < items->size(); ++i) {
    if ((*items)[i] == text.item) {
      DescriptionSlot(descs, i) = text.text;
      return;
    }
  }
  items->push_back(text.item);
  DescriptionSlot(descs, items->size() - 1) = text.text;
}

void PutItem(CDeclInfo* decl, const UnplacedText& text) {
  if (text.field == TextField::kReturnValue)
    PutItemInto(&decl->m_arrReturns, &decl->m_arrReturnDescs, text);
  else
    PutItemInto(&decl->m_arrParams, &decl->m_arrParamDescs, text);
}

// Every parameter and return-value text of an entry whose whole record is
// gone, so that a later run can still tell which header entry it matches.
void PutAllItems(CDeclInfo* decl, const UnplacedEntry& entry) {
  for (const auto& param : entry.params)
    PutItem(decl, {TextField::kParameter, UnplacedReason::kNoEntry, param, "",
                   ""});
  for (const auto& ret : entry.returns)
    PutItem(decl, {TextField::kReturnValue, UnplacedReason::kNoEntry, ret, "",
                   ""});
}

bool HasWholeEntryText(const UnplacedEntry& entry) {
  for (const auto& text : entry.texts)
    if (text.reason == UnplacedReason::kNoEntry)
      return true;
  return false;
}

// The model of the side file: only the entries the report keeps, each
// under the anchor the merge looked up, so that the file merges back.
class SideModel {
 public:
  explicit SideModel(const std::string& moduleName) {
    module_.m_strName = moduleName;
    module_.MakeAnchors();
  }

  void Add(const UnplacedEntry& entry);
  // Counts as the writers read them; a list whose introduction is kept
  // needs a count even without entries, or it would not be written.
  CModuleInfo& Finish();

 private:
  void AddModuleText(const UnplacedText& text);
  void AddDecl(const UnplacedEntry& entry, KeyedRecords<CDeclInfo>* keyed,
               bool function);
  CClassInfo* ClassOf(const std::string& key, const std::string& name);

  CModuleInfo module_;
  KeyedRecords<CDeclInfo> vars_{&module_.m_pVars};
  KeyedRecords<CDeclInfo> funcs_{&module_.m_pFuncs};
  std::map<std::string, size_t> classes_;
  // Member and method records per class, built in place of the classes'
  // own arrays until Finish, so that adding classes moves nothing kept.
  std::map<std::string, std::pair<std::vector<CDeclInfo>, std::vector<CDeclInfo>>>
      classRecords_;
};

void SideModel::AddModuleText(const UnplacedText& text) {
  std::string* field = &module_.m_strDescription;
  if (text.field == TextField::kVarListText)
    field = &module_.m_strVarText;
  else if (text.field == TextField::kFuncListText)
    field = &module_.m_strFuncText;
  // The module has one record: further texts of a field follow the first.
  if (field->empty())
    *field = text.text;
  else if (!Contains(*field, text.text))
    *field += "\n<hr/>\n" + text.text;
}

void SideModel::AddDecl(const UnplacedEntry& entry,
                        KeyedRecords<CDeclInfo>* keyed, bool function) {
  // A record made for the entry takes its name and, for a function whose
  // whole entry is gone, every parameter and return-value text it had.
  auto record = [&](auto isFree) {
    bool made = false;
    CDeclInfo* decl = keyed->Free(entry.key, isFree, &made);
    if (made) {
      decl->m_strName = entry.name;
      decl->m_nScope = entry.scope;
      decl->m_strClass = entry.className;
      if (function) {
        decl->m_arrDecls = entry.decls;
        if (HasWholeEntryText(entry))
          PutAllItems(decl, entry);
      }
    }
    return decl;
  };
  for (const UnplacedText& text : entry.texts) {
    if (text.field == TextField::kParameter ||
        text.field == TextField::kReturnValue) {
      PutItem(record([&](const CDeclInfo& d) { return ItemIsFree(d, text); }),
              text);
      continue;
    }
    CDeclInfo* decl = record([&](const CDeclInfo& d) {
      const SparseText& field = text.field == TextField::kShort
                                    ? d.m_strShortDesc
                                    : d.m_strDescription;
      return field.empty() || field == text.text;
    });
    *FieldOf(decl, text.field) = text.text;
  }
}

CClassInfo* SideModel::ClassOf(const std::string& key,
                               const std::string& name) {
  auto [it, added] = classes_.emplace(key, module_.m_pClasses.size());
  if (added) {
    module_.m_pClasses.emplace_back();
    CClassInfo& cls = module_.m_pClasses.back();
    cls.m_strName = name;
    cls.m_strAnchor = key;
    cls.m_strVarAnchor = key + "CV";
    cls.m_strFuncAnchor = key + "CF";
  }
  CClassInfo* cls = &module_.m_pClasses[it->second];
  if (cls->m_strName.empty())
    cls->m_strName = name;
  return cls;
}

void SideModel::Add(const UnplacedEntry& entry) {
  switch (entry.kind) {
    case EntryKind::kModule:
      for (const auto& text : entry.texts)
        AddModuleText(text);
      return;
    case EntryKind::kVariable:
      AddDecl(entry, &vars_, false);
      return;
    case EntryKind::kFunction:
      AddDecl(entry, &funcs_, true);
      return;
    case EntryKind::kClass: {
      // A class description that the first record of the key already
      // holds another of goes to a class record of its own.
      for (const auto& text : entry.texts) {
        CClassInfo* cls = ClassOf(entry.key, entry.name);
        SparseText* field = FieldOf(cls, text.field);
        if (field->empty() || *field == text.text) {
          *field = text.text;
          continue;
        }
        module_.m_pClasses.push_back(*cls);
        CClassInfo& extra = module_.m_pClasses.back();
        extra.m_strDescription.clear();
        extra.m_strVarText.clear();
        extra.m_strFuncText.clear();
        *FieldOf(&extra, text.field) = text.text;
      }
      return;
    }
    case EntryKind::kMember:
    case EntryKind::kMethod: {
      ClassOf(entry.classKey, entry.className);
      auto& records = classRecords_[entry.classKey];
      const bool method = entry.kind == EntryKind::kMethod;
      std::vector<CDeclInfo>* list = method ? &records.second : &records.first;
      KeyedRecords<CDeclInfo> keyed(list);
      // The keyed view is rebuilt per entry; records of one key come from
      // one entry of the report, so it finds all it needs.
      AddDecl(entry, &keyed, method);
      return;
    }
  }
}

void CountScopes(const std::vector<CDeclInfo>& decls, int* priv, int* prot,
                 int* pub) {
  for (const auto& decl : decls) {
    if (decl.m_nScope == SCOPE_PRIVATE)
      ++*priv;
    else if (decl.m_nScope == SCOPE_PROTECTED)
      ++*prot;
    else
      ++*pub;
  }
}

CModuleInfo& SideModel::Finish() {
  CModuleInfo& m = module_;
  for (auto& var : m.m_pVars) {
    if (var.m_nScope != SCOPE_LOCAL)
      var.m_nScope = SCOPE_EXTERN;
    ++(var.m_nScope == SCOPE_LOCAL ? m.m_nVarsLocal : m.m_nVarsExtern);
  }
  for (auto& func : m.m_pFuncs) {
    if (func.m_nScope != SCOPE_LOCAL)
      func.m_nScope = SCOPE_EXTERN;
    ++(func.m_nScope == SCOPE_LOCAL ? m.m_nFuncsLocal : m.m_nFuncsExtern);
  }
  m.m_nVarCount = static_cast<int>(m.m_pVars.size());
  m.m_nFuncCount = static_cast<int>(m.m_pFuncs.size());
  m.m_nVars = std::max(m.m_nVarCount, m.m_strVarText.empty() ? 0 : 1);
  m.m_nFuncs = std::max(m.m_nFuncCount, m.m_strFuncText.empty() ? 0 : 1);
  for (auto& cls : m.m_pClasses) {
    auto it = classRecords_.find(cls.m_strAnchor);
    if (it != classRecords_.end() && cls.m_pVars.empty() &&
        cls.m_pFuncs.empty()) {
      cls.m_pVars = std::move(it->second.first);
      cls.m_pFuncs = std::move(it->second.second);
      classRecords_.erase(it);
    }
    cls.m_nVarCount = static_cast<int>(cls.m_pVars.size());
    cls.m_nFuncCount = static_cast<int>(cls.m_pFuncs.size());
    cls.m_nVars = std::max(cls.m_nVarCount, cls.m_strVarText.empty() ? 0 : 1);
    cls.m_nFuncs =
        std::max(cls.m_nFuncCount, cls.m_strFuncText.empty() ? 0 : 1);
    CountScopes(cls.m_pVars, &cls.m_nVarsPrivate, &cls.m_nVarsProtected,
                &cls.m_nVarsPublic);
    CountScopes(cls.m_pFuncs, &cls.m_nFuncsPrivate, &cls.m_nFuncsProtected,
                &cls.m_nFuncsPublic);
  }
  m.m_nClasses = static_cast<int>(m.m_pClasses.size());
  return m;
}

}  // namespace

bool IsSideFilePath(const std::string& path) {
  return EndsWith(path, kSideSuffix);
}

std::string SideFilePath(const std::string& xmlPath) {
  if (xmlPath.empty() || xmlPath == "-" || IsSideFilePath(xmlPath))
    return std::string();
  const std::string name = PathFileName(xmlPath);
  const std::string folder = xmlPath.substr(0, xmlPath.size() - name.size());
  return folder + PathStem(name) + kSideSuffix;
}

void BuildSideFile(const MergeReport& report, const std::string& moduleName,
                   TextList* lines) {
  using namespace xml_writer;
  SideModel model(moduleName);
  for (const UnplacedEntry* entry : report.Entries())
    model.Add(*entry);
  CModuleInfo& module = model.Finish();

  lines->clear();
  WriteXmlHead(lines, module);
  lines->push_back(
      "<!-- Descriptions kept by Varnel: the header no longer has their "
      "entries, or the XML file was written without them. Merging the XML "
      "file merges this file after it. -->");
  WriteXmlModule(lines, module);
  LineOut out(lines);
  AppendGlobalVars(&out, module);
  AppendGlobalFuncs(&out, module);
  for (const CClassInfo& cls : module.m_pClasses)
    AppendClass(&out, cls, module);
  WriteXmlEnd(lines, module);
}
