// Written documents checked against resources/Varnel.dtd by xmllint.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "model/file_io.h"
#include "parser/parse_header.h"
#include "xml/merge_report.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace fs = std::filesystem;

namespace {

const char kDtdPath[] = VARNEL_SOURCE_DIR "/resources/Varnel.dtd";
const char kWxFolder[] = "/usr/include/wx-3.2/wx";

bool HaveXmllint() {
  return std::system("xmllint --version >/dev/null 2>&1") == 0;
}

std::string Quoted(const std::string& path) {
  std::string out = "'";
  for (char c : path)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Validates the files in batches; on failure `report` gets xmllint's
// messages.
bool ValidateAll(const std::vector<std::string>& files, const fs::path& dir,
                 std::string* report) {
  const size_t kBatch = 100;
  const std::string log = (dir / "xmllint.log").string();
  for (size_t first = 0; first < files.size(); first += kBatch) {
    std::string command = "xmllint --noout --dtdvalid " + Quoted(kDtdPath);
    for (size_t i = first; i < files.size() && i < first + kBatch; ++i)
      command += " " + Quoted(files[i]);
    command += " >" + Quoted(log) + " 2>&1";
    if (std::system(command.c_str()) != 0) {
      ReadWholeFile(log, report);
      return false;
    }
  }
  return true;
}

fs::path FreshFolder(const std::string& name) {
  fs::path dir = fs::current_path() / "xml_validation" / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

bool Parse(const std::string& text, const std::string& name,
           CModuleInfo* module) {
  module->m_strName = name;
  TextList lines;
  std::string err;
  return ParseHeaderText(text, "/src/" + name + ".h", "/doc/" + name + ".htm",
                         {}, {}, &lines, module, &err);
}

// Descriptions as a merge brings them back from a file that people edited.
void Describe(CModuleInfo* module) {
  const std::string markup =
      "See <b>this</b> &amp; <i>that</i> &auml;&sect;&nbsp;&bull;<br/>"
      "<a href=\"other.htm#x\">link</a> <code>f(a, b)</code>\n"
      "<ul><li>first</li><li><em>second</em></li></ul><p>end</p>";
  module->m_strDescription = markup;
  module->m_strVarText = markup;
  module->m_strFuncText = markup;
  module->m_arrCppIncludes = {"\"Rich.h\"", "<vector>"};
  for (CDeclInfo& var : module->m_pVars)
    var.m_strShortDesc = markup;
  for (CDeclInfo& func : module->m_pFuncs) {
    func.m_strShortDesc = markup;
    func.m_strDescription = markup;
    for (size_t i = 0; i < func.m_arrParams.size(); ++i)
      DescriptionSlot(&func.m_arrParamDescs, i) = markup;
    for (size_t i = 0; i < func.m_arrReturns.size(); ++i)
      DescriptionSlot(&func.m_arrReturnDescs, i) = markup;
  }
  for (CClassInfo& cls : module->m_pClasses) {
    cls.m_strDescription = markup;
    cls.m_strVarText = markup;
    cls.m_strFuncText = markup;
  }
}

// Headers with everything that needs escaping: operators, templates,
// string literals, initialisers, umlauts and the section sign.
const char* const kHeaders[] = {
    "#include <math.h>\n"
    "#include \"base.h\"\n"
    "extern int g_nCount;\n"
    "static int s_nLocal = 3;\n"
    "int g_table[] = { 1, 2,\n  3 };\n"
    "enum { A = 1 << 2, B = A >> 1, C = A & B };\n"
    "const char* g_text = \"a<b & \\\"c\\\"\";\n"
    "int g_Gr\xF6\xDF" "e\xA7;\n"
    "int Add(int a, int b);\n"
    "int Add(double a);\n"
    "static void Helper(void);\n"
    "bool operator<(const CPoint& a, const CPoint& b);\n"
    "class CPoint : public CBase<int, 2> {\n"
    "  int m_hidden;\n"
    "  void Secret();\n"
    " protected:\n"
    "  int m_guarded;\n"
    "  virtual void Guarded() = 0;\n"
    " public:\n"
    "  CPoint();\n"
    "  ~CPoint();\n"
    "  CPoint& operator=(const CPoint& o);\n"
    "  bool operator!=(const CPoint& o) const;\n"
    "  int operator[](int i) const;\n"
    "  std::map<int, std::string> Table() const;\n"
    "  int m_\xE4\xF6\xFC;\n"
    "};\n"
    "struct SPair { int a; int b; };\n"
    "struct SPair { int c; };\n",

    "class CEmpty {};\n"
    "class CDerived : public CEmpty, protected CMore {\n"
    " public:\n"
    "  enum Mode { eOne = 1, eTwo = 2 };\n"
    "  static const int kSize = 10;\n"
    "  void Set(Mode mode = eOne, const char* name = \"<none>\");\n"
    "};\n",

    "#define NOTHING_TO_DOCUMENT 1\n",
};

// One file per combination of the option flags, named `prefix` and the
// combination.
std::vector<std::string> WriteOptionVariants(const std::string& header,
                                             const std::string& name,
                                             const fs::path& dir,
                                             const std::string& prefix) {
  std::vector<std::string> files;
  for (int bits = 0; bits < 32; ++bits) {
    CModuleInfo module;
    EXPECT_TRUE(Parse(header, name, &module));
    Describe(&module);
    module.m_bShowLocal = bits & 1;
    module.m_bShowProtected = bits & 2;
    module.m_bShowPrivate = bits & 4;
    module.m_bShowPublic = bits & 8;
    module.m_bShowExtern = bits & 16;
    module.m_bHelpKeywords = module.m_bSplitFiles = module.m_bStylesheet =
        bits & 1;
    TextList lines;
    BuildXmlDocument(&module, "/src/" + name + ".h", "/doc/" + name + ".htm",
                     &lines);
    std::string path =
        (dir / (prefix + "_" + std::to_string(bits) + ".xml")).string();
    std::string err;
    EXPECT_TRUE(SaveLines(path, lines, &err)) << err;
    files.push_back(path);
  }
  return files;
}

TEST(XmlValidationTest, RichHeadersValidateWithEveryOption) {
  ASSERT_TRUE(HaveXmllint()) << "xmllint is missing (package libxml2-utils)";
  fs::path dir = FreshFolder("rich");
  std::vector<std::string> files;
  const char* const names[] = {"Rich", "A&B<C>\"D\"", "Gr\xF6\xDF" "e"};
  for (size_t h = 0; h < std::size(kHeaders); ++h) {
    for (size_t n = 0; n < std::size(names); ++n) {
      std::vector<std::string> written = WriteOptionVariants(
          kHeaders[h], names[n], dir,
          std::to_string(h) + "_" + std::to_string(n));
      files.insert(files.end(), written.begin(), written.end());
    }
  }
  std::string report;
  EXPECT_TRUE(ValidateAll(files, dir, &report)) << report;
}

// Side files of every kind of entry: all of a rich module's texts orphaned
// (merged into a header that has none of its entries), and all of them
// left out by the narrowest filters.
TEST(XmlValidationTest, SideFilesValidate) {
  ASSERT_TRUE(HaveXmllint()) << "xmllint is missing (package libxml2-utils)";
  fs::path dir = FreshFolder("side");
  std::vector<std::string> files;
  const char* const names[] = {"Rich", "A&B<C>\"D\""};
  for (size_t h = 0; h < std::size(kHeaders); ++h) {
    for (const char* name : names) {
      CModuleInfo described;
      ASSERT_TRUE(Parse(kHeaders[h], name, &described));
      Describe(&described);
      TextList lines;
      BuildXmlDocument(&described, "/src/x.h", "/doc/x.htm", &lines);
      std::string xml;
      for (const std::string& line : lines)
        xml += line + "\n";

      MergeReport orphans;
      CModuleInfo empty;
      ASSERT_TRUE(Parse("int Other(void);\n", name, &empty));
      CXmlTree tree;
      ASSERT_TRUE(tree.Load(xml)) << tree.GetError();
      MergeContext context;
      context.report = &orphans;
      ASSERT_TRUE(MergeXmlDocument(&tree, &empty, context));

      MergeReport filtered;
      described.m_bShowLocal = described.m_bShowPrivate =
          described.m_bShowProtected = false;
      CollectFilteredTexts(described, &filtered);

      int i = 0;
      for (const MergeReport* report : {&orphans, &filtered}) {
        BuildSideFile(*report, name, &lines);
        std::string path = (dir / (std::to_string(h) + "_" +
                                   std::to_string(files.size()) + "_" +
                                   std::to_string(i++) + ".xml"))
                               .string();
        std::string err;
        ASSERT_TRUE(SaveLines(path, lines, &err)) << err;
        files.push_back(path);
      }
    }
  }
  std::string report;
  EXPECT_TRUE(ValidateAll(files, dir, &report)) << report;
}

// The document type must reject what the writer never writes, or the
// test above proves nothing.
TEST(XmlValidationTest, DocumentTypeRejectsForeignStructure) {
  ASSERT_TRUE(HaveXmllint()) << "xmllint is missing (package libxml2-utils)";
  fs::path dir = FreshFolder("foreign");
  CModuleInfo module;
  ASSERT_TRUE(Parse(kHeaders[0], "Rich", &module));
  TextList lines;
  BuildXmlDocument(&module, "/src/Rich.h", "/doc/Rich.htm", &lines);
  for (std::string& line : lines) {
    if (line == "<Name>Add</Name>")
      line = "<Name><b>Add</b></Name>";
  }
  std::string path = (dir / "foreign.xml").string();
  std::string err;
  ASSERT_TRUE(SaveLines(path, lines, &err)) << err;
  std::string report;
  EXPECT_FALSE(ValidateAll({path}, dir, &report));
}

TEST(XmlValidationTest, InstalledWxHeadersValidate) {
  if (!fs::is_directory(kWxFolder))
    GTEST_SKIP() << kWxFolder << " is not installed";
  ASSERT_TRUE(HaveXmllint()) << "xmllint is missing (package libxml2-utils)";
  fs::path dir = FreshFolder("wx");
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(kWxFolder)) {
    if (entry.path().extension() != ".h")
      continue;
    CModuleInfo module;
    module.m_strName = entry.path().stem().string();
    std::string header = entry.path().string();
    std::string html = (dir / (module.m_strName + ".htm")).string();
    TextList lines;
    std::string err;
    if (!ParseHeader(header, html, {}, {}, &lines, &module, &err))
      continue;  // an empty header has nothing to document
    BuildXmlDocument(&module, header, html, &lines);
    std::string path = (dir / (module.m_strName + ".xml")).string();
    ASSERT_TRUE(SaveLines(path, lines, &err)) << err;
    files.push_back(path);
  }
  EXPECT_GT(files.size(), 100u);
  std::string report;
  EXPECT_TRUE(ValidateAll(files, dir, &report)) << report;
}

}  // namespace
