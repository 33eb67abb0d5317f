// The page written as bytes is the page built as a list, byte for byte,
// whatever the header and the options.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "html/html_writer.h"
#include "html/outgrowing_headers_for_tests.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"

namespace {

namespace fs = std::filesystem;

const char kExampleDir[] = VARNEL_SOURCE_DIR "/examples";
const char kWxFolder[] = "/usr/include/wx-3.2/wx";
const size_t kBlockBytes = 256 * 1024;

// Names with every escaped character, initialisers with commas, and the
// texts a merged file brings, so that every line format appears.
const char kRichHeader[] = R"(#include <stdio.h>
#include "geo&base.h"

extern int g_nCount;
static double s_scale;
int g_table[3] = {1, 2, 3};
static const char* s_psz = "a<b, \"c\"";

double Area(double r);
double Area(double w, double h);
static void Reset();
extern bool operator==(const CPoint& a, const CPoint& b);
int Count(void);

class CShape
{
public:
  CShape();
  virtual ~CShape();
  virtual double Area() const = 0;
protected:
  int m_nId;
private:
  static int s_nShapes;
  void Register(int id);
};

class CPoint : public CShape
{
public:
  CPoint(int x, int y);
  CPoint& operator+=(const CPoint& other);
  bool operator<(const CPoint& other) const;
  int m_x;
protected:
  void Move(int dx, int dy);
private:
  int m_y;
};

class CEmpty
{
};

struct SSize
{
  int cx;
  int Square() const;
};
)";

std::string BytesOf(const TextList& lines) {
  std::string bytes;
  for (const std::string& line : lines)
    bytes.append(line).append("\r\n");
  return bytes;
}

// Where two pages first differ, instead of both pages in the message.
testing::AssertionResult SameBytes(const std::string& expected,
                                   const std::string& actual) {
  if (expected == actual)
    return testing::AssertionSuccess();
  auto diff = std::mismatch(expected.begin(), expected.end(), actual.begin(),
                            actual.end());
  const size_t at = diff.first - expected.begin();
  const size_t from = at < 40 ? 0 : at - 40;
  return testing::AssertionFailure()
         << "sizes " << expected.size() << " and " << actual.size()
         << ", first difference at " << at << ":\n  \""
         << expected.substr(from, 80) << "\"\n  \"" << actual.substr(from, 80)
         << "\"";
}

struct BytePage {
  std::string bytes;
  size_t blocks = 0;
  size_t largestBlock = 0;
};

BytePage WriteBytes(CModuleInfo* module, const std::string& header,
                    const std::string& html) {
  BytePage page;
  EXPECT_TRUE(WriteHtmlPageBytes(module, header, html, [&](std::string_view b) {
    ++page.blocks;
    page.largestBlock = std::max(page.largestBlock, b.size());
    page.bytes += b;
    return true;
  }));
  // The model is named now: the form for a named model writes the same.
  std::string named;
  EXPECT_TRUE(WriteNamedHtmlPageBytes(*module, [&](std::string_view b) {
    named += b;
    return true;
  }));
  EXPECT_TRUE(named == page.bytes);
  return page;
}

std::string PieceBytes(CModuleInfo* module, const std::string& header,
                       const std::string& html) {
  std::string bytes;
  EXPECT_TRUE(BuildHtmlPageInPieces(module, header, html, [&](TextList* p) {
    bytes += BytesOf(*p);
    p->clear();
    return true;
  }));
  return bytes;
}

// The byte form against both list forms.
void ExpectFormsAgree(CModuleInfo* module, const std::string& header,
                      const std::string& html) {
  const std::string bytes = WriteBytes(module, header, html).bytes;
  EXPECT_TRUE(SameBytes(PieceBytes(module, header, html), bytes));
  TextList whole;
  BuildHtmlPage(module, header, html, &whole);
  EXPECT_TRUE(SameBytes(BytesOf(whole), bytes));
  EXPECT_GE(HtmlPageBytesAtMost(*module), bytes.size());
}

CModuleInfo ParseRich() {
  CModuleInfo module;
  module.m_strName = "Geo<&>";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(kRichHeader, "/src/Geo.h", "/doc/Geo.htm", {},
                              {}, &lines, &module, &err))
      << err;
  // What a merged description file would bring.
  module.m_strDescription = "The <b>module</b>\r\nover two lines";
  module.m_strVarText = "Its variables";
  module.m_strFuncText = "Its functions";
  for (CClassInfo& cls : module.m_pClasses) {
    cls.m_strVarText = "<i>members</i>";
    cls.m_strFuncText = "<i>methods</i>";
    for (CDeclInfo& method : cls.m_pFuncs) {
      method.m_arrReturnDescs = {"what it gives"};
      method.m_arrParamDescs = {"", "the second"};
    }
  }
  module.m_pClasses.at(0).m_strDescription = "A shape";
  module.m_pClasses.at(1).m_strName = "CPoint<T&\xE4>";
  module.m_pClasses.at(1).m_strBase = "public CShape<\xDF>";
  return module;
}

CModuleInfo ParseExample() {
  TextList macros, notReturns;
  std::string err;
  EXPECT_TRUE(ReadParserSettingsInto(std::string(kExampleDir) + "/varnel.INI",
                                     &macros, &notReturns, &err))
      << err;
  CModuleInfo module;
  module.m_strName = "Geometry";
  TextList lines;
  EXPECT_TRUE(ParseHeader(std::string(kExampleDir) + "/Geometry.h",
                          "Geometry.htm", macros, notReturns, &lines, &module,
                          &err))
      << err;
  return module;
}

// Every combination of the eight options, one bit each.
CModuleInfo::Options OptionsOf(unsigned bits) {
  auto bit = [bits](int i) { return (bits >> i & 1) != 0; };
  return {bit(0), bit(1), bit(2), bit(3), bit(4), bit(5), bit(6), bit(7)};
}

}  // namespace

TEST(HtmlBytesTest, RichHeaderUnderEveryOptionCombination) {
  CModuleInfo module = ParseRich();
  ASSERT_GE(module.m_nClasses, 4);
  for (unsigned bits = 0; bits < 256; ++bits) {
    SCOPED_TRACE("options " + std::to_string(bits));
    module.SetOptions(OptionsOf(bits));
    ExpectFormsAgree(&module, "/src/Geo.h", "/doc/Geo.htm");
  }
}

TEST(HtmlBytesTest, BundledExample) {
  CModuleInfo module = ParseExample();
  ASSERT_GT(module.m_nClasses, 0);
  for (unsigned bits : {0u, 0xFFu, 0x07u, 0xF8u}) {
    SCOPED_TRACE("options " + std::to_string(bits));
    module.SetOptions(OptionsOf(bits));
    ExpectFormsAgree(&module, "Geometry.h", "Geometry.htm");
  }
}

// The bound holds where the markup outgrows the texts most, with help
// objects and keywords as well.
TEST(HtmlBytesTest, TheBoundHoldsForTheLargestPagesPerByte) {
  for (const std::string& header : HeadersThatOutgrowTheirTexts()) {
    SCOPED_TRACE(header.substr(0, 20));
    for (unsigned bits : {0x00u, 0xFFu}) {
      CModuleInfo module;
      module.m_strName = "\xDF\"&";
      TextList lines;
      std::string err;
      ASSERT_TRUE(ParseHeaderText(header, "/src/x.h", "/doc/x.htm", {}, {},
                                  &lines, &module, &err));
      module.SetOptions(OptionsOf(bits));
      const std::string bytes =
          WriteBytes(&module, "/src/x.h", "/doc/x.htm").bytes;
      EXPECT_GE(HtmlPageBytesAtMost(module), bytes.size());
      if (bits != 0xFF)
        continue;  // the filters leave entries out that the bound counts
      EXPECT_GT(bytes.size(), 5 * header.size());
      // Above, but not so far that a page well under a limit gets counted.
      EXPECT_LT(HtmlPageBytesAtMost(module), 10 * bytes.size());
      EXPECT_FALSE(HtmlPageMayExceed(module, bytes.size() * 7 * 10));
      EXPECT_TRUE(HtmlPageMayExceed(module, bytes.size() - 1));
    }
  }
}

// Thousands of entries: the blocks stay bounded while the lists are
// written, and a sink that fails stops the page at once.
TEST(HtmlBytesTest, LongListsGoOutInBoundedBlocksAndAFailureStops) {
  std::string header = "class CBig\n{\npublic:\n";
  for (int i = 0; i < 3000; ++i)
    header += "int m_n" + std::to_string(i) + ";\nint Method" +
              std::to_string(i) + "(int a);\n";
  header += "};\n";
  for (int i = 0; i < 3000; ++i)
    header += "int g_n" + std::to_string(i) + ";\nint Global" +
              std::to_string(i) + "(int a);\n";
  CModuleInfo module;
  module.m_strName = "Big";
  TextList lines;
  std::string err;
  ASSERT_TRUE(ParseHeaderText(header, "Big.h", "Big.htm", {}, {}, &lines,
                              &module, &err));
  const BytePage page = WriteBytes(&module, "Big.h", "Big.htm");
  EXPECT_TRUE(SameBytes(PieceBytes(&module, "Big.h", "Big.htm"), page.bytes));
  EXPECT_GT(page.blocks, 8u);
  EXPECT_LT(page.largestBlock, kBlockBytes + 16 * 1024);

  int calls = 0;
  EXPECT_FALSE(WriteHtmlPageBytes(&module, "Big.h", "Big.htm",
                                  [&](std::string_view) { return ++calls < 2; }));
  EXPECT_EQ(2, calls);
}

// A small page is one block, handed on at the end.
TEST(HtmlBytesTest, ASmallPageIsOneBlock) {
  CModuleInfo module = ParseExample();
  const BytePage page = WriteBytes(&module, "Geometry.h", "Geometry.htm");
  EXPECT_EQ(1u, page.blocks);
  EXPECT_TRUE(page.bytes.ends_with("</body>\r\n</html>\r\n"));
  int calls = 0;
  EXPECT_FALSE(WriteHtmlPageBytes(&module, "Geometry.h", "Geometry.htm",
                                  [&](std::string_view) { return ++calls > 1; }));
  EXPECT_EQ(1, calls);
}

TEST(HtmlBytesTest, InstalledWxHeaders) {
  if (!fs::is_directory(kWxFolder))
    GTEST_SKIP() << kWxFolder << " is not installed";
  TextList macros, notReturns;
  std::string err;
  ASSERT_TRUE(ReadParserSettingsInto(VARNEL_SOURCE_DIR "/tests/wx/varnel.INI",
                                     &macros, &notReturns, &err));
  size_t pages = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kWxFolder)) {
    if (entry.path().extension() != ".h")
      continue;
    SCOPED_TRACE(entry.path().string());
    CModuleInfo module;
    module.m_strName = entry.path().stem().string();
    const std::string header = entry.path().string();
    const std::string html = "/doc/" + module.m_strName + ".htm";
    TextList lines;
    if (!ParseHeader(header, html, macros, notReturns, &lines, &module, &err))
      continue;
    for (unsigned bits : {0xF8u, 0xFFu}) {
      module.SetOptions(OptionsOf(bits));
      ExpectFormsAgree(&module, header, html);
    }
    ++pages;
  }
  EXPECT_GT(pages, 300u);
}
