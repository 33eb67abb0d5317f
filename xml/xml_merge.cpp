#include "xml/xml_merge.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "model/text.h"
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

// The writer escapes umlauts, sharp s and the section sign into entities
// that the reader leaves alone; without this, keys holding them would
// never match and include names would grow an "&amp;" per round trip.
void DecodeUmlauts(std::string* text) {
  static const struct {
    const char* entity;
    const char* byte;
  } kEntities[] = {
      {"&auml;", "\xE4"},  {"&Auml;", "\xC4"}, {"&ouml;", "\xF6"},
      {"&Ouml;", "\xD6"},  {"&uuml;", "\xFC"}, {"&Uuml;", "\xDC"},
      {"&szlig;", "\xDF"}, {"&sect;", "\xA7"},
  };
  if (text->find('&') == std::string::npos)
    return;
  for (const auto& e : kEntities)
    ReplaceAll(text, e.entity, e.byte);
}

const char kInitializationLine[] = "<br/>Initialization:<br/>";

// The writer puts a variable's initialiser block into its description;
// reading it back as part of the description would double it on every
// round trip.
void CutInitializerBlock(std::string* text) {
  size_t start = 0;
  for (;;) {
    size_t end = text->find('\n', start);
    size_t stop = end == std::string::npos ? text->size() : end;
    if (Trimmed(std::string_view(*text).substr(start, stop - start)) ==
        kInitializationLine) {
      text->resize(start);
      Trim(text);
      return;
    }
    if (end == std::string::npos)
      return;
    start = end + 1;
  }
}

// True when `text`, written between `open` and `close` the way the writers
// write a description, reads back as exactly that text.
bool ReadsBack(const std::string& text, std::string_view open,
               std::string_view close) {
  if (text.find('<') == std::string::npos)
    return true;
  const std::string inner = "\n" + text + "\n";
  CXmlTree xml;
  return xml.Load(std::string(open) + inner + std::string(close)) &&
         xml.FindNext() && xml.GetInnerSource() == inner;
}

// The source of the current element without its own tags and without the
// usual tags of its kind inside it; markup and entity references are kept
// as written. The element's own tags are cut where the reader found them
// rather than by their usual spelling, so that a start tag such as
// "<Description >" or "<Description/>" does not stay in the text. When the
// removal of inner tags (or of the initialiser block) would unbalance the
// markup, the text is kept as written instead: the next export must read
// back. Its initialiser line, if any, is then spelled differently, so that
// the next read cuts the block the writer appends and not this one.
std::string CleanedSource(const CXmlTree& xml, std::string_view open,
                          std::string_view close,
                          bool cutInitializer = false) {
  const std::string inner = xml.GetInnerSource();
  std::string text = inner;
  ReplaceAll(&text, open, "");
  ReplaceAll(&text, close, "");
  Trim(&text);
  if (cutInitializer)
    CutInitializerBlock(&text);
  if (ReadsBack(text, open, close))
    return text;
  text = Trimmed(inner);
  if (cutInitializer)
    ReplaceAll(&text, kInitializationLine, "<br />Initialization:<br />");
  return ReadsBack(text, open, close) ? text : std::string();
}

// Finds the next Description at the current level and stores its text in
// `field` if the field is still empty. The find is skipped when the field
// is filled, which decides where later finds at this level continue.
void FillFromDescription(CXmlTree* xml, std::string* field,
                         bool cutInitializer = false) {
  if (!field->empty() || !xml->FindNext("Description"))
    return;
  *field = CleanedSource(*xml, "<Description>", "</Description>",
                         cutInitializer);
}

std::string KeyOf(const CXmlTree& xml, const char* attribute, bool stripHash) {
  std::string key = xml.GetAttribute(attribute);
  if (stripHash)
    key.erase(0, key.find_first_not_of('#'));
  return key;
}

// For every `element` at the current level whose key names a record:
// enter it, let `rule` fill that record, leave it again. `rule` must end
// at the level of the entered element's children.
template <typename Rule>
void MergeEntries(CXmlTree* xml, const char* element, const char* attribute,
                  bool stripHash, const TextIndex& index, Rule rule) {
  while (xml->FindNext(element)) {
    const int i = index.Find(KeyOf(*xml, attribute, stripHash));
    if (i < 0 || !xml->Enter())
      continue;
    rule(i);
    xml->Leave();
  }
}

// ReturnValues/ReturnValue or Parameters/Parameter of a function element:
// each item's description goes to every index whose text equals the
// item's Name. The cursor is used exactly as an item-by-item walk would:
// entering an item again after a Description was taken there continues
// after that Description, so equal texts take successive items.
void MergeSubList(CXmlTree* xml, const char* list, const char* item,
                  const TextList& texts, TextList* descs) {
  if (texts.empty() || !xml->FindNext(list) || !xml->Enter())
    return;
  const TextIndex indices(
      std::vector<std::string_view>(texts.begin(), texts.end()));
  while (xml->FindNext(item)) {
    if (!xml->FindChild("Name"))
      continue;
    std::string name = xml->GetChildText();
    DecodeUmlauts(&name);
    for (int k = indices.Find(name); k >= 0; k = indices.NextEqual(k)) {
      if (!xml->Enter())
        continue;
      if (k < static_cast<int>(descs->size()) && (*descs)[k].empty() &&
          xml->FindNext("Description"))
        (*descs)[k] = CleanedSource(*xml, "<Description>", "</Description>");
      xml->Leave();
    }
  }
  xml->Leave();
}

// Inside a ModuleFunction or Method element.
void MergeFunctionBody(CXmlTree* xml, CDeclInfo* func, const char* start,
                       bool returnsFirst) {
  xml->SavePosition(start);
  FillFromDescription(xml, &func->m_strDescription);
  for (int pass = 0; pass < 2; ++pass) {
    xml->RestorePosition(start);
    if ((pass == 0) == returnsFirst)
      MergeSubList(xml, "ReturnValues", "ReturnValue", func->m_arrReturns,
                   &func->m_arrReturnDescs);
    else
      MergeSubList(xml, "Parameters", "Parameter", func->m_arrParams,
                   &func->m_arrParamDescs);
  }
  xml->RestorePosition(start);
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

// Inside a Class element.
void MergeClassBody(CXmlTree* xml, CClassInfo* cls, ClassIndexes* indexes) {
  xml->SavePosition("StartClass");
  FillFromDescription(xml, &cls->m_strDescription);

  xml->RestorePosition("StartClass");
  if (cls->m_nVars > 0 && xml->FindNext("MemberList") && xml->Enter()) {
    FillFromDescription(xml, &cls->m_strVarText);
    if (xml->FindNext("Members") && xml->Enter()) {
      MergeEntries(xml, "Member", "Target", true,
                   CachedIndex(&indexes->members, cls->m_pVars, cls->m_nVars),
                   [&](int i) {
                     FillFromDescription(xml, &cls->m_pVars[i].m_strShortDesc,
                                         true);
                   });
    }
  }

  const TextIndex& methods =
      CachedIndex(&indexes->methods, cls->m_pFuncs, cls->m_nFuncs);
  xml->RestorePosition("StartClass");
  if (cls->m_nFuncs > 0 && xml->FindNext("MethodsList") && xml->Enter()) {
    FillFromDescription(xml, &cls->m_strFuncText);
    if (xml->FindNext("MethodsShort") && xml->Enter()) {
      MergeEntries(xml, "MethodShort", "Target", true, methods, [&](int i) {
        FillFromDescription(xml, &cls->m_pFuncs[i].m_strShortDesc);
      });
    }
  }

  xml->RestorePosition("StartClass");
  if (cls->m_nFuncs > 0 && xml->FindNext("Methods") && xml->Enter()) {
    MergeEntries(xml, "Method", "anchor", true, methods, [&](int i) {
      MergeFunctionBody(xml, &cls->m_pFuncs[i], "StartMethod", false);
    });
  }
  xml->RestorePosition("StartClass");
}

}  // namespace

bool MergeXmlDocument(CXmlTree* xml, CModuleInfo* module) {
  xml->ResetPosition();
  if (!xml->FindNext("Varnel"))
    return false;
  std::string title;
  if (xml->Enter() && xml->FindNext("Module.Title"))
    title = xml->GetText();
  if (title != module->m_strName)
    return false;
  MergeXmlModule(xml, module);
  MergeXmlGlobalVars(xml, module);
  MergeXmlGlobalFuncs(xml, module);
  MergeXmlClasses(xml, module);
  return true;
}

void MergeXmlModule(CXmlTree* xml, CModuleInfo* module) {
  if (module->m_strDescription.empty() && EnterRoot(xml) &&
      xml->FindNext("Module.Description") && xml->Enter() &&
      xml->FindNext("Text"))
    module->m_strDescription = CleanedSource(*xml, "<Text>", "</Text>");

  if (!module->m_arrCppIncludes.empty())
    return;
  if (EnterRoot(xml) && xml->FindNext("Module.Description") && xml->Enter() &&
      xml->FindNext("CPPIncludesList") && xml->Enter() &&
      xml->FindNext("CPPIncludes") && xml->Enter()) {
    while (xml->FindNext("CPPInclude")) {
      std::string include = xml->GetText();
      DecodeUmlauts(&include);
      if (!include.empty())
        module->m_arrCppIncludes.push_back(include);
    }
  }
}

void MergeXmlGlobalVars(CXmlTree* xml, CModuleInfo* module) {
  if (module->m_nVars <= 0 || !EnterRoot(xml) ||
      !xml->FindNext("Module.VariableList") || !xml->Enter())
    return;
  FillFromDescription(xml, &module->m_strVarText);
  if (!xml->FindNext("Variables") || !xml->Enter())
    return;
  MergeEntries(xml, "Variable", "Target", true,
               IndexByAnchor(module->m_pVars, module->m_nVars), [&](int i) {
                 FillFromDescription(xml, &module->m_pVars[i].m_strShortDesc,
                                     true);
               });
}

void MergeXmlGlobalFuncs(CXmlTree* xml, CModuleInfo* module) {
  if (module->m_nFuncs <= 0)
    return;
  const TextIndex index = IndexByAnchor(module->m_pFuncs, module->m_nFuncs);

  if (EnterRoot(xml) && xml->FindNext("Module.FunctionList") && xml->Enter()) {
    FillFromDescription(xml, &module->m_strFuncText);
    if (xml->FindNext("FunctionsShort") && xml->Enter()) {
      MergeEntries(xml, "FunctionShort", "Target", true, index, [&](int i) {
        FillFromDescription(xml, &module->m_pFuncs[i].m_strShortDesc);
      });
    }
  }

  if (EnterRoot(xml) && xml->FindNext("Module.Functions") && xml->Enter()) {
    MergeEntries(xml, "ModuleFunction", "anchor", false, index, [&](int i) {
      MergeFunctionBody(xml, &module->m_pFuncs[i], "StartFunction", true);
    });
  }
}

void MergeXmlClasses(CXmlTree* xml, CModuleInfo* module) {
  if (module->m_nClasses <= 0 || !EnterRoot(xml))
    return;
  std::vector<ClassIndexes> indexes(module->m_pClasses.size());
  MergeEntries(
      xml, "Class", "anchor", false,
      IndexByAnchor(module->m_pClasses, module->m_nClasses),
      [&](int i) { MergeClassBody(xml, &module->m_pClasses[i], &indexes[i]); });
}
