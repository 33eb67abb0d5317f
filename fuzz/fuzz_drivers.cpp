#include "fuzz/fuzz_drivers.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <cstdlib>
#include <string>

#include "html/help_names.h"
#include "html/help_pages.h"
#include "html/help_project.h"
#include "html/html_writer.h"
#include "model/file_io.h"
#include "model/module_info.h"
#include "model/parser_settings.h"
#include "model/text.h"
#include "parser/parse_header.h"
#include "xml/merge_report.h"
#include "xml/merge_session.h"
#include "xml/orphan_harvest.h"
#include "xml/renames.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

#ifndef VARNEL_SOURCE_DIR
#error "VARNEL_SOURCE_DIR must name the source tree"
#endif

namespace {

void AbortOnFailedCheck(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace

void (*g_pfnFuzzCheckFailed)(const char* what) = AbortOnFailedCheck;

namespace {

// A broken promise is a finding like a crash.
void Require(bool condition, const char* what) {
  if (!condition)
    g_pfnFuzzCheckFailed(what);
}

const char kHeaderPath[] = "Fuzz.h";
const char kHtmlPath[] = "Fuzz.htm";

const TextList kMacros = {"GEO_EXPORT", "GEO_API", "DECLARE_SERIAL"};
const TextList kNotReturns = {"virtual", "int (DEFAULT)"};

std::string Join(const TextList& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

void RequireCountsMatch(const CModuleInfo& module) {
  Require(module.m_nVars == static_cast<int>(module.m_pVars.size()),
          "global variable count");
  Require(module.m_nFuncs == static_cast<int>(module.m_pFuncs.size()),
          "global function count");
  Require(module.m_nClasses == static_cast<int>(module.m_pClasses.size()),
          "class count");
  for (const CClassInfo& cls : module.m_pClasses) {
    Require(cls.m_nVars == static_cast<int>(cls.m_pVars.size()),
            "data member count");
    Require(cls.m_nFuncs == static_cast<int>(cls.m_pFuncs.size()),
            "method count");
  }
}

void SetAllOptions(CModuleInfo* module, bool wide) {
  CModuleInfo::Options o;
  o.bHelpKeywords = o.bSplitFiles = o.bStylesheet = wide;
  o.bShowPublic = true;
  o.bShowProtected = o.bShowPrivate = o.bShowLocal = wide;
  o.bShowExtern = true;
  module->SetOptions(o);
}

std::string Bytes(const TextList& lines, size_t from, size_t to) {
  std::string bytes;
  for (size_t i = from; i < to; ++i) {
    bytes += lines[i];
    bytes += "\r\n";
  }
  return bytes;
}

// The bytes a file written by `write` gets.
template <typename Write>
std::string WrittenBytes(CModuleInfo* module, Write write) {
  std::string bytes;
  Require(write(module, kHeaderPath, kHtmlPath,
                [&bytes](std::string_view block) {
                  bytes += block;
                  return true;
                }),
          "an output is written");
  return bytes;
}

// Both outputs, the files' bytes the same as the lists'; returns the XML
// as one text.
std::string BuildOutputs(CModuleInfo* module) {
  TextList lines;
  BuildHtmlPage(module, kHeaderPath, kHtmlPath, &lines);
  Require(!lines.empty(), "the HTML page has lines");
  Require(WrittenBytes(module, WriteHtmlPageBytes) ==
              Bytes(lines, 0, lines.size()),
          "the page's file holds the page's lines");
  BuildXmlDocument(module, kHeaderPath, kHtmlPath, &lines);
  Require(!lines.empty(), "the XML document has lines");
  Require(WrittenBytes(module, WriteXmlDocumentBytes) ==
              Bytes(lines, 0, lines.size()),
          "the XML file holds the document's lines");
  return Join(lines);
}

// The help book of the model: refused with a message, or pages with safe
// names whose bodies are the body of the page, and a project over them.
void CheckHelpBook(CModuleInfo* module) {
  const char kBookPath[] = "book/Fuzz.htm";
  std::vector<HelpPage> pages;
  std::string err;
  if (!PlanHelpBook(module, kHeaderPath, kBookPath, &pages, &err)) {
    Require(!err.empty(), "a refused help book has a message");
    return;
  }
  TextList head;
  WriteHtmlHead(&head, *module);
  std::string bodies;
  size_t handed = 0;
  HelpIndex index;
  Require(BuildHelpPages(module, kHeaderPath, kBookPath, pages,
                         [&](const HelpPage& page, TextList* lines,
                             std::string*) {
                           Require(&page == &pages[handed++],
                                   "pages come in the planned order");
                           Require(PageFileNameProblem(page.file).empty(),
                                   "a page file name is safe");
                           bodies += Bytes(*lines, head.size(),
                                           lines->size() - 2);
                           return true;
                         },
                         &index, &err),
          "a planned help book is cut");
  Require(handed == pages.size(), "every planned page is handed out");
  CModuleInfo::Options saved = module->GetOptions();
  module->m_bSplitFiles = module->m_bHelpKeywords = true;
  TextList page;
  BuildHtmlPage(module, kHeaderPath, kBookPath, &page);
  module->SetOptions(saved);
  Require(bodies == Bytes(page, head.size(), page.size() - 2),
          "the bodies of the pages are the body of the page");
  for (const HelpIndex::Entry* entry : index.Sorted())
    for (const HelpIndex::Target& target : entry->targets)
      Require(target.page < pages.size(), "a keyword leads to a page");
  Require(!HelpContentsLines(pages).empty() &&
              !HelpIndexLines(index, pages).empty() &&
              !HelpProjectLines({"Fuzz", true, true}, module->m_strName, pages)
                   .empty(),
          "the help project has its files");
}

const std::string& ExampleHeader() {
  static const std::string text = [] {
    std::string t;
    Require(ReadWholeFile(VARNEL_SOURCE_DIR "/examples/Geometry.h", &t) ==
                ReadStatus::kOk,
            "the example header is readable");
    return t;
  }();
  return text;
}

// The example header, parsed once; every merge starts from a copy.
const CModuleInfo& ExampleModel() {
  static const CModuleInfo model = [] {
    CModuleInfo m;
    m.m_strName = "Geometry";
    TextList lines;
    std::string err;
    Require(ParseHeaderText(ExampleHeader(), "Geometry.h", "Geometry.htm", kMacros,
                            kNotReturns, &lines, &m, &err),
            "the example header parses");
    return m;
  }();
  return model;
}

// The names a cursor program may ask for: the document format's own,
// prefixes and extensions of them, and the odd ones the matching rule
// gives a meaning of their own.
const char* const kNames[16] = {
    "",          "Varnel",   "Module.Title", "Class",
    "Method",    "Variable", "Description",  "anchor",
    "Class x",   "Var",      "Text",         "NAME",
    "a",         "b/",       "Parameter",    "Return",
};

// Visits every element depth first through the cursor operations and reads
// each; returns how many were visited.
size_t WalkAll(CXmlTree* xml, size_t limit) {
  xml->ResetPosition();
  if (!xml->FindNext())
    return 0;
  size_t visited = 0;
  for (;;) {
    Require(++visited <= limit, "the walk ends");
    std::string source = xml->GetSource();
    Require(!source.empty() && source[0] == '<', "a source starts a tag");
    xml->GetText();
    xml->GetAttribute("anchor");
    if (xml->FindChild() && xml->Enter())
      continue;
    while (!xml->FindNext()) {
      if (!xml->Leave())
        return visited;
    }
  }
}

}  // namespace

void FuzzHeader(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CModuleInfo module;
  module.m_strName = "Fuzz";
  TextList lines;
  std::string err;
  if (!ParseHeaderText(text, kHeaderPath, kHtmlPath, kMacros, kNotReturns,
                       &lines, &module, &err)) {
    Require(!err.empty(), "a failed parse has a message");
    return;
  }
  RequireCountsMatch(module);
  const CModuleInfo fresh = module;

  SetAllOptions(&module, true);
  const std::string xmlText = BuildOutputs(&module);
  CheckHelpBook(&module);
  SetAllOptions(&module, false);
  BuildOutputs(&module);
  CheckHelpBook(&module);

  // A second parse of the same text gives the same model.
  CModuleInfo second;
  second.m_strName = "Fuzz";
  Require(ParseHeaderText(text, kHeaderPath, kHtmlPath, kMacros, kNotReturns,
                          &lines, &second, &err),
          "the text parses again");
  SetAllOptions(&second, true);
  Require(BuildOutputs(&second) == xmlText, "parsing again gives the same");

  // The export reads back and merges into a fresh copy of the same parse.
  CXmlTree xml;
  Require(xml.Load(xmlText), "the export is well-formed");
  CModuleInfo merged = fresh;
  Require(MergeXmlDocument(&xml, &merged), "the export merges back");
  RequireCountsMatch(merged);
}

void FuzzXmlTree(const uint8_t* data, size_t size) {
  if (size == 0)
    return;
  const size_t programSize = std::min<size_t>(data[0], size - 1);
  const uint8_t* program = data + 1;
  const std::string text(reinterpret_cast<const char*>(data + 1 + programSize),
                         size - 1 - programSize);
  CXmlTree xml;
  const bool loaded = xml.Load(text);
  if (!loaded) {
    Require(!xml.FindNext(), "an unloaded tree has no element");
    Require(xml.GetSource().empty(), "an unloaded tree has no source");
  }
  const size_t limit = text.size() + 1;
  for (size_t i = 0; i < programSize; ++i) {
    const int op = program[i] % 16;
    const std::string name = kNames[program[i] / 16];
    switch (op) {
      case 0: xml.ResetPosition(); break;
      case 1: xml.FindNext(name); break;
      case 2: xml.FindChild(name); break;
      case 3: xml.Enter(); break;
      case 4: xml.Leave(); break;
      case 5: Require(xml.SavePosition(name), "a position saves"); break;
      case 6: xml.RestorePosition(name); break;
      case 7: xml.GetText(); break;
      case 8: xml.GetChildText(); break;
      case 9: xml.GetAttribute(name); break;
      case 10: {
        std::string source = xml.GetSource();
        Require(source.empty() || source[0] == '<', "a source starts a tag");
        Require(source.find(xml.GetInnerSource()) != std::string::npos,
                "the inner source lies within the source");
        break;
      }
      case 11: {
        size_t steps = 0;
        while (xml.FindNext(name))
          Require(++steps <= limit, "FindNext ends");
        break;
      }
      case 12: {
        size_t visited = WalkAll(&xml, limit);
        Require(loaded || visited == 0, "an unloaded tree has no element");
        break;
      }
      case 13:
        Require(xml.Load(text) == loaded, "loading again gives the same");
        break;
      case 14: {
        size_t steps = 0;
        while (xml.FindChild(name))
          Require(++steps <= limit, "FindChild ends");
        break;
      }
      case 15: xml.GetError(); break;
    }
  }
  WalkAll(&xml, limit);
}

// Renames over the example's names, some to names it has, some not.
const char* const kRenames[] = {
    "CPoint::Distance=CPoint::Origin", "CList=CShape",
    "Distance=Clamp",                  "g_nShapeCount=g_pszGeoName",
    "CPoint::m_x=CPoint::m_y",         "CShape::Draw=CShape::Paint",
    "SRect=SNothing",
};

// The description texts of a report, with their kinds and fields; the
// module's own are left out, since the side file joins them into one.
std::multiset<std::string> KeptTexts(const MergeReport& report) {
  std::multiset<std::string> texts;
  for (const UnplacedEntry* entry : report.Entries()) {
    if (entry->kind == EntryKind::kModule)
      continue;
    for (const UnplacedText& text : entry->texts)
      texts.insert(std::to_string(static_cast<int>(entry->kind)) + "." +
                   std::to_string(static_cast<int>(text.field)) + ":" +
                   text.text);
  }
  return texts;
}

// The side file of a report is a Varnel file of the module that keeps
// every text of the report, byte for byte.
void RequireSideFileKeepsAll(const MergeReport& report) {
  TextList lines;
  BuildSideFile(report, "Geometry", &lines);
  CXmlTree side;
  Require(side.Load(Join(lines)), "the side file is well-formed");
  MergeReport back;
  Require(HarvestXmlDocument(&side, "Geometry", "side", &back),
          "the side file is one of its module");
  const std::multiset<std::string> kept = KeptTexts(report);
  const std::multiset<std::string> read = KeptTexts(back);
  for (const std::string& text : kept)
    Require(read.count(text) > 0, "the side file keeps every text");
  CModuleInfo module = ExampleModel();
  Require(MergeXmlDocument(&side, &module), "the side file merges");
  RequireCountsMatch(module);
}

// Merged with a report, the file places the same; what found no place,
// and what the narrow filters leave out, goes to a side file that keeps
// all of it. With renames the merge stays sound and so does its side file.
void RequireNothingLost(CXmlTree* xml, const std::string& once) {
  CModuleInfo module = ExampleModel();
  SetAllOptions(&module, true);
  MergeSession session(&module, nullptr);
  Require(session.MergeLoaded(xml, "fuzz.xml"), "the file merges reported");
  Require(BuildOutputs(&module) == once, "reporting changes nothing placed");
  SetAllOptions(&module, false);
  SideFilePlan plan;
  std::string err;
  Require(session.PlanSideFile("-", &plan, &err), "a plan without a file");
  RequireSideFileKeepsAll(plan.kept);

  CModuleInfo renamed = ExampleModel();
  SetAllOptions(&renamed, true);
  RenameMap renames;
  for (const char* renameArg : kRenames)
    Require(renames.Add(renameArg, &err), "the renames are well-formed");
  renames.Resolve(renamed);
  MergeSession moved(&renamed, &renames);
  Require(moved.MergeLoaded(xml, "fuzz.xml"), "the file merges renamed");
  RequireCountsMatch(renamed);
  BuildOutputs(&renamed);
  RequireSideFileKeepsAll(moved.Report());
  SuggestRenames(moved.Report(), renamed);
}

void FuzzMerge(const uint8_t* data, size_t size) {
  const std::string text =
      CrLfToLf(std::string(reinterpret_cast<const char*>(data), size));
  CXmlTree xml;
  if (!xml.Load(text))
    return;
  CModuleInfo module = ExampleModel();
  SetAllOptions(&module, true);
  if (!MergeXmlDocument(&xml, &module))
    return;
  RequireCountsMatch(module);
  const std::string once = BuildOutputs(&module);

  // A second merge of the same file finds every field it fills taken.
  Require(MergeXmlDocument(&xml, &module), "the file merges again");
  Require(BuildOutputs(&module) == once, "merging twice changes nothing");

  // The export reads back into a fresh parse and gives the same export:
  // whatever was merged once survives every later round trip.
  CXmlTree again;
  Require(again.Load(once), "the export after a merge is well-formed");
  CModuleInfo fresh = ExampleModel();
  SetAllOptions(&fresh, true);
  Require(MergeXmlDocument(&again, &fresh), "the export merges back");
  Require(BuildOutputs(&fresh) == once, "the round trip keeps every text");

  RequireNothingLost(&xml, once);
}

void FuzzSettings(const uint8_t* data, size_t size) {
  // One file for the whole run, removed when the run ends.
  struct TemporaryFile {
    TemporaryFile() {
      char name[] = "/tmp/varnel-fuzz-settings.XXXXXX";
      int fd = mkstemp(name);
      Require(fd >= 0, "a temporary file");
      close(fd);
      path = name;
    }
    ~TemporaryFile() { std::remove(path.c_str()); }
    std::string path;
  };
  static const TemporaryFile file;
  const std::string& path = file.path;
  FILE* f = std::fopen(path.c_str(), "wb");
  Require(f != nullptr, "the temporary file opens");
  Require(size == 0 || std::fwrite(data, 1, size, f) == size,
          "the settings are written");
  std::fclose(f);

  TextList macros = {"OLD"}, notReturns = {"OLD"};
  std::string err;
  Require(ReadParserSettingsInto(path, &macros, &notReturns, &err),
          "an existing settings file reads");
  for (const TextList* list : {&macros, &notReturns}) {
    for (const std::string& entry : *list) {
      Require(!entry.empty(), "entries are not empty");
      Require(Trimmed(entry) == entry, "entries are trimmed");
      Require(entry.find('\n') == std::string::npos, "entries are one line");
    }
  }

  CModuleInfo module;
  module.m_strName = "Geometry";
  TextList lines;
  if (!ParseHeaderText(ExampleHeader(), "Geometry.h", "Geometry.htm", macros,
                       notReturns, &lines, &module, &err))
    return;
  RequireCountsMatch(module);
  SetAllOptions(&module, true);
  BuildOutputs(&module);
}
