// The document written as bytes for a file against its line list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "html/outgrowing_headers_for_tests.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace fs = std::filesystem;

namespace {

const char kExampleDir[] = VARNEL_SOURCE_DIR "/examples";
const char kWxSettings[] = VARNEL_SOURCE_DIR "/tests/wx/varnel.INI";
const char kWxFolder[] = "/usr/include/wx-3.2/wx";

// What a file gets from the pieces: every line followed by CR LF.
std::string BytesOfPieces(CModuleInfo* module, const std::string& header,
                          const std::string& html) {
  std::string bytes;
  EXPECT_TRUE(BuildXmlDocumentInPieces(module, header, html,
                                       [&](TextList* piece) {
                                         for (const std::string& line : *piece)
                                           bytes.append(line).append("\r\n");
                                         piece->clear();
                                         return true;
                                       }));
  return bytes;
}

std::string WrittenBytes(CModuleInfo* module, const std::string& header,
                         const std::string& html) {
  std::string bytes;
  EXPECT_TRUE(WriteXmlDocumentBytes(module, header, html,
                                    [&](std::string_view block) {
                                      bytes += block;
                                      return true;
                                    }));
  // The model is named now: the form for a named model writes the same.
  std::string named;
  EXPECT_TRUE(WriteNamedXmlDocumentBytes(*module, [&](std::string_view block) {
    named += block;
    return true;
  }));
  EXPECT_TRUE(named == bytes);
  return bytes;
}

// The line around the first byte where the two differ, for a readable
// failure on documents of megabytes.
std::string FirstDifference(const std::string& expected,
                            const std::string& actual) {
  const auto where = std::mismatch(expected.begin(), expected.end(),
                                   actual.begin(), actual.end());
  const size_t at = static_cast<size_t>(where.first - expected.begin());
  const size_t lineStart = expected.rfind('\n', at) + 1;  // npos + 1 is 0
  return "at byte " + std::to_string(at) + ": expected \"" +
         expected.substr(lineStart, at - lineStart + 40) + "\", got \"" +
         actual.substr(lineStart, at - lineStart + 40) + "\"";
}

// Each form on its own copy of the model, as each runs the naming.
void ExpectSameBytes(const CModuleInfo& module, const std::string& header,
                     const std::string& html) {
  CModuleInfo forList = module;
  CModuleInfo forBytes = module;
  const std::string expected = BytesOfPieces(&forList, header, html);
  const std::string actual = WrittenBytes(&forBytes, header, html);
  EXPECT_TRUE(expected == actual)
      << header << " " << FirstDifference(expected, actual);
  EXPECT_GE(XmlDocumentBytesAtMost(forBytes), actual.size()) << header;
}

bool ParseFile(const std::string& path, const std::string& settings,
               CModuleInfo* module) {
  TextList macros, notReturns, lines;
  std::string err;
  EXPECT_TRUE(ReadParserSettingsInto(settings, &macros, &notReturns, &err))
      << err;
  module->m_strName = fs::path(path).stem().string();
  return ParseHeader(path, module->m_strName + ".htm", macros, notReturns,
                     &lines, module, &err);
}

CModuleInfo ParseText(const std::string& text, const std::string& name) {
  CModuleInfo module;
  module.m_strName = name;
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(text, "/src/x.h", "/doc/x.htm", {}, {}, &lines,
                              &module, &err))
      << err;
  return module;
}

// The example's own descriptions carry markup, entities and several lines.
TEST(XmlBytesTest, BundledExampleBeforeAndAfterMergingItsDescriptions) {
  const std::string dir = kExampleDir;
  CModuleInfo module;
  ASSERT_TRUE(ParseFile(dir + "/Geometry.h", dir + "/varnel.INI", &module));
  ExpectSameBytes(module, dir + "/Geometry.h", "Geometry.htm");

  std::string xml;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile(dir + "/Geometry.xml", &xml));
  CXmlTree tree;
  ASSERT_TRUE(tree.Load(xml)) << tree.GetError();
  ASSERT_TRUE(MergeXmlDocument(&tree, &module));
  ASSERT_NE(std::string::npos, module.m_strDescription.find("<b>unit</b>"));
  ExpectSameBytes(module, dir + "/Geometry.h", "Geometry.htm");
}

TEST(XmlBytesTest, EveryFilterCombinationAndNamesThatNeedEscaping) {
  const char header[] =
      "#include <math.h>\n"
      "#include \"base.h\"\n"
      "extern int g_nCount;\n"
      "static int s_nLocal = 3;\n"
      "int g_table[] = { 1, 2,\n  3 };\n"
      "const char* g_text = \"a<b & \\\"c\\\", d\";\n"
      "int g_Gr\xF6\xDF" "e\xA7;\n"
      "int Add(int a, int b);\n"
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
      "  bool operator!=(const CPoint& o) const;\n"
      "  std::map<int, std::string> Table() const;\n"
      "  int m_\xE4\xF6\xFC;\n"
      "};\n"
      "class CEmpty {};\n"
      "struct SPair { int a; int b; };\n"
      "struct SPair { int c; };\n";
  for (const char* name : {"Rich", "A&B<C>\"D\"", "Gr\xF6\xDF" "e"}) {
    CModuleInfo parsed = ParseText(header, name);
    parsed.m_strDescription = "See <b>this</b> &amp; that\n<br/>second";
    if (!parsed.m_pClasses.empty())
      parsed.m_pClasses[0].m_strVarText = "<i>members</i> & more";
    for (int bits = 0; bits < 32; ++bits) {
      CModuleInfo module = parsed;
      module.m_bShowLocal = bits & 1;
      module.m_bShowProtected = bits & 2;
      module.m_bShowPrivate = bits & 4;
      module.m_bShowPublic = bits & 8;
      module.m_bShowExtern = bits & 16;
      ExpectSameBytes(module, "/src/x.h", "/doc/x.htm");
    }
  }
}

TEST(XmlBytesTest, InstalledWxHeadersGiveTheSameBytes) {
  if (!fs::is_directory(kWxFolder))
    GTEST_SKIP() << kWxFolder << " is not installed";
  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kWxFolder)) {
    if (entry.path().extension() != ".h")
      continue;
    CModuleInfo module;
    if (!ParseFile(entry.path().string(), kWxSettings, &module))
      continue;  // an empty header has nothing to document
    ExpectSameBytes(module, entry.path().string(), module.m_strName + ".htm");
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

// The bound holds where the markup outgrows the texts most.
TEST(XmlBytesTest, TheBoundHoldsForTheLargestDocumentsPerByte) {
  for (const std::string& header : HeadersThatOutgrowTheirTexts()) {
    CModuleInfo module = ParseText(header, "\xDF\"&");
    std::string written;
    ASSERT_TRUE(WriteXmlDocumentBytes(&module, "/src/x.h", "/doc/x.htm",
                                      [&](std::string_view block) {
                                        written += block;
                                        return true;
                                      }));
    EXPECT_GT(written.size(), 5 * header.size());
    EXPECT_GE(XmlDocumentBytesAtMost(module), written.size());
    // Above, but not so far that a document well under a limit gets
    // counted.
    EXPECT_LT(XmlDocumentBytesAtMost(module), 5 * written.size());
    EXPECT_FALSE(XmlDocumentMayExceed(module, written.size() * 7 * 5));
    EXPECT_TRUE(XmlDocumentMayExceed(module, written.size() - 1));
  }
}

// A document of megabytes goes out in several blocks; the first refused
// one ends the build, and nothing is handed on after it.
TEST(XmlBytesTest, AFailingSinkStopsTheBuild) {
  std::string header = "class CBig\n{\npublic:\n";
  for (int i = 0; i < 3000; ++i)
    header += "int Method" + std::to_string(i) + "(int a);\n";
  header += "};\n";
  for (int i = 0; i < 3000; ++i)
    header += "int Global" + std::to_string(i) + "(int a);\n";
  const CModuleInfo parsed = ParseText(header, "Big");

  CModuleInfo module = parsed;
  int blocks = 0;
  ASSERT_TRUE(WriteXmlDocumentBytes(&module, "/src/x.h", "/doc/x.htm",
                                    [&](std::string_view) {
                                      ++blocks;
                                      return true;
                                    }));
  ASSERT_GT(blocks, 3);

  for (int refused : {1, 2, blocks}) {
    module = parsed;
    int calls = 0;
    EXPECT_FALSE(WriteXmlDocumentBytes(&module, "/src/x.h", "/doc/x.htm",
                                       [&](std::string_view) {
                                         return ++calls < refused;
                                       }));
    EXPECT_EQ(refused, calls);
  }
}

}  // namespace
