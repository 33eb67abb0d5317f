#include "xml/xml_merge.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "model/text.h"
#include "xml/merge_text.h"
#include "xml/orphan_harvest.h"
#include "xml/text_index.h"

const char kWrongXmlMessage[] =
    "The XML file is not of the correct document type or is not for this "
    "module.";

namespace {

// Finds the first record with an anchor. The views point into the
// records' m_strAnchor, which the merge never changes.
template <typename Record>
TextIndex IndexByAnchor(const std::vector<Record>& records, int count) {
  const int n = std::max(std::min(count, static_cast<int>(records.size())), 0);
  std::vector<std::string_view> anchors;
  anchors.reserve(n);
  for (int i = 0; i < n; ++i)
    anchors.push_back(records[i].m_strAnchor);
  return TextIndex(std::move(anchors));
}

bool EnterRoot(CXmlTree* xml) {
  xml->ResetPosition();
  return xml->FindNext("Varnel") && xml->Enter();
}

// Member and method indexes of each class, built the first time a Class
// element names the class (a file may repeat a class element).
struct ClassIndexes {
  std::optional<TextIndex> members;
  std::optional<TextIndex> methods;
};

template <typename Record>
const TextIndex& CachedIndex(std::optional<TextIndex>* cache,
                             const std::vector<Record>& records, int count) {
  if (!cache->has_value())
    cache->emplace(IndexByAnchor(records, count));
  return **cache;
}

// Places the descriptions of one file into the model. A field that is
// empty takes the file's text, one that holds only its placeholder takes a
// written text; the cursor moves exactly as it did when only empty fields
// were filled, so that hand-ordered files merge as before. With a report,
// every written text that finds no place is reported: its entry or item
// is gone, or the field already holds another text.
class Merger {
 public:
  Merger(CXmlTree* xml, CModuleInfo* module, const MergeContext& context)
      : xml_(xml),
        module_(module),
        renames_(context.renames),
        report_(context.report),
        source_(context.source),
        harvest_(xml, context.report, context.source) {}

  void Module();
  void GlobalVars();
  void GlobalFuncs();
  void Classes();

 private:
  UnplacedEntry* ModuleEntry();

  void Refused(UnplacedEntry* entry, TextField field, const std::string& item,
               const std::string& text) {
    report_->Add(entry,
                 {field, UnplacedReason::kNotTaken, item, text, source_});
  }

  // The next Description at this level into `field`, a std::string or a
  // SparseText.
  template <typename Field, typename EntryOf>
  void Fill(Field* field, EntryKind kind, TextField which,
            bool cutInitializer, EntryOf entryOf);

  // For every `element` at this level: its key, mapped by `mapKey`; the
  // record of that key gets `found` inside the element, a key without a
  // record goes to `orphan` while on the element.
  template <typename MapKey, typename Found, typename Orphan>
  void Entries(const char* element, const char* attribute, bool stripHash,
               const TextIndex& index, MapKey mapKey, Found found,
               Orphan orphan);

  // Inside a ModuleFunction or Method element.
  void FunctionBody(EntryKind kind, CDeclInfo* func, const CClassInfo* cls,
                    const char* start, bool returnsFirst);
  template <typename EntryOf>
  void SubList(const char* list, const char* item, TextSpan texts,
               SparseTextList* descs, EntryKind kind, TextField field,
               EntryOf entryOf);
  template <typename EntryOf>
  void CheckItemPlaced(const std::string& name, TextSpan texts,
                       const TextList& descs, EntryKind kind, TextField field,
                       EntryOf entryOf);

  // Inside a Class element.
  void ClassBody(CClassInfo* cls, ClassIndexes* indexes,
                 const std::string& fileKey);

  CXmlTree* xml_;
  CModuleInfo* module_;
  RenameMap* renames_;
  MergeReport* report_;
  const std::string& source_;
  OrphanHarvest harvest_;
};

UnplacedEntry* Merger::ModuleEntry() {
  UnplacedEntry* entry = report_->Entry(EntryKind::kModule, "", "");
  if (entry->name.empty())
    entry->name = module_->m_strName;
  return entry;
}

template <typename Field, typename EntryOf>
void Merger::Fill(Field* field, EntryKind kind, TextField which,
                  bool cutInitializer, EntryOf entryOf) {
  // An empty field moves the cursor to the Description it takes.
  if (field->empty()) {
    if (xml_->FindNext("Description"))
      *field = DescriptionText(*xml_, cutInitializer);
    return;
  }
  const bool placeholder = *field == PlaceholderFor(kind, which);
  if (!placeholder && !report_)
    return;
  std::string text;
  if (!PeekDescription(xml_, cutInitializer, &text) ||
      !IsWrittenText(text, kind, which))
    return;
  if (placeholder)
    *field = text;
  else if (text != *field)
    Refused(entryOf(), which, "", text);
}

template <typename MapKey, typename Found, typename Orphan>
void Merger::Entries(const char* element, const char* attribute,
                     bool stripHash, const TextIndex& index, MapKey mapKey,
                     Found found, Orphan orphan) {
  while (xml_->FindNext(element)) {
    const std::string key = mapKey(KeyAttribute(*xml_, attribute, stripHash));
    const int i = index.Find(key);
    if (i < 0) {
      if (report_)
        orphan(key);
      continue;
    }
    if (!xml_->Enter())
      continue;
    found(i);
    xml_->Leave();
  }
}

// Each item's description goes to every index whose text equals the
// item's Name. The cursor is used exactly as an item-by-item walk would:
// entering an item again after a Description was taken there continues
// after that Description, so equal texts take successive items.
template <typename EntryOf>
void Merger::SubList(const char* list, const char* item, TextSpan texts,
                     SparseTextList* descs, EntryKind kind, TextField field,
                     EntryOf entryOf) {
  if ((texts.empty() && !report_) || !xml_->FindNext(list) || !xml_->Enter())
    return;
  const TextIndex indices(
      std::vector<std::string_view>(texts.begin(), texts.end()));
  const char* placeholder = PlaceholderFor(kind, field);
  while (xml_->FindNext(item)) {
    if (!xml_->FindChild("Name"))
      continue;
    std::string name = xml_->GetChildText();
    DecodeUmlauts(&name);
    for (int k = indices.Find(name); k >= 0; k = indices.NextEqual(k)) {
      if (!xml_->Enter())
        continue;
      const std::string_view desc = DescriptionAt(*descs, k);
      std::string text;
      if (desc.empty()) {
        if (xml_->FindNext("Description")) {
          text = DescriptionText(*xml_);
          if (!text.empty())
            DescriptionSlot(descs, k) = std::move(text);
        }
      } else if (desc == placeholder && PeekDescription(xml_, false, &text) &&
                 IsWrittenText(text, kind, field, name)) {
        DescriptionSlot(descs, k) = std::move(text);
      }
      xml_->Leave();
    }
    if (report_)
      CheckItemPlaced(name, texts, *descs, kind, field, entryOf);
  }
  xml_->Leave();
}

// On an item of a sub-list after the merge took what it could: reports
// the item's written description unless an index of its text holds it.
template <typename EntryOf>
void Merger::CheckItemPlaced(const std::string& name, TextSpan texts,
                             const TextList& descs, EntryKind kind,
                             TextField field, EntryOf entryOf) {
  const CXmlTree::Cursor cursor = xml_->GetCursor();
  CXmlTree::Cursor onItem = cursor;
  onItem.iChild = 0;
  xml_->SetCursor(onItem);
  std::string text;
  const bool found = xml_->Enter() && xml_->FindNext("Description");
  if (found)
    text = DescriptionText(*xml_);
  xml_->SetCursor(cursor);
  if (!found || !IsWrittenText(text, kind, field, name))
    return;
  bool matched = false;
  for (size_t k = 0; k < texts.size(); ++k) {
    if (texts[k] != name)
      continue;
    matched = true;
    if (k < descs.size() && descs[k] == text)
      return;
  }
  if (matched)
    Refused(entryOf(), field, name, text);
  else
    report_->Add(entryOf(),
                 {field, UnplacedReason::kNoItem, name, text, source_});
}

void Merger::FunctionBody(EntryKind kind, CDeclInfo* func,
                          const CClassInfo* cls, const char* start,
                          bool returnsFirst) {
  auto entryOf = [&] { return report_->RecordEntry(kind, *func, cls); };
  xml_->SavePosition(start);
  Fill(&func->m_strDescription, kind, TextField::kDescription, false,
       entryOf);
  for (int pass = 0; pass < 2; ++pass) {
    xml_->RestorePosition(start);
    if ((pass == 0) == returnsFirst)
      SubList("ReturnValues", "ReturnValue", func->m_arrReturns,
              &func->m_arrReturnDescs, kind, TextField::kReturnValue, entryOf);
    else
      SubList("Parameters", "Parameter", func->m_arrParams,
              &func->m_arrParamDescs, kind, TextField::kParameter, entryOf);
  }
  xml_->RestorePosition(start);
}

void Merger::Module() {
  std::string& desc = module_->m_strDescription;
  if ((desc.empty() || report_ ||
       desc == PlaceholderFor(EntryKind::kModule, TextField::kDescription)) &&
      EnterRoot(xml_) && xml_->FindNext("Module.Description") &&
      xml_->Enter() && xml_->FindNext("Text")) {
    std::string text = ModuleText(*xml_);
    if (desc.empty() ||
        (desc == PlaceholderFor(EntryKind::kModule, TextField::kDescription) &&
         IsWrittenText(text, EntryKind::kModule, TextField::kDescription)))
      desc = std::move(text);
    else if (report_ && text != desc &&
             IsWrittenText(text, EntryKind::kModule, TextField::kDescription))
      Refused(ModuleEntry(), TextField::kDescription, "", text);
  }

  if (!module_->m_arrCppIncludes.empty())
    return;
  if (EnterRoot(xml_) && xml_->FindNext("Module.Description") &&
      xml_->Enter() && xml_->FindNext("CPPIncludesList") && xml_->Enter() &&
      xml_->FindNext("CPPIncludes") && xml_->Enter()) {
    while (xml_->FindNext("CPPInclude")) {
      std::string include = xml_->GetText();
      DecodeUmlauts(&include);
      if (!include.empty())
        module_->m_arrCppIncludes.push_back(include);
    }
  }
}

void Merger::GlobalVars() {
  if (module_->m_nVars <= 0) {
    if (report_ && EnterRoot(xml_))
      harvest_.VariableList(ModuleEntry(), UnplacedReason::kNoItem);
    return;
  }
  if (!EnterRoot(xml_) || !xml_->FindNext("Module.VariableList") ||
      !xml_->Enter())
    return;
  Fill(&module_->m_strVarText, EntryKind::kModule, TextField::kVarListText,
       false, [&] { return ModuleEntry(); });
  if (!xml_->FindNext("Variables") || !xml_->Enter())
    return;
  const bool renames = renames_ && renames_->RenamesVariables();
  Entries(
      "Variable", "Target", true,
      IndexByAnchor(module_->m_pVars, module_->m_nVars),
      [&](const std::string& key) {
        return renames ? renames_->MapVariable(key, ChildName(xml_)) : key;
      },
      [&](int i) {
        CDeclInfo& var = module_->m_pVars[i];
        Fill(&var.m_strShortDesc, EntryKind::kVariable, TextField::kShort,
             true, [&] {
               return report_->RecordEntry(EntryKind::kVariable, var, nullptr);
             });
      },
      [&](const std::string& key) {
        harvest_.ShortEntry(EntryKind::kVariable, "", "", key);
      });
}

void Merger::GlobalFuncs() {
  if (module_->m_nFuncs <= 0) {
    if (report_ && EnterRoot(xml_))
      harvest_.FunctionLists(ModuleEntry(), UnplacedReason::kNoItem);
    return;
  }
  const TextIndex index = IndexByAnchor(module_->m_pFuncs, module_->m_nFuncs);
  auto mapKey = [&](const std::string& key) {
    return renames_ ? renames_->MapFunction(key) : key;
  };

  if (EnterRoot(xml_) && xml_->FindNext("Module.FunctionList") &&
      xml_->Enter()) {
    Fill(&module_->m_strFuncText, EntryKind::kModule,
         TextField::kFuncListText, false, [&] { return ModuleEntry(); });
    if (xml_->FindNext("FunctionsShort") && xml_->Enter()) {
      Entries(
          "FunctionShort", "Target", true, index, mapKey,
          [&](int i) {
            CDeclInfo& func = module_->m_pFuncs[i];
            Fill(&func.m_strShortDesc, EntryKind::kFunction, TextField::kShort,
                 false, [&] {
                   return report_->RecordEntry(EntryKind::kFunction, func,
                                               nullptr);
                 });
          },
          [&](const std::string& key) {
            harvest_.ShortEntry(EntryKind::kFunction, "", "", key);
          });
    }
  }

  if (EnterRoot(xml_) && xml_->FindNext("Module.Functions") && xml_->Enter()) {
    Entries(
        "ModuleFunction", "anchor", false, index, mapKey,
        [&](int i) {
          FunctionBody(EntryKind::kFunction, &module_->m_pFuncs[i], nullptr,
                       "StartFunction", true);
        },
        [&](const std::string& key) {
          harvest_.Function(EntryKind::kFunction, "", "", key);
        });
  }
}

void Merger::ClassBody(CClassInfo* cls, ClassIndexes* indexes,
                       const std::string& fileKey) {
  auto classEntry = [&] { return report_->ClassEntry(*cls); };
  const std::string& classKey = cls->m_strAnchor;
  const bool renamesMembers =
      renames_ && renames_->RenamesMembersOf(fileKey, classKey);

  xml_->SavePosition("StartClass");
  Fill(&cls->m_strDescription, EntryKind::kClass, TextField::kDescription,
       false, classEntry);

  xml_->RestorePosition("StartClass");
  if (cls->m_nVars > 0) {
    if (xml_->FindNext("MemberList") && xml_->Enter()) {
      Fill(&cls->m_strVarText, EntryKind::kClass, TextField::kVarListText,
           false, classEntry);
      if (xml_->FindNext("Members") && xml_->Enter()) {
        Entries(
            "Member", "Target", true,
            CachedIndex(&indexes->members, cls->m_pVars, cls->m_nVars),
            [&](const std::string& key) {
              return renamesMembers ? renames_->MapMember(fileKey, classKey,
                                                          key, ChildName(xml_))
                                    : key;
            },
            [&](int i) {
              CDeclInfo& member = cls->m_pVars[i];
              Fill(&member.m_strShortDesc, EntryKind::kMember,
                   TextField::kShort, true, [&] {
                     return report_->RecordEntry(EntryKind::kMember, member,
                                                 cls);
                   });
            },
            [&](const std::string& key) {
              harvest_.ShortEntry(EntryKind::kMember, classKey, cls->m_strName,
                                  key);
            });
      }
    }
  } else if (report_) {
    harvest_.MemberList(classEntry(), UnplacedReason::kNoItem);
  }

  const TextIndex& methods =
      CachedIndex(&indexes->methods, cls->m_pFuncs, cls->m_nFuncs);
  auto mapMethod = [&](const std::string& key) {
    return renamesMembers ? renames_->MapMethod(fileKey, classKey, key) : key;
  };
  xml_->RestorePosition("StartClass");
  if (cls->m_nFuncs > 0) {
    if (xml_->FindNext("MethodsList") && xml_->Enter()) {
      Fill(&cls->m_strFuncText, EntryKind::kClass, TextField::kFuncListText,
           false, classEntry);
      if (xml_->FindNext("MethodsShort") && xml_->Enter()) {
        Entries(
            "MethodShort", "Target", true, methods, mapMethod,
            [&](int i) {
              CDeclInfo& method = cls->m_pFuncs[i];
              Fill(&method.m_strShortDesc, EntryKind::kMethod,
                   TextField::kShort, false, [&] {
                     return report_->RecordEntry(EntryKind::kMethod, method,
                                                 cls);
                   });
            },
            [&](const std::string& key) {
              harvest_.ShortEntry(EntryKind::kMethod, classKey, cls->m_strName,
                                  key);
            });
      }
    }
    xml_->RestorePosition("StartClass");
    if (xml_->FindNext("Methods") && xml_->Enter()) {
      Entries(
          "Method", "anchor", true, methods, mapMethod,
          [&](int i) {
            FunctionBody(EntryKind::kMethod, &cls->m_pFuncs[i], cls,
                         "StartMethod", false);
          },
          [&](const std::string& key) {
            harvest_.Function(EntryKind::kMethod, classKey, cls->m_strName,
                              key);
          });
    }
  } else if (report_) {
    harvest_.MethodLists(classEntry(), UnplacedReason::kNoItem);
  }
  xml_->RestorePosition("StartClass");
}

void Merger::Classes() {
  if (!EnterRoot(xml_))
    return;
  auto mapKey = [&](const std::string& key) {
    return renames_ ? renames_->MapClass(key) : key;
  };
  if (module_->m_nClasses <= 0) {
    while (report_ && xml_->FindNext("Class")) {
      const std::string fileKey = KeyAttribute(*xml_, "anchor", false);
      if (renames_)
        renames_->NoteOrphanClass(fileKey);
      harvest_.Class(mapKey(fileKey));
    }
    return;
  }
  std::vector<ClassIndexes> indexes(module_->m_pClasses.size());
  const TextIndex index =
      IndexByAnchor(module_->m_pClasses, module_->m_nClasses);
  while (xml_->FindNext("Class")) {
    const std::string fileKey = KeyAttribute(*xml_, "anchor", false);
    const std::string key = mapKey(fileKey);
    const int i = index.Find(key);
    if (i < 0) {
      if (report_) {
        if (renames_)
          renames_->NoteOrphanClass(fileKey);
        harvest_.Class(key);
      }
      continue;
    }
    if (!xml_->Enter())
      continue;
    ClassBody(&module_->m_pClasses[i], &indexes[i], fileKey);
    xml_->Leave();
  }
}

template <void (Merger::*step)()>
void RunStep(CXmlTree* xml, CModuleInfo* module) {
  const MergeContext none;
  (Merger(xml, module, none).*step)();
}

}  // namespace

bool MergeXmlDocument(CXmlTree* xml, CModuleInfo* module,
                      const MergeContext& context) {
  xml->ResetPosition();
  if (!xml->FindNext("Varnel"))
    return false;
  std::string title;
  if (xml->Enter() && xml->FindNext("Module.Title"))
    title = xml->GetText();
  if (title != module->m_strName)
    return false;
  Merger merger(xml, module, context);
  merger.Module();
  merger.GlobalVars();
  merger.GlobalFuncs();
  merger.Classes();
  return true;
}

void MergeXmlModule(CXmlTree* xml, CModuleInfo* module) {
  RunStep<&Merger::Module>(xml, module);
}

void MergeXmlGlobalVars(CXmlTree* xml, CModuleInfo* module) {
  RunStep<&Merger::GlobalVars>(xml, module);
}

void MergeXmlGlobalFuncs(CXmlTree* xml, CModuleInfo* module) {
  RunStep<&Merger::GlobalFuncs>(xml, module);
}

void MergeXmlClasses(CXmlTree* xml, CModuleInfo* module) {
  RunStep<&Merger::Classes>(xml, module);
}
