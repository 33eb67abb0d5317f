// The merge's report of what it could not place, the renames, and the
// side file that keeps those texts: an export is filled with unique texts,
// the header changes, and every text must be found again, in the model or
// in the report.
#include "xml/merge_report.h"
#include "xml/placeholder_lines_for_tests.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "parser/parse_header.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace {

const char kHeaderV1[] =
    "extern int g_nCount;\n"
    "static int s_nLocal;\n"
    "int Area(int w, int h);\n"
    "static void Reset(void);\n"
    "class CFoo : public CBase\n"
    "{\n"
    "public:\n"
    "    int Bar(int x);\n"
    "    void Draw(int nMode, int nFlags);\n"
    "    int m_nSize;\n"
    "private:\n"
    "    void Hidden(void);\n"
    "    int m_nSecret;\n"
    "};\n"
    "class COld\n"
    "{\n"
    "public:\n"
    "    void Run(void);\n"
    "};\n";

CModuleInfo Parse(const std::string& header) {
  CModuleInfo module;
  module.m_strName = "A";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(header, "A.h", "A.htm", TextList(), TextList(),
                              &lines, &module, &err))
      << err;
  return module;
}

std::string Replaced(std::string text, const std::string& from,
                     const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(std::string::npos, at) << from;
  if (at != std::string::npos)
    text.replace(at, from.size(), to);
  return text;
}

const auto& kPlaceholders = kPlaceholderLines;

// The export of `module` with every placeholder line replaced by a text of
// its own, "Text 1", "Text 2" ...; `count` gets how many.
std::string FilledExport(CModuleInfo module, int* count) {
  TextList lines;
  BuildXmlDocument(&module, "A.h", "A.htm", &lines);
  std::string xml;
  *count = 0;
  for (const std::string& line : lines) {
    bool placeholder = false;
    for (const char* p : kPlaceholders)
      placeholder = placeholder || line == p;
    xml += placeholder ? "Text " + std::to_string(++*count) : line;
    xml += "\n";
  }
  return xml;
}

std::string Export(CModuleInfo module) {
  TextList lines;
  BuildXmlDocument(&module, "A.h", "A.htm", &lines);
  std::string xml;
  for (const std::string& line : lines)
    xml += line + "\n";
  return xml;
}

bool Merge(const std::string& xml, CModuleInfo* module, MergeReport* report,
           RenameMap* renames = nullptr, const std::string& source = "A.xml") {
  CXmlTree tree;
  EXPECT_TRUE(tree.Load(xml)) << tree.GetError();
  MergeContext context;
  context.source = source;
  context.report = report;
  context.renames = renames;
  return MergeXmlDocument(&tree, module, context);
}

// Every "Text N" in the text, as the numbers.
std::set<int> TextNumbers(const std::string& text) {
  std::set<int> numbers;
  for (size_t at = text.find("Text "); at != std::string::npos;
       at = text.find("Text ", at + 1))
    numbers.insert(std::stoi(text.substr(at + 5)));
  return numbers;
}

std::set<int> ReportedNumbers(const MergeReport& report) {
  std::set<int> numbers;
  for (const UnplacedEntry* entry : report.Entries())
    for (const auto& text : entry->texts)
      for (int n : TextNumbers(text.text))
        numbers.insert(n);
  return numbers;
}

const UnplacedEntry* Find(const MergeReport& report, EntryKind kind,
                          const std::string& name) {
  for (const UnplacedEntry* entry : report.Entries())
    if (entry->kind == kind && entry->name == name)
      return entry;
  return nullptr;
}

std::set<int> AllNumbers(int count) {
  std::set<int> all;
  for (int i = 1; i <= count; ++i)
    all.insert(i);
  return all;
}

// Every text of a filled export is either in the new export or reported.
void ExpectNothingLost(int count, const CModuleInfo& merged,
                       const MergeReport& report) {
  std::set<int> found = TextNumbers(Export(merged));
  for (int n : ReportedNumbers(report))
    found.insert(n);
  EXPECT_EQ(AllNumbers(count), found);
}

TEST(MergeReportTest, EntriesGoneFromTheHeaderAreReportedWithEveryText) {
  int count = 0;
  const std::string filled = FilledExport(Parse(kHeaderV1), &count);
  // Bar renamed, COld and Reset and s_nLocal removed, Draw loses nFlags.
  std::string v2 = Replaced(kHeaderV1, "int Bar(int x);", "int Baz(int x);");
  v2 = Replaced(v2, "static void Reset(void);\n", "");
  v2 = Replaced(v2, "static int s_nLocal;\n", "");
  v2 = Replaced(v2, "int nMode, int nFlags", "int nMode");
  v2 = Replaced(v2, v2.substr(v2.find("class COld")), "");
  CModuleInfo model = Parse(v2);
  MergeReport report;
  ASSERT_TRUE(Merge(filled, &model, &report));

  const UnplacedEntry* bar = Find(report, EntryKind::kMethod, "Bar");
  ASSERT_TRUE(bar);
  EXPECT_EQ("CFoo", bar->className);
  EXPECT_EQ(4u, bar->texts.size());  // short, detailed, parameter, return
  EXPECT_EQ((TextList{"int x"}), bar->params);
  EXPECT_EQ((TextList{"int"}), bar->returns);
  const UnplacedEntry* old = Find(report, EntryKind::kClass, "COld");
  ASSERT_TRUE(old);
  EXPECT_EQ(1u, old->texts.size());  // Run's texts belong to the method
  ASSERT_TRUE(Find(report, EntryKind::kMethod, "Run"));
  // Reset's "void" parameter carries no text of its own; without settings
  // its return value is "static void".
  EXPECT_EQ(3u, Find(report, EntryKind::kFunction, "Reset")->texts.size());
  ASSERT_TRUE(Find(report, EntryKind::kVariable, "static int s_nLocal"));

  const UnplacedEntry* draw = Find(report, EntryKind::kMethod, "Draw");
  ASSERT_TRUE(draw);
  ASSERT_EQ(1u, draw->texts.size());
  EXPECT_EQ(UnplacedReason::kNoItem, draw->texts[0].reason);
  EXPECT_EQ("int nFlags", draw->texts[0].item);
  EXPECT_EQ("A.xml", draw->texts[0].source);

  EXPECT_EQ(0, report.CountTexts([](const UnplacedText& t) {
              return t.reason == UnplacedReason::kNotTaken;
            }));
  ExpectNothingLost(count, model, report);
}

TEST(MergeReportTest, ReportingChangesNothingThatIsPlaced) {
  int count = 0;
  const std::string filled = FilledExport(Parse(kHeaderV1), &count);
  std::string v2 = Replaced(kHeaderV1, "int Bar(int x);", "int Baz(int x);");
  CModuleInfo quiet = Parse(v2), reported = Parse(v2);
  MergeReport report;
  ASSERT_TRUE(Merge(filled, &quiet, nullptr));
  ASSERT_TRUE(Merge(filled, &reported, &report));
  EXPECT_EQ(Export(quiet), Export(reported));
}

TEST(MergeReportTest, TextsOfALaterFileAreNotTakenOverOthersButReplacePlaceholders) {
  CModuleInfo v1 = Parse(kHeaderV1);
  int count = 0;
  const std::string filled = FilledExport(v1, &count);
  const std::string unedited = Export(v1);

  // An unedited export first: its placeholders give way to the texts.
  CModuleInfo model = Parse(kHeaderV1);
  MergeReport report;
  ASSERT_TRUE(Merge(unedited, &model, &report, nullptr, "old.xml"));
  ASSERT_TRUE(Merge(filled, &model, &report));
  EXPECT_EQ(0, report.TextCount());
  EXPECT_EQ(AllNumbers(count), TextNumbers(Export(model)));

  // The same texts again change nothing and report nothing; other texts
  // are refused and reported with the file they came from.
  ASSERT_TRUE(Merge(filled, &model, &report));
  EXPECT_EQ(0, report.TextCount());
  std::string other = filled;
  for (size_t at = other.find("Text "); at != std::string::npos;
       at = other.find("Text ", at + 6))
    other.replace(at, 5, "Other");
  ASSERT_TRUE(Merge(other, &model, &report, nullptr, "B.xml"));
  EXPECT_EQ(count, report.TextCount());
  EXPECT_EQ(count, report.CountTexts([](const UnplacedText& t) {
              return t.reason == UnplacedReason::kNotTaken &&
                     t.source == "B.xml";
            }));
  EXPECT_EQ(AllNumbers(count), TextNumbers(Export(model)));
}

TEST(MergeReportTest, FilteredTextsAreTheOnesTheXmlLeavesOut) {
  int count = 0;
  const std::string filled = FilledExport(Parse(kHeaderV1), &count);
  CModuleInfo model = Parse(kHeaderV1);
  ASSERT_TRUE(Merge(filled, &model, nullptr));
  model.m_bShowPrivate = model.m_bShowProtected = false;
  model.m_bShowLocal = false;
  MergeReport report;
  CollectFilteredTexts(model, &report);

  // Private members and methods lose their short descriptions, local
  // globals everything.
  EXPECT_EQ(1u, Find(report, EntryKind::kMember, "int m_nSecret;")->texts.size());
  EXPECT_EQ(1u, Find(report, EntryKind::kMethod, "Hidden")->texts.size());
  EXPECT_EQ(1u,
            Find(report, EntryKind::kVariable, "static int s_nLocal;")->texts.size());
  EXPECT_EQ(3u, Find(report, EntryKind::kFunction, "Reset")->texts.size());
  EXPECT_EQ(report.TextCount(), report.CountTexts([](const UnplacedText& t) {
              return t.reason == UnplacedReason::kFiltered;
            }));
  ExpectNothingLost(count, model, report);
}

TEST(MergeReportTest, SideFileMergesBackOnceTheEntriesExistAgain) {
  CModuleInfo v1 = Parse(kHeaderV1);
  int count = 0;
  const std::string filled = FilledExport(v1, &count);
  std::string v2 = Replaced(kHeaderV1, "int Bar(int x);", "int Baz(int x);");
  v2 = Replaced(v2, v2.substr(v2.find("class COld")), "");
  CModuleInfo model = Parse(v2);
  model.m_bShowPrivate = false;
  MergeReport report;
  ASSERT_TRUE(Merge(filled, &model, &report));
  CollectFilteredTexts(model, &report);
  TextList side;
  BuildSideFile(report, "A", &side);
  std::string sideText;
  for (const std::string& line : side)
    sideText += line + "\n";
  EXPECT_EQ(ReportedNumbers(report), TextNumbers(sideText));

  // Back in the first header, the side file places every text it holds.
  CModuleInfo back = Parse(kHeaderV1);
  MergeReport again;
  ASSERT_TRUE(Merge(sideText, &back, &again, nullptr, "A.orphans.xml"));
  EXPECT_EQ(0, again.TextCount());
  EXPECT_EQ(ReportedNumbers(report), TextNumbers(Export(back)));

  // In the changed header it places the filtered texts and keeps the rest.
  CModuleInfo still = Parse(v2);
  MergeReport rest;
  ASSERT_TRUE(Merge(sideText, &still, &rest, nullptr, "A.orphans.xml"));
  EXPECT_EQ(report.OrphanCount(), rest.TextCount());
}

TEST(MergeReportTest, SideFileKeepsTwoTextsForOneEntry) {
  MergeReport report;
  UnplacedEntry* method = report.Entry(EntryKind::kMethod, "ClassCFoo",
                                       "CFCFooBar");
  method->name = "Bar";
  method->className = "CFoo";
  report.Add(method, {TextField::kShort, UnplacedReason::kNotTaken, "",
                      "First", "A.xml"});
  report.Add(method, {TextField::kShort, UnplacedReason::kNotTaken, "",
                      "Second", "B.xml"});
  report.Add(method, {TextField::kParameter, UnplacedReason::kNoItem, "int x",
                      "One", "A.xml"});
  report.Add(method, {TextField::kParameter, UnplacedReason::kNoItem, "int x",
                      "Two", "B.xml"});
  report.Add(method, {TextField::kParameter, UnplacedReason::kNoItem, "int x",
                      "Two", "C.xml"});  // the same text again
  EXPECT_EQ(4, report.TextCount());
  TextList side;
  BuildSideFile(report, "A", &side);
  std::string text;
  for (const std::string& line : side)
    text += line + "\n";
  for (const char* kept : {"First", "Second", "One", "Two"})
    EXPECT_NE(std::string::npos, text.find("\n" + std::string(kept) + "\n"))
        << kept;
  CXmlTree tree;
  EXPECT_TRUE(tree.Load(text)) << tree.GetError();
}

TEST(RenamesTest, MoveClassesMethodsFunctionsVariablesAndMembers) {
  int count = 0;
  const std::string filled = FilledExport(Parse(kHeaderV1), &count);
  std::string v2 = Replaced(kHeaderV1, "int Bar(int x);", "int Baz(int x);");
  v2 = Replaced(v2, "class COld", "class CNew");
  v2 = Replaced(v2, "int Area(", "int Surface(");
  v2 = Replaced(v2, "g_nCount", "g_nTotal");
  v2 = Replaced(v2, "int m_nSize;", "long m_nLength;");
  CModuleInfo model = Parse(v2);
  RenameMap renames;
  std::string err;
  for (const char* renameArg :
       {"CFoo::Bar=CFoo::Baz", "COld=CNew", "Area=Surface",
        "g_nCount=g_nTotal", "CFoo::m_nSize=CFoo::m_nLength"})
    ASSERT_TRUE(renames.Add(renameArg, &err)) << err;
  renames.Resolve(model);
  MergeReport report;
  ASSERT_TRUE(Merge(filled, &model, &report, &renames));
  EXPECT_EQ(0, report.TextCount());
  EXPECT_EQ(AllNumbers(count), TextNumbers(Export(model)));
  EXPECT_TRUE(renames.Unused().empty());
  EXPECT_TRUE(renames.Unresolved().empty());
}

TEST(RenamesTest, UnusedAndUnresolvedRenamesAreTold) {
  int count = 0;
  const std::string filled = FilledExport(Parse(kHeaderV1), &count);
  CModuleInfo model = Parse(kHeaderV1);
  RenameMap renames;
  std::string err;
  ASSERT_TRUE(renames.Add("CFoo::Nothing=CFoo::Bar", &err));
  ASSERT_TRUE(renames.Add("CFoo::Draw=CFoo::Paint", &err));
  EXPECT_FALSE(renames.Add("CFoo::Draw", &err));
  EXPECT_FALSE(renames.Add("=x", &err));
  renames.Resolve(model);
  MergeReport report;
  ASSERT_TRUE(Merge(filled, &model, &report, &renames));
  EXPECT_EQ((std::vector<std::string>{"CFoo::Nothing=CFoo::Bar"}),
            renames.Unused());
  EXPECT_EQ((std::vector<std::string>{"CFoo::Draw=CFoo::Paint"}),
            renames.Unresolved());
  // A rename to a name the header lacks moves nothing: Draw keeps its texts.
  EXPECT_EQ(0, report.TextCount());
}

TEST(DeclaredIdentifierTest, NamesOfDeclarations) {
  EXPECT_EQ("m_x", DeclaredIdentifier("int m_x;"));
  EXPECT_EQ("g_pszName", DeclaredIdentifier("extern const char* g_pszName"));
  EXPECT_EQ("s_an", DeclaredIdentifier("static const int s_an[] = { 1, 2 };"));
  EXPECT_EQ("m_grid", DeclaredIdentifier("int m_grid[3][4];"));
  EXPECT_EQ("m_bits", DeclaredIdentifier("unsigned m_bits : 3;"));
  EXPECT_EQ("m_str", DeclaredIdentifier("std::string m_str;"));
  EXPECT_EQ("pfn", DeclaredIdentifier("int (*pfn)(int, char);"));
  EXPECT_EQ("X", DeclaredIdentifier("class X;"));
  EXPECT_EQ("", DeclaredIdentifier(""));
}

TEST(SideFilePathTest, BesideItsXmlFile) {
  EXPECT_EQ("out/A.orphans.xml", SideFilePath("out/A.xml"));
  EXPECT_EQ("A.orphans.xml", SideFilePath("A.xml"));
  EXPECT_EQ("C:\\doc\\A.orphans.xml", SideFilePath("C:\\doc\\A.xml"));
  EXPECT_EQ("x.y/B.orphans.xml", SideFilePath("x.y/B"));
  EXPECT_EQ("", SideFilePath("-"));
  EXPECT_EQ("", SideFilePath("A.orphans.xml"));
}

}  // namespace
