#include "xml/orphan_harvest.h"

#include "xml/merge_text.h"
#include "xml/renames.h"

namespace {

int ScopeOf(const CXmlTree& xml, EntryKind kind) {
  const std::string scope = xml.GetAttribute("Scope");
  if (kind == EntryKind::kVariable || kind == EntryKind::kFunction)
    return scope == "local" ? SCOPE_LOCAL : SCOPE_EXTERN;
  if (scope == "private")
    return SCOPE_PRIVATE;
  if (scope == "protected")
    return SCOPE_PROTECTED;
  return SCOPE_PUBLIC;
}

bool CutsInitializer(EntryKind kind) {
  return kind == EntryKind::kVariable || kind == EntryKind::kMember;
}

// A name for a function or method known only by its anchor.
std::string NameFromKey(const std::string& key, EntryKind kind,
                        const std::string& className) {
  const std::string prefix =
      kind == EntryKind::kFunction ? "GF" : AnchorFor("CF", className);
  return StartsWith(key, prefix) && key.size() > prefix.size()
             ? key.substr(prefix.size())
             : key;
}

}  // namespace

OrphanHarvest::OrphanHarvest(CXmlTree* xml, MergeReport* report,
                             const std::string& source)
    : xml_(xml), report_(report), source_(source) {}

void OrphanHarvest::Keep(UnplacedEntry* entry, TextField field,
                         UnplacedReason reason, const std::string& item,
                         const std::string& text) {
  if (IsWrittenText(text, entry->kind, field, item))
    report_->Add(entry, {field, reason, item, text, source_});
}

void OrphanHarvest::ShortEntry(EntryKind kind, const std::string& classKey,
                               const std::string& className,
                               const std::string& key) {
  UnplacedEntry* entry = report_->Entry(kind, classKey, key);
  entry->className = className;
  if (entry->scope == 0)
    entry->scope = ScopeOf(*xml_, kind);
  if (entry->name.empty())
    entry->name = ChildName(xml_);
  if (!xml_->Enter())
    return;
  if (xml_->FindNext("Description"))
    Keep(entry, TextField::kShort, UnplacedReason::kNoEntry, "",
         DescriptionText(*xml_, CutsInitializer(kind)));
  xml_->Leave();
}

void OrphanHarvest::Function(EntryKind kind, const std::string& classKey,
                             const std::string& className,
                             const std::string& key) {
  UnplacedEntry* entry = report_->Entry(kind, classKey, key);
  entry->className = className;
  if (entry->name.empty())
    entry->name = NameFromKey(key, kind, className);
  if (!xml_->Enter())
    return;
  const CXmlTree::Cursor start = xml_->GetCursor();
  TextList decls;
  while (xml_->FindNext("Header")) {
    std::string decl = xml_->GetText();
    DecodeUmlauts(&decl);
    decls.push_back(std::move(decl));
  }
  if (entry->decls.empty())
    entry->decls = std::move(decls);
  xml_->SetCursor(start);
  if (xml_->FindNext("Description"))
    Keep(entry, TextField::kDescription, UnplacedReason::kNoEntry, "",
         DescriptionText(*xml_));
  TextList returns, params;
  xml_->SetCursor(start);
  Items(entry, "ReturnValues", "ReturnValue", TextField::kReturnValue,
        &returns);
  xml_->SetCursor(start);
  Items(entry, "Parameters", "Parameter", TextField::kParameter, &params);
  if (entry->returns.empty())
    entry->returns = std::move(returns);
  if (entry->params.empty())
    entry->params = std::move(params);
  xml_->SetCursor(start);
  xml_->Leave();
}

void OrphanHarvest::Items(UnplacedEntry* entry, const char* listTag,
                          const char* itemTag, TextField field,
                          TextList* texts) {
  if (!xml_->FindNext(listTag) || !xml_->Enter())
    return;
  while (xml_->FindNext(itemTag)) {
    std::string name = ChildName(xml_);
    texts->push_back(name);
    if (!xml_->Enter())
      continue;
    if (xml_->FindNext("Description"))
      Keep(entry, field, UnplacedReason::kNoEntry, name,
           DescriptionText(*xml_));
    xml_->Leave();
  }
  xml_->Leave();
}

void OrphanHarvest::Class(const std::string& key) {
  UnplacedEntry* cls = report_->Entry(EntryKind::kClass, "", key);
  if (cls->name.empty())
    cls->name = ChildName(xml_, "Header");
  if (!xml_->Enter())
    return;
  const CXmlTree::Cursor start = xml_->GetCursor();
  if (xml_->FindNext("Description"))
    Keep(cls, TextField::kDescription, UnplacedReason::kNoEntry, "",
         DescriptionText(*xml_));
  xml_->SetCursor(start);
  MemberList(cls, UnplacedReason::kNoEntry);
  MethodLists(cls, UnplacedReason::kNoEntry);
  xml_->SetCursor(start);
  xml_->Leave();
}

void OrphanHarvest::Entries(const char* entryTag, EntryKind kind,
                            bool function, const std::string& classKey,
                            const std::string& className,
                            const char* keyAttribute, bool stripHash) {
  while (xml_->FindNext(entryTag)) {
    const std::string key = KeyAttribute(*xml_, keyAttribute, stripHash);
    if (function)
      Function(kind, classKey, className, key);
    else
      ShortEntry(kind, classKey, className, key);
  }
}

void OrphanHarvest::List(const char* listTag, UnplacedEntry* owner,
                         TextField field, UnplacedReason reason,
                         const char* entriesTag, const char* entryTag,
                         EntryKind kind) {
  const CXmlTree::Cursor start = xml_->GetCursor();
  const bool inClass = owner->kind == EntryKind::kClass;
  if (xml_->FindNext(listTag) && xml_->Enter()) {
    const CXmlTree::Cursor inside = xml_->GetCursor();
    if (xml_->FindNext("Description"))
      Keep(owner, field, reason, "", DescriptionText(*xml_));
    xml_->SetCursor(inside);
    if (xml_->FindNext(entriesTag) && xml_->Enter()) {
      Entries(entryTag, kind, false, inClass ? owner->key : "",
              inClass ? owner->name : "", "Target", true);
    }
  }
  xml_->SetCursor(start);
}

void OrphanHarvest::FunctionEntries(const char* listTag, const char* entryTag,
                                    EntryKind kind,
                                    const std::string& classKey,
                                    const std::string& className,
                                    bool stripHash) {
  const CXmlTree::Cursor start = xml_->GetCursor();
  if (xml_->FindNext(listTag) && xml_->Enter())
    Entries(entryTag, kind, true, classKey, className, "anchor", stripHash);
  xml_->SetCursor(start);
}

void OrphanHarvest::VariableList(UnplacedEntry* owner, UnplacedReason reason) {
  List("Module.VariableList", owner, TextField::kVarListText, reason,
       "Variables", "Variable", EntryKind::kVariable);
}

void OrphanHarvest::FunctionLists(UnplacedEntry* owner,
                                  UnplacedReason reason) {
  List("Module.FunctionList", owner, TextField::kFuncListText, reason,
       "FunctionsShort", "FunctionShort", EntryKind::kFunction);
  FunctionEntries("Module.Functions", "ModuleFunction", EntryKind::kFunction,
                  "", "", false);
}

void OrphanHarvest::MemberList(UnplacedEntry* cls, UnplacedReason reason) {
  List("MemberList", cls, TextField::kVarListText, reason, "Members", "Member",
       EntryKind::kMember);
}

void OrphanHarvest::MethodLists(UnplacedEntry* cls, UnplacedReason reason) {
  List("MethodsList", cls, TextField::kFuncListText, reason, "MethodsShort",
       "MethodShort", EntryKind::kMethod);
  FunctionEntries("Methods", "Method", EntryKind::kMethod, cls->key, cls->name,
                  true);
}

bool HarvestXmlDocument(CXmlTree* xml, const std::string& moduleName,
                        const std::string& source, MergeReport* report) {
  xml->ResetPosition();
  if (!xml->FindNext("Varnel") || !xml->Enter())
    return false;
  const CXmlTree::Cursor root = xml->GetCursor();
  if (!xml->FindNext("Module.Title") || xml->GetText() != moduleName)
    return false;
  OrphanHarvest harvest(xml, report, source);
  UnplacedEntry* module = report->Entry(EntryKind::kModule, "", "");
  module->name = moduleName;
  xml->SetCursor(root);
  if (xml->FindNext("Module.Description") && xml->Enter() &&
      xml->FindNext("Text"))
    harvest.Keep(module, TextField::kDescription, UnplacedReason::kNoEntry, "",
                 ModuleText(*xml));
  xml->SetCursor(root);
  harvest.VariableList(module, UnplacedReason::kNoEntry);
  harvest.FunctionLists(module, UnplacedReason::kNoEntry);
  while (xml->FindNext("Class"))
    harvest.Class(KeyAttribute(*xml, "anchor", false));
  return true;
}
