#include "html/html_writer.h"
#include "html/output_limit.h"

#include <gtest/gtest.h>

#include "model/file_io.h"

namespace {

TextList ReadGolden(const std::string& name) {
  std::string text;
  std::string path =
      std::string(VARNEL_SOURCE_DIR) + "/tests/golden/html/" + name;
  EXPECT_EQ(ReadStatus::kOk, ReadWholeFile(path, &text)) << path;
  TextList lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// Compares line by line so that a failure names the first differing line.
void ExpectLines(const TextList& expected, const TextList& actual) {
  for (size_t i = 0; i < expected.size() && i < actual.size(); ++i)
    ASSERT_EQ(expected[i], actual[i]) << "line " << i + 1;
  EXPECT_EQ(expected.size(), actual.size());
}

CDeclInfo Function(const std::string& name, const std::string& decl,
                   const std::string& ret, const TextList& params, int scope) {
  CDeclInfo f;
  f.m_strName = name;
  f.m_arrDecls = {decl};
  f.m_arrReturns = {ret};
  f.m_arrReturnDescs = {""};
  f.m_arrParams = params;
  f.m_arrParamDescs = TextList(params.size());
  f.m_nScope = scope;
  return f;
}

// Module Geo including <math.h>, with the names a build for
// D:\src\Geo.h and D:\doc\Geo.htm gives.
CModuleInfo GeoModule() {
  CModuleInfo m;
  m.m_strName = "Geo";
  m.m_strAnchor = "ModulGeo";
  m.m_strVarAnchor = "ModulGeoGV";
  m.m_strFuncAnchor = "ModulGeoGF";
  m.m_strFile = "Geo.htm";
  m.m_strVarFile = "GeoGV.htm";
  m.m_strFuncFile = "GeoGF.htm";
  m.m_strTitle = "Module: Geo";
  m.m_strVarTitle = "Global Variables of Module Geo";
  m.m_strFuncTitle = "Global Functions of Module Geo";
  m.m_strPageStem = "Geo";
  m.m_arrHIncludes = {"<math.h>"};
  return m;
}

CClassInfo PointClass() {
  CClassInfo c;
  c.m_strName = "CPoint";
  c.m_strAnchor = "ClassCPoint";
  c.m_strVarAnchor = "ClassCPointCV";
  c.m_strFuncAnchor = "ClassCPointCF";
  c.m_strFile = "Geo_Class_CPoint.htm";
  c.m_strTitle = "Class: CPoint";
  c.m_nKind = KIND_CLASS;
  return c;
}

CModuleInfo GeoWithEmptyPoint() {
  CModuleInfo m = GeoModule();
  m.m_pClasses = {PointClass()};
  m.m_nClasses = 1;
  return m;
}

CModuleInfo GeoWithArea() {
  CModuleInfo m = GeoModule();
  m.m_arrHIncludes.clear();
  CDeclInfo area = Function("Area", "double Area(double r)", "double",
                            {"double r"}, SCOPE_EXTERN);
  area.m_strAnchor = "GFArea";
  m.m_pFuncs = {area};
  m.m_nFuncs = 1;
  m.m_nFuncCount = 1;
  m.m_nFuncsExtern = 1;
  m.m_bSplitFiles = m.m_bHelpKeywords = m.m_bStylesheet = true;
  return m;
}

CModuleInfo GeoWithPublicPoint() {
  CModuleInfo m = GeoModule();
  CClassInfo c = PointClass();
  c.m_strBase = "public CObject";
  CDeclInfo x;
  x.m_strName = "m_x";
  x.m_strAnchor = "CVCPointm_x";
  x.m_strClass = "CPoint";
  x.m_nScope = SCOPE_PUBLIC;
  CDeclInfo move = Function("Move", "void Move(int dx, int dy)", "void",
                            {"int dx", "int dy"}, SCOPE_PRIVATE);
  move.m_strAnchor = "CFCPointMove";
  move.m_strClass = "CPoint";
  c.m_pVars = {x};
  c.m_nVars = c.m_nVarCount = c.m_nVarsPublic = 1;
  c.m_pFuncs = {move};
  c.m_nFuncs = c.m_nFuncCount = c.m_nFuncsPrivate = 1;
  m.m_pClasses = {c};
  m.m_nClasses = 1;
  m.m_bStylesheet = true;
  m.m_bShowProtected = m.m_bShowPrivate = false;
  return m;
}

TextList WholePage(const CModuleInfo& module) {
  TextList lines;
  WriteHtmlHead(&lines, module);
  WriteHtmlModule(&lines, module);
  WriteHtmlGlobalVars(&lines, module);
  WriteHtmlGlobalFuncs(&lines, module);
  for (const CClassInfo& cls : module.m_pClasses)
    WriteHtmlClass(&lines, cls.m_strName, module);
  WriteHtmlEnd(&lines, module);
  return lines;
}

}  // namespace

TEST(HtmlGoldenTest, PageWithOneEmptyClass) {
  ExpectLines(ReadGolden("geo_page.html"), WholePage(GeoWithEmptyPoint()));
}

TEST(HtmlGoldenTest, BuildNamesTheItemsAsTheGoldenPageDoes) {
  CModuleInfo module = GeoWithEmptyPoint();
  module.m_pClasses[0].m_strAnchor.clear();
  module.m_strAnchor.clear();
  TextList lines = {"left over from the parse"};
  BuildHtmlPage(&module, "D:\\src\\Geo.h", "D:\\doc\\Geo.htm", &lines);
  ExpectLines(ReadGolden("geo_page.html"), lines);
}

TEST(HtmlGoldenTest, GlobalFunctionWithEveryOption) {
  TextList lines;
  WriteHtmlGlobalFuncs(&lines, GeoWithArea());
  ExpectLines(ReadGolden("geo_global_functions.html"), lines);
}

TEST(HtmlGoldenTest, GlobalFunctionNamedByTheBuild) {
  CModuleInfo module = GeoWithArea();
  module.MakeAnchors();
  module.MakeFileNames("D:\\src\\Geo.h", "D:\\doc\\Geo.htm");
  TextList lines;
  WriteHtmlGlobalFuncs(&lines, module);
  ExpectLines(ReadGolden("geo_global_functions.html"), lines);
}

TEST(HtmlGoldenTest, ClassWithOnlyPublicMembersShown) {
  TextList lines;
  WriteHtmlClass(&lines, "CPoint", GeoWithPublicPoint());
  ExpectLines(ReadGolden("geo_class_cpoint.html"), lines);
}

TEST(HtmlWriterTest, HeadAndBodyFollowTheStylesheetOption) {
  CModuleInfo module = GeoModule();
  module.m_bStylesheet = true;
  TextList lines;
  WriteHtmlHead(&lines, module);
  ASSERT_EQ(9u, lines.size());
  EXPECT_EQ("<link rel=\"stylesheet\" type=\"text/css\" href=\"Varnel.css\">",
            lines[3]);
  EXPECT_EQ("<body class=\"Technik\">", lines[8]);
  WriteHtmlEnd(&lines, module);
  EXPECT_EQ((TextList{"</body>", "</html>"}),
            TextList(lines.end() - 2, lines.end()));
}

TEST(HtmlWriterTest, ModelWithoutItemsKeepsTheFrame) {
  CModuleInfo module;
  module.m_strName = "Empty";
  TextList lines;
  BuildHtmlPage(&module, "Empty.h", "Empty.htm", &lines);
  TextList bar(lines.end() - 9, lines.end() - 2);
  EXPECT_EQ((TextList{"<p>", "<font size=\"1\" face=\"Arial\">",
                      "&nbsp;<a href=\"#ModulEmpty\">Module Overview</A>&nbsp;",
                      "<br>", "</font>", "</p>", "<hr>"}),
            bar);
  EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), " - none -"));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "<hr>"), 1);
}

TEST(HtmlWriterTest, NavBarLinksSectionsByRecordCount) {
  CModuleInfo module = GeoWithEmptyPoint();
  module.m_nVars = 1;
  module.m_nFuncs = 2;
  module.m_bSplitFiles = true;
  TextList lines;
  WriteHtmlNavBar(&lines, module);
  ASSERT_EQ(10u, lines.size());
  EXPECT_EQ("&nbsp;<a href=\"GeoGV.htm#ModulGeoGV\">Global variable</A>&nbsp;",
            lines[3]);
  EXPECT_EQ("&nbsp;<a href=\"GeoGF.htm#ModulGeoGF\">Global Functions</A>&nbsp;",
            lines[4]);
  EXPECT_EQ(
      "&nbsp;<a href=\"Geo_Class_CPoint.htm#ClassCPoint\">CPoint</A>&nbsp;",
      lines[6]);
}

TEST(HtmlWriterTest, SplitFilesWithEmptyHtmlPathLeaveTheModuleLinkBare) {
  CModuleInfo module;
  module.m_strName = "Geo";
  module.m_pVars.resize(1);
  module.m_pVars[0].m_strName = "int g;";
  module.m_nVars = module.m_nVarCount = 1;
  module.m_bSplitFiles = true;
  TextList lines;
  BuildHtmlPage(&module, "Geo.h", "", &lines);
  TextList bar;
  WriteHtmlNavBar(&bar, module);
  EXPECT_EQ("&nbsp;<a href=\"#ModulGeo\">Module Overview</A>&nbsp;", bar[2]);
  EXPECT_EQ("&nbsp;<a href=\"GV.htm#ModulGeoGV\">Global variable</A>&nbsp;",
            bar[3]);
}

TEST(HtmlWriterTest, ClassesNamedTwiceShowTheFirstRecordTwice) {
  CModuleInfo module = GeoModule();
  CClassInfo first = PointClass();
  first.m_strDescription = "the first";
  CClassInfo second = PointClass();
  second.m_strDescription = "the second";
  module.m_pClasses = {first, second};
  module.m_nClasses = 2;
  TextList lines;
  BuildHtmlPage(&module, "Geo.h", "Geo.htm", &lines);
  EXPECT_EQ(2, std::count(lines.begin(), lines.end(), "the first"));
  EXPECT_EQ(0, std::count(lines.begin(), lines.end(), "the second"));

  TextList single;
  WriteHtmlClass(&single, "CMissing", module);
  EXPECT_TRUE(single.empty());
}

TEST(HtmlWriterTest, TwoBuildsGiveTheSameLines) {
  CModuleInfo module = GeoWithPublicPoint();
  module.m_pFuncs = GeoWithArea().m_pFuncs;
  module.m_nFuncs = 1;
  module.m_bSplitFiles = module.m_bHelpKeywords = true;
  TextList first, second;
  BuildHtmlPage(&module, "/src/Geo.h", "/doc/Geo.htm", &first);
  BuildHtmlPage(&module, "/src/Geo.h", "/doc/Geo.htm", &second);
  EXPECT_EQ(first, second);
  EXPECT_GT(first.size(), 100u);
}

TEST(OutputLimitTest, SizesAndTheirWords) {
  uint64_t bytes = 0;
  EXPECT_TRUE(ParseByteSize("2G", &bytes));
  EXPECT_EQ(uint64_t(2) << 30, bytes);
  EXPECT_TRUE(ParseByteSize("512m", &bytes));
  EXPECT_EQ(uint64_t(512) << 20, bytes);
  EXPECT_TRUE(ParseByteSize("1000", &bytes));
  EXPECT_EQ(1000u, bytes);
  for (const char* bad : {"", "0", "G", "1.5G", "2GB", "-1", "99999999999999999999",
                          "17179869184G"})
    EXPECT_FALSE(ParseByteSize(bad, &bytes)) << bad;
  EXPECT_EQ("800 bytes", FormatBytes(800));
  EXPECT_EQ("36.1 GB", FormatBytes(36100000000ull));
  EXPECT_EQ("2.1 GB", FormatBytes(uint64_t(2) << 30));
}
