#include "xml/xml_merge.h"

#include <gtest/gtest.h>

#include <string>

#include "parser/parse_header.h"
#include "xml/xml_tree.h"

namespace {

// A module parsed from a small header, named "Geo" like its file.
CModuleInfo ParseGeo(const std::string& header) {
  CModuleInfo module;
  module.m_strName = "Geo";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(header, "Geo.h", "Geo.htm", TextList(),
                              TextList(), &lines, &module, &err))
      << err;
  return module;
}

// As the parse leaves a record: no room yet for descriptions.
CDeclInfo Record(const std::string& anchor, const TextList& params = {},
                 const TextList& returns = {}) {
  CDeclInfo decl;
  decl.m_strAnchor = anchor;
  decl.m_arrParams = params;
  decl.m_arrReturns = returns;
  return decl;
}

// A module made by hand: global variables GVa, GVb; functions GFf, GFg;
// class ClassC with members CVCm1, CVCm2 and method CFCf.
CModuleInfo HandModule() {
  CModuleInfo module;
  module.m_strName = "Geo";
  module.m_pVars = {Record("GVa"), Record("GVb")};
  module.m_nVars = 2;
  module.m_pFuncs = {Record("GFf", {"int w", "int h", "double r"}, {"int"}),
                     Record("GFg", {"void"}, {"void"})};
  module.m_nFuncs = 2;
  CClassInfo cls;
  cls.m_strName = "C";
  cls.m_strAnchor = "ClassC";
  cls.m_pVars = {Record("CVCm1"), Record("CVCm2")};
  cls.m_nVars = 2;
  cls.m_pFuncs = {Record("CFCf", {"int a", "int a"}, {"bool"})};
  cls.m_nFuncs = 1;
  module.m_pClasses = {cls};
  module.m_nClasses = 1;
  return module;
}

std::string Doc(const std::string& body, const std::string& title = "Geo") {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
         "<!DOCTYPE Varnel SYSTEM \".\\Varnel.dtd\" >\r\n"
         "<Varnel anchor=\"ModulGeo\" NAME=\"ModulGeo\" class=\"Technik\">\r\n"
         "<Module.Title>" +
         title + "</Module.Title>\r\n" + body + "</Varnel>\r\n";
}

std::string Desc(const std::string& text) {
  return "<Description>\r\n" + text + "\r\n</Description>\r\n";
}

std::string Entry(const std::string& element, const std::string& key,
                  const std::string& description) {
  return "<" + element + " Target=\"#" + key + "\">\r\n<Name>x</Name>\r\n" +
         Desc(description) + "</" + element + ">\r\n";
}

std::string Item(const std::string& element, const std::string& name,
                 const std::string& description) {
  return "<" + element + ">\r\n<Name>" + name + "</Name>\r\n" +
         Desc(description) + "</" + element + ">\r\n";
}

bool Merge(const std::string& xml, CModuleInfo* module) {
  CXmlTree tree;
  EXPECT_TRUE(tree.Load(xml)) << tree.GetError();
  return MergeXmlDocument(&tree, module);
}

void AddDecl(std::string* out, const char* what, const CDeclInfo& d) {
  *out += std::string(what) + d.m_strAnchor + "|" + d.m_strShortDesc.str() +
          "|" + d.m_strDescription.str();
  for (const std::string& s : d.m_arrParamDescs)
    *out += "|p:" + s;
  for (const std::string& s : d.m_arrReturnDescs)
    *out += "|r:" + s;
  *out += "\n";
}

// Every field the merge may write, in one text.
std::string Descriptions(const CModuleInfo& m) {
  std::string out = m.m_strDescription + "\n" + m.m_strVarText + "\n" +
                    m.m_strFuncText + "\n";
  for (const std::string& s : m.m_arrCppIncludes)
    out += "cpp:" + s + "\n";
  for (const CDeclInfo& d : m.m_pVars)
    AddDecl(&out, "var ", d);
  for (const CDeclInfo& d : m.m_pFuncs)
    AddDecl(&out, "func ", d);
  for (const CClassInfo& c : m.m_pClasses) {
    out += "class " + c.m_strAnchor + "|" + c.m_strDescription.str() + "|" +
           c.m_strVarText.str() + "|" + c.m_strFuncText.str() + "\n";
    for (const CDeclInfo& d : c.m_pVars)
      AddDecl(&out, "member ", d);
    for (const CDeclInfo& d : c.m_pFuncs)
      AddDecl(&out, "method ", d);
  }
  return out;
}

// A file that fills every field of HandModule.
std::string FullDoc() {
  return Doc(
      "<Module.Description>\r\n<Text>\r\nmodule text\r\n</Text>\r\n"
      "<CPPIncludesList>\r\n<CPPIncludes>\r\n"
      "<CPPInclude>geo.cpp</CPPInclude>\r\n<CPPInclude></CPPInclude>\r\n"
      "<CPPInclude> main.cpp</CPPInclude>\r\n"
      "</CPPIncludes>\r\n</CPPIncludesList>\r\n</Module.Description>\r\n"
      "<Module.VariableList anchor=\"ModulGeoGV\" NAME=\"ModulGeoGV\">\r\n"
      "<Header>Global variables:</Header>\r\n"
      "<Description>var list</Description>\r\n<Variables>\r\n" +
      Entry("Variable", "GVa", "var a") + Entry("Variable", "GVb", "var b") +
      "</Variables>\r\n</Module.VariableList>\r\n"
      "<Module.FunctionList>\r\n<Description>func list</Description>\r\n"
      "<FunctionsShort>\r\n" +
      Entry("FunctionShort", "GFf", "short f") +
      "</FunctionsShort>\r\n</Module.FunctionList>\r\n<Module.Functions>\r\n"
      "<ModuleFunction anchor=\"GFf\">\r\n<ReturnValues>\r\n" +
      Item("ReturnValue", "int", "returns int") +
      "</ReturnValues>\r\n<Parameters>\r\n" +
      Item("Parameter", "double r", "param r") +
      Item("Parameter", "int w", "param w") + Item("Parameter", "int h", "") +
      "</Parameters>\r\n" + Desc("long f") +
      "</ModuleFunction>\r\n</Module.Functions>\r\n"
      "<Class anchor=\"ClassC\">\r\n" +
      Desc("class C") +
      "<MemberList>\r\n<Description>\r\nmember intro\r\n</Description>\r\n"
      "<Members>\r\n" +
      Entry("Member", "CVCm1", "member 1") +
      Entry("Member", "CVCm2", "member 2") +
      "</Members>\r\n</MemberList>\r\n"
      "<MethodsList>\r\n<Description>method intro</Description>\r\n"
      "<MethodsShort>\r\n" +
      Entry("MethodShort", "CFCf", "short method") +
      "</MethodsShort>\r\n</MethodsList>\r\n<Methods>\r\n"
      "<Method anchor=\"#CFCf\">\r\n" +
      Desc("long method") + "<Parameters>\r\n" +
      Item("Parameter", "int a", "first a") +
      Item("Parameter", "int a", "second a") +
      Item("Parameter", "int a", "third a") +
      "</Parameters>\r\n<ReturnValues>\r\n" +
      Item("ReturnValue", "bool", "a flag") +
      "</ReturnValues>\r\n</Method>\r\n</Methods>\r\n</Class>\r\n");
}

TEST(XmlMergeTest, FillsEveryField) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(Merge(FullDoc(), &module));
  EXPECT_EQ("module text", module.m_strDescription);
  EXPECT_EQ((TextList{"geo.cpp", " main.cpp"}), module.m_arrCppIncludes);
  EXPECT_EQ("var list", module.m_strVarText);
  EXPECT_EQ("func list", module.m_strFuncText);
  EXPECT_EQ("var a", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("var b", module.m_pVars[1].m_strShortDesc);
  const CDeclInfo& f = module.m_pFuncs[0];
  EXPECT_EQ("short f", f.m_strShortDesc);
  EXPECT_EQ("long f", f.m_strDescription);
  // Parameters fill by the index of their own text, in any order.
  EXPECT_EQ((TextList{"param w", "", "param r"}), f.m_arrParamDescs);
  EXPECT_EQ((TextList{"returns int"}), f.m_arrReturnDescs);
  const CClassInfo& c = module.m_pClasses[0];
  EXPECT_EQ("class C", c.m_strDescription);
  EXPECT_EQ("member intro", c.m_strVarText);
  EXPECT_EQ("method intro", c.m_strFuncText);
  EXPECT_EQ("member 1", c.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("member 2", c.m_pVars[1].m_strShortDesc);
  EXPECT_EQ("short method", c.m_pFuncs[0].m_strShortDesc);
  EXPECT_EQ("long method", c.m_pFuncs[0].m_strDescription);
  // Two equal parameter texts take successive items.
  EXPECT_EQ((TextList{"first a", "second a"}), c.m_pFuncs[0].m_arrParamDescs);
  EXPECT_EQ((TextList{"a flag"}), c.m_pFuncs[0].m_arrReturnDescs);
  EXPECT_TRUE(module.m_pFuncs[1].m_strDescription.empty());
}

TEST(XmlMergeTest, MergingTwiceEqualsMergingOnce) {
  CModuleInfo once = HandModule();
  ASSERT_TRUE(Merge(FullDoc(), &once));
  CModuleInfo twice = once;
  ASSERT_TRUE(Merge(FullDoc(), &twice));
  EXPECT_EQ(Descriptions(once), Descriptions(twice));
}

TEST(XmlMergeTest, FilledFieldsAreKept) {
  CModuleInfo module = HandModule();
  module.m_strDescription = "kept";
  module.m_arrCppIncludes = {"old.cpp"};
  module.m_pVars[0].m_strShortDesc = "kept a";
  module.m_pClasses[0].m_pVars[0].m_strShortDesc = "kept m1";
  DescriptionSlot(&module.m_pFuncs[0].m_arrParamDescs, 2) = "kept r";
  ASSERT_TRUE(Merge(FullDoc(), &module));
  EXPECT_EQ("kept", module.m_strDescription);
  EXPECT_EQ((TextList{"old.cpp"}), module.m_arrCppIncludes);
  EXPECT_EQ("kept a", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("var b", module.m_pVars[1].m_strShortDesc);
  // The following member of the same class is still merged.
  EXPECT_EQ("kept m1", module.m_pClasses[0].m_pVars[0].m_strShortDesc);
  EXPECT_EQ("member 2", module.m_pClasses[0].m_pVars[1].m_strShortDesc);
  EXPECT_EQ((TextList{"param w", "", "kept r"}),
            module.m_pFuncs[0].m_arrParamDescs);
}

TEST(XmlMergeTest, RefusalLeavesModelUntouched) {
  CModuleInfo module = HandModule();
  module.m_pVars[1].m_strShortDesc = "before";
  const std::string before = Descriptions(module);
  // Another module, a name differing only in case, no title, another root.
  for (const std::string& text :
       {Doc("<Module.Description><Text>x</Text></Module.Description>", "Foo"),
        Doc("", "geo"), std::string("<Varnel><Text>x</Text></Varnel>"),
        std::string("<Other><Module.Title>Geo</Module.Title></Other>")}) {
    CModuleInfo copy = module;
    EXPECT_FALSE(Merge(text, &copy)) << text;
    EXPECT_EQ(before, Descriptions(copy));
  }
  EXPECT_EQ(
      "The XML file is not of the correct document type or is not for this "
      "module.",
      std::string(kWrongXmlMessage));
}

TEST(XmlMergeTest, DescriptionKeepsMarkupAndEntities) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(Merge(
      Doc("<Module.VariableList>\r\n<Variables>\r\n" +
          Entry("Variable", "GVa",
                " \t See <b>this</b> &amp; &auml; that<br/>\r\nnext\r\n") +
          Entry("Variable", "GVb", "") +
          "</Variables>\r\n"
          "</Module.VariableList>\r\n"),
      &module));
  EXPECT_EQ("See <b>this</b> &amp; &auml; that<br/>\r\nnext",
            module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("", module.m_pVars[1].m_strShortDesc);
}

TEST(XmlMergeTest, EmptyElementTagIsAnEmptyDescription) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(Merge(
      Doc("<Module.VariableList>\r\n<Variables>\r\n"
          "<Variable Target=\"#GVa\">\r\n<Name>x</Name>\r\n<Description/>\r\n"
          "</Variable>\r\n"
          "<Variable Target=\"#GVb\">\r\n<Name>x</Name>\r\n<Description />\r\n"
          "</Variable>\r\n"
          "</Variables>\r\n</Module.VariableList>\r\n"),
      &module));
  EXPECT_EQ("", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("", module.m_pVars[1].m_strShortDesc);
}

// Start tags written unusually must not stay in the text: the next export
// would nest them in its own Description and could not be read back.
TEST(XmlMergeTest, OwnTagsAreCutHoweverTheyAreWritten) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(Merge(
      Doc("<Module.Description><Text >Module</Text ></Module.Description>\r\n"
          "<Module.VariableList>\r\n<Variables>\r\n"
          "<Variable Target=\"#GVa\">\r\n<Name>x</Name>\r\n"
          "<Description lang=\"en\">\r\nFirst\r\n</Description>\r\n"
          "</Variable>\r\n"
          "<Variable Target=\"#GVb\">\r\n<Name>x</Name>\r\n"
          "<Description</Name>Second</Description >\r\n"
          "</Variable>\r\n"
          "</Variables>\r\n</Module.VariableList>\r\n"),
      &module));
  EXPECT_EQ("Module", module.m_strDescription);
  EXPECT_EQ("First", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("Second", module.m_pVars[1].m_strShortDesc);
}

// Removing the inner Description tags may unbalance a description whose
// inner start tag is spelled otherwise; it then stays as written, so that
// the next export reads back. A variable's inner tags are spelled so that
// the next read does not remove them either.
TEST(XmlMergeTest, InnerTagsStayWhenRemovingThemWouldBreakTheText) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(Merge(
      Doc("<Module.VariableList>\r\n<Variables>\r\n" +
          Entry("Variable", "GVa",
                "a <Description>b</Description> c") +
          Entry("Variable", "GVb",
                "a <Description x=\"1\">b</Description> c") +
          "</Variables>\r\n</Module.VariableList>\r\n"),
      &module));
  EXPECT_EQ("a b c", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("a <Description x=\"1\">b</Description > c",
            module.m_pVars[1].m_strShortDesc);
  CModuleInfo classes = HandModule();
  ASSERT_TRUE(Merge(Doc("<Class anchor=\"ClassC\">" +
                        Desc("a <Description x=\"1\">b</Description> c") +
                        "</Class>"),
                    &classes));
  EXPECT_EQ("a <Description x=\"1\">b</Description> c",
            classes.m_pClasses[0].m_strDescription);
}

TEST(XmlMergeTest, KeysAndTheirHashes) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(
      Merge(Doc("<Module.VariableList>\r\n<Variables>\r\n" +
                Entry("Variable", "#GVa", "two hashes") +
                Entry("Variable", "GVunknown", "nobody") +
                Entry("Variable", "gva", "wrong case") +
                Entry("Variable", "GVb", "b first") +
                Entry("Variable", "GVb", "b again") +
                "</Variables>\r\n</Module.VariableList>\r\n"
                // ModuleFunction and Class anchors are taken as they are.
                "<Module.Functions><ModuleFunction anchor=\"#GFf\">" +
                Desc("hash f") + "</ModuleFunction></Module.Functions>\r\n" +
                "<Class anchor=\"#ClassC\">" + Desc("hash C") + "</Class>\r\n"),
            &module));
  EXPECT_EQ("two hashes", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("b first", module.m_pVars[1].m_strShortDesc);
  EXPECT_EQ("", module.m_pFuncs[0].m_strDescription);
  EXPECT_EQ("", module.m_pClasses[0].m_strDescription);
}

TEST(XmlMergeTest, FirstRecordWithAnAnchorWins) {
  CModuleInfo module = HandModule();
  module.m_pVars[1].m_strAnchor = "GVa";
  ASSERT_TRUE(Merge(
      Doc("<Module.VariableList><Variables>" + Entry("Variable", "GVa", "one") +
          Entry("Variable", "GVa", "two") +
          "</Variables></Module.VariableList>"),
      &module));
  EXPECT_EQ("one", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("", module.m_pVars[1].m_strShortDesc);
}

TEST(XmlMergeTest, HandEditedListOrder) {
  const std::string text =
      Doc("<Module.VariableList>\r\n<Variables>\r\n" +
          Entry("Variable", "GVa", "var a") + "</Variables>\r\n" +
          "<Description>list text</Description>\r\n"
          "</Module.VariableList>\r\n");
  CModuleInfo empty = HandModule();
  ASSERT_TRUE(Merge(text, &empty));
  EXPECT_EQ("list text", empty.m_strVarText);
  EXPECT_EQ("", empty.m_pVars[0].m_strShortDesc);

  CModuleInfo filled = HandModule();
  filled.m_strVarText = "mine";
  ASSERT_TRUE(Merge(text, &filled));
  EXPECT_EQ("mine", filled.m_strVarText);
  EXPECT_EQ("var a", filled.m_pVars[0].m_strShortDesc);
}

TEST(XmlMergeTest, InitializerBlockIsNotTakenIntoTheDescription) {
  CModuleInfo module = ParseGeo(
      "static int g_tab[2] = { 1,\n 2 };\n"
      "extern int g_n;\n"
      "class C {\npublic:\n  int m_a[2] = { 1,\n 2 };\n};\n");
  ASSERT_EQ(2u, module.m_pVars.size());
  ASSERT_FALSE(module.m_pVars[0].m_arrParams.empty());
  ASSERT_EQ(1u, module.m_pClasses.size());
  ASSERT_EQ(1u, module.m_pClasses[0].m_pVars.size());
  const std::string block =
      "\r\n <br/>Initialization:<br/> \r\n{<br/>\r\n1,<br/> 2<br/>\r\n};<br/>";
  ASSERT_TRUE(Merge(
      Doc("<Module.VariableList><Variables>" +
          Entry("Variable", module.m_pVars[0].m_strAnchor, "tab" + block) +
          Entry("Variable", module.m_pVars[1].m_strAnchor,
                "<br/>Initialization:<br/>") +
          "</Variables></Module.VariableList><Class anchor=\"ClassC\">"
          "<MemberList><Members>" +
          Entry("Member", module.m_pClasses[0].m_pVars[0].m_strAnchor,
                "a<br/>Initialization:<br/>kept\r\nb" + block) +
          "</Members></MemberList></Class>"),
      &module));
  EXPECT_EQ("tab", module.m_pVars[0].m_strShortDesc);
  EXPECT_EQ("", module.m_pVars[1].m_strShortDesc);
  EXPECT_EQ("a<br/>Initialization:<br/>kept\r\nb",
            module.m_pClasses[0].m_pVars[0].m_strShortDesc);
}

TEST(XmlMergeTest, UmlautEntitiesInKeysAndIncludes) {
  CModuleInfo module = HandModule();
  module.m_pFuncs[0].m_arrParams[0] = "int gr\xF6\xDFte";
  module.m_pFuncs[0].m_arrReturns[0] = "\xC4\xD6\xDC\xE4\xFC\xA7";
  ASSERT_TRUE(Merge(
      Doc("<Module.Description><CPPIncludesList><CPPIncludes>"
          "<CPPInclude>&quot;gr&ouml;&szlig;te.cpp&quot;</CPPInclude>"
          "<CPPInclude>&amp;auml;</CPPInclude>"
          "</CPPIncludes></CPPIncludesList></Module.Description>"
          "<Module.Functions><ModuleFunction anchor=\"GFf\">"
          "<ReturnValues>" +
          Item("ReturnValue", "&Auml;&Ouml;&Uuml;&auml;&uuml;&sect;", "ret") +
          "</ReturnValues><Parameters>" +
          Item("Parameter", "int gr&ouml;&szlig;te", "size") +
          "</Parameters></ModuleFunction></Module.Functions>"),
      &module));
  EXPECT_EQ((TextList{"\"gr\xF6\xDFte.cpp\"", "\xE4"}),
            module.m_arrCppIncludes);
  EXPECT_EQ("size", DescriptionAt(module.m_pFuncs[0].m_arrParamDescs, 0));
  EXPECT_EQ("ret", DescriptionAt(module.m_pFuncs[0].m_arrReturnDescs, 0));
}

TEST(XmlMergeTest, ClassListIntroductionsAreMerged) {
  CModuleInfo module = HandModule();
  module.m_pClasses[0].m_strFuncText = "mine";
  ASSERT_TRUE(
      Merge(Doc("<Class anchor=\"ClassC\"><MemberList><Header>h</Header>" +
                Desc("<b>members</b>") + "<Members>" +
                Entry("Member", "CVCm2", "m2") +
                "</Members></MemberList><MethodsList>" + Desc("methods") +
                "<MethodsShort>" + Entry("MethodShort", "CFCf", "f") +
                "</MethodsShort></MethodsList></Class>"),
            &module));
  const CClassInfo& c = module.m_pClasses[0];
  EXPECT_EQ("<b>members</b>", c.m_strVarText);
  EXPECT_EQ("m2", c.m_pVars[1].m_strShortDesc);
  EXPECT_EQ("mine", c.m_strFuncText);
  // With the introduction filled, the search for the list starts at the
  // first child again.
  EXPECT_EQ("f", c.m_pFuncs[0].m_strShortDesc);
}

TEST(XmlMergeTest, ItemsWithoutNameAndMissingElementsAreSkipped) {
  CModuleInfo module = HandModule();
  ASSERT_TRUE(
      Merge(Doc("<Module.Functions><ModuleFunction anchor=\"GFf\"><Parameters>"
                "<Parameter><Description>no name</Description></Parameter>" +
                Item("Parameter", "int h", "h") +
                "</Parameters></ModuleFunction></Module.Functions>"
                "<Class anchor=\"ClassC\"><Methods><Method anchor=\"CFCf\">"
                "</Method></Methods></Class>"),
            &module));
  EXPECT_EQ((TextList{"", "h"}), module.m_pFuncs[0].m_arrParamDescs);
  EXPECT_EQ("", module.m_pClasses[0].m_pFuncs[0].m_strDescription);
}

}  // namespace
