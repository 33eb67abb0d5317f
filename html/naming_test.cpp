#include "html/naming.h"

#include <gtest/gtest.h>

#include "model/module_info.h"

namespace {

std::string Anchor(std::string text) { return MakeAnchorName(&text); }

// Module Geo with the class CPoint, its data member m_x and its method
// operator+=.
CModuleInfo GeoWithPoint() {
  CModuleInfo m;
  m.m_strName = "Geo";
  CClassInfo c;
  c.m_strName = "CPoint";
  c.m_pVars.resize(1);
  c.m_pVars[0].m_strName = "m_x";
  c.m_nVars = 1;
  c.m_pFuncs.resize(1);
  c.m_pFuncs[0].m_strName = "operator+=";
  c.m_nFuncs = 1;
  m.m_pClasses = {c};
  m.m_nClasses = 1;
  return m;
}

CModuleInfo Named(const std::string& headerPath, const std::string& htmlPath) {
  CModuleInfo m = GeoWithPoint();
  m.MakeAnchors();
  m.MakeFileNames(headerPath, htmlPath);
  return m;
}

}  // namespace

TEST(MakeAnchorNameTest, OperatorsAreSpelledOut) {
  EXPECT_EQ("operatoreqeq", Anchor("operator=="));
  EXPECT_EQ("operatorpopc", Anchor("operator()"));
  EXPECT_EQ("operatormigt", Anchor("operator->"));
  EXPECT_EQ("operatorabae", Anchor("operator[]"));
  EXPECT_EQ("operatornoteq", Anchor("operator!="));
  EXPECT_EQ("operatorpleq", Anchor("operator+="));
  EXPECT_EQ("mulmuldivbslashdqusqucolsecolcommaqultgt",
            Anchor("**/\\\"':;,?<>"));
}

TEST(MakeAnchorNameTest, OtherCharactersBecomeUnderscores) {
  EXPECT_EQ("_CPoint", Anchor("~CPoint"));
  EXPECT_EQ("operator_new", Anchor("operator new"));
  EXPECT_EQ("operator_", Anchor("operator%"));
  EXPECT_EQ("Gr__e", Anchor("Gr\xF6\xDF"
                            "e"));
  EXPECT_EQ("a_b", Anchor(" \t a b \r\n"));
  EXPECT_EQ("", Anchor("  "));
}

TEST(NamingTest, AnchorsFilesAndTitlesOfEveryItem) {
  CModuleInfo m = Named("D:\\src\\Geo.h", "D:\\doc\\Geo.htm");
  EXPECT_EQ("ModulGeo", m.m_strAnchor);
  EXPECT_EQ("Geo.htm", m.m_strFile);
  EXPECT_EQ("Module: Geo", m.m_strTitle);
  EXPECT_EQ("ModulGeoGV", m.m_strVarAnchor);
  EXPECT_EQ("GeoGV.htm", m.m_strVarFile);
  EXPECT_EQ("Global Variables of Module Geo", m.m_strVarTitle);
  EXPECT_EQ("ModulGeoGF", m.m_strFuncAnchor);
  EXPECT_EQ("GeoGF.htm", m.m_strFuncFile);
  EXPECT_EQ("Global Functions of Module Geo", m.m_strFuncTitle);

  const CClassInfo& c = m.m_pClasses[0];
  EXPECT_EQ("ClassCPoint", c.m_strAnchor);
  EXPECT_EQ("Geo_Class_CPoint.htm", c.m_strFile);
  EXPECT_EQ("Class: CPoint", c.m_strTitle);
  EXPECT_EQ("ClassCPointCV", c.m_strVarAnchor);
  EXPECT_EQ("Geo_Class_CPointCV.htm", c.m_strVarFile);
  EXPECT_EQ("Members of Class CPoint", c.m_strVarTitle);
  EXPECT_EQ("ClassCPointCF", c.m_strFuncAnchor);
  EXPECT_EQ("Geo_Class_CPointCF.htm", c.m_strFuncFile);
  EXPECT_EQ("Methods of Class CPoint", c.m_strFuncTitle);

  EXPECT_EQ("CVCPointm_x", c.m_pVars[0].m_strAnchor);
  EXPECT_EQ("CFCPointoperatorpleq", c.m_pFuncs[0].m_strAnchor);
  EXPECT_EQ("GeoCFCPointoperatorpleq.htm",
            FunctionPageFile(m, &c, c.m_pFuncs[0]));
  EXPECT_EQ("CPoint:operator+=", FunctionPageTitle(&c, c.m_pFuncs[0]));
}

// The page names follow the names when they change, and a class that the
// count says has no methods names no pages for them.
TEST(NamingTest, FunctionPagesFollowTheNames) {
  CModuleInfo m = Named("Geo.h", "out/Geo.htm");
  CClassInfo& c = m.m_pClasses[0];
  c.m_strName = "CSize";
  c.m_pFuncs[0].m_strName = " operator-= ";
  EXPECT_EQ("GeoCFCSizeoperatormieq.htm",
            FunctionPageFile(m, &c, c.m_pFuncs[0]));
  EXPECT_EQ("CSize: operator-= ", FunctionPageTitle(&c, c.m_pFuncs[0]));
  m.MakeFileNames("Geo.h", "Other.html");
  EXPECT_EQ("OtherCFCSizeoperatormieq.htm",
            FunctionPageFile(m, &c, c.m_pFuncs[0]));
  c.m_nFuncs = 0;
  EXPECT_EQ("", FunctionPageFile(m, &c, c.m_pFuncs[0]));
  EXPECT_EQ("", FunctionPageTitle(&c, c.m_pFuncs[0]));
}

TEST(NamingTest, GlobalsAndTheTwoStems) {
  CModuleInfo m = GeoWithPoint();
  m.m_pVars.resize(1);
  m.m_pVars[0].m_strName = "extern int g_n;";
  m.m_pFuncs.resize(1);
  m.m_pFuncs[0].m_strName = "operator==";
  m.MakeAnchors();
  m.MakeFileNames("/src/Geo.h", "/doc/Help.html");
  EXPECT_EQ("Help.html", m.m_strFile);
  EXPECT_EQ("Module: Help", m.m_strTitle);
  EXPECT_EQ("HelpGV.htm", m.m_strVarFile);
  EXPECT_EQ("Global Variables of Module Geo", m.m_strVarTitle);
  EXPECT_EQ("GVextern_int_g_nsecol", m.m_pVars[0].m_strAnchor);
  EXPECT_EQ("GFoperatoreqeq", m.m_pFuncs[0].m_strAnchor);
  EXPECT_EQ("HelpGFoperatoreqeq.htm",
            FunctionPageFile(m, nullptr, m.m_pFuncs[0]));
  EXPECT_EQ("Global Functions: operator==",
            FunctionPageTitle(nullptr, m.m_pFuncs[0]));
}

TEST(NamingTest, EmptyHtmlPathLeavesTheStemEmpty) {
  CModuleInfo m = Named("D:\\src\\Geo.h", "");
  EXPECT_EQ("", m.m_strFile);
  EXPECT_EQ("Module: ", m.m_strTitle);
  EXPECT_EQ("GV.htm", m.m_strVarFile);
  EXPECT_EQ("GF.htm", m.m_strFuncFile);
  EXPECT_EQ("_Class_CPoint.htm", m.m_pClasses[0].m_strFile);
  EXPECT_EQ("CFCPointoperatorpleq.htm",
            FunctionPageFile(m, &m.m_pClasses[0], m.m_pClasses[0].m_pFuncs[0]));
  EXPECT_EQ("Global Functions of Module Geo", m.m_strFuncTitle);
}

TEST(NamingTest, ClassFileNamesKeepTheClassNameUnconverted) {
  CModuleInfo m = GeoWithPoint();
  m.m_pClasses[0].m_strName = "Ns::Vec<int>";
  m.MakeAnchors();
  m.MakeFileNames("Geo.h", "Geo.htm");
  const CClassInfo& c = m.m_pClasses[0];
  EXPECT_EQ("ClassNscolcolVecltintgt", c.m_strAnchor);
  EXPECT_EQ("Geo_Class_Ns::Vec<int>.htm", c.m_strFile);
  EXPECT_EQ("GeoCFNs::Vec<int>operatorpleq.htm",
            FunctionPageFile(m, &c, c.m_pFuncs[0]));
}

// A header has hundreds of thousands of anchors, most of them a little
// longer than a string holds in place: each takes room for its own length,
// not the doubled room of a string grown into it.
TEST(NamingTest, AnchorsTakeRoomForTheirLengthOnly) {
  CModuleInfo m = Named("Geo.h", "Geo.htm");
  const std::string& anchor = m.m_pClasses[0].m_pFuncs[0].m_strAnchor;
  ASSERT_EQ(20u, anchor.size());
  EXPECT_LT(anchor.capacity(), 24u);
}
