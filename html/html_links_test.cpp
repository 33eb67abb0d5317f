// Every link of a page built from a parsed header leads to an anchor of the
// same page, and with split files to an anchor inside the page file named.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "html/html_writer.h"
#include "parser/parse_header.h"

namespace {

const char kRichHeader[] = R"(#include <stdio.h>
#include "geo_base.h"

extern int g_nCount;
static double s_scale;
int g_table[3] = {1, 2, 3};

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
  CPoint& operator+=(int d);
  bool operator()(int i) const;
  int m_x;
  int m_y;
protected:
  void Move(int dx, int dy);
private:
  void Move(double f);
};

class CEmpty
{
};

struct SSize
{
  int cx;
  int cy;
  int Square() const;
};
)";

struct Targets {
  std::set<std::string> anchors;
  std::set<std::pair<std::string, std::string>> anchorsByFile;
};

std::string Between(const std::string& line, const std::string& open,
                    size_t from, size_t* end) {
  size_t start = line.find(open, from);
  if (start == std::string::npos)
    return std::string();
  start += open.size();
  *end = line.find('"', start);
  return line.substr(start, *end - start);
}

// Anchors the page defines, each with the page file it falls into: the
// module's own file until the first split-file object.
Targets CollectTargets(const TextList& lines, const std::string& moduleFile) {
  Targets t;
  std::string file = moduleFile;
  for (const std::string& line : lines) {
    size_t end = 0;
    if (line.starts_with("<param name=\"New HTML file\" value=\""))
      file = Between(line, "value=\"", 0, &end);
    if (line.starts_with("<a id=\"")) {
      std::string id = Between(line, "id=\"", 0, &end);
      t.anchors.insert(id);
      t.anchorsByFile.insert({file, id});
    }
  }
  return t;
}

// Checks every href and returns how many there were.
int ExpectLinksResolve(const TextList& lines, const std::string& moduleFile,
                       bool split) {
  Targets targets = CollectTargets(lines, moduleFile);
  int links = 0;
  for (const std::string& line : lines) {
    size_t pos = 0;
    while (line.find("href=\"", pos) != std::string::npos) {
      std::string href = Between(line, "href=\"", pos, &pos);
      if (href == "Varnel.css")
        continue;
      ++links;
      size_t hash = href.find('#');
      EXPECT_NE(std::string::npos, hash) << href;
      if (hash == std::string::npos)
        continue;
      std::string file = href.substr(0, hash);
      std::string anchor = href.substr(hash + 1);
      EXPECT_TRUE(targets.anchors.count(anchor)) << href;
      if (split)
        EXPECT_TRUE(targets.anchorsByFile.count({file, anchor})) << href;
      else
        EXPECT_TRUE(file.empty()) << href;
    }
  }
  return links;
}

CModuleInfo ParseRich() {
  CModuleInfo module;
  module.m_strName = "Geo";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(kRichHeader, "/src/Geo.h", "/doc/Geo.htm", {}, {},
                              &lines, &module, &err))
      << err;
  return module;
}

}  // namespace

TEST(HtmlLinksTest, EveryLinkNamesAnAnchorOfThePage) {
  CModuleInfo module = ParseRich();
  ASSERT_GE(module.m_nClasses, 4);
  ASSERT_GE(module.m_nFuncs, 4);
  ASSERT_GE(module.m_nVars, 3);
  module.m_bHelpKeywords = module.m_bStylesheet = true;
  for (bool split : {false, true}) {
    SCOPED_TRACE(split ? "split files" : "one file");
    module.m_bSplitFiles = split;
    TextList lines;
    BuildHtmlPage(&module, "/src/Geo.h", "/doc/Geo.htm", &lines);
    EXPECT_GT(ExpectLinksResolve(lines, module.m_strFile, split), 100);
  }
}

TEST(HtmlLinksTest, FiltersNeverLeaveLinksToHiddenBlocks) {
  CModuleInfo module = ParseRich();
  module.m_bShowLocal = module.m_bShowProtected = module.m_bShowPrivate = false;
  module.m_bSplitFiles = true;
  TextList lines;
  BuildHtmlPage(&module, "/src/Geo.h", "/doc/Geo.htm", &lines);
  EXPECT_GT(ExpectLinksResolve(lines, module.m_strFile, true), 50);
}

TEST(HtmlLinksTest, PageInPiecesEqualsTheWholePageAndOutgrowsTheEstimate) {
  CModuleInfo module = ParseRich();
  module.m_bSplitFiles = true;
  TextList whole;
  BuildHtmlPage(&module, "Rich.h", "Rich.htm", &whole);
  std::string wholeBytes, pieceBytes;
  for (const auto& line : whole)
    wholeBytes += line + "\r\n";
  int pieces = 0;
  ASSERT_TRUE(BuildHtmlPageInPieces(&module, "Rich.h", "Rich.htm",
                                    [&](TextList* piece) {
                                      ++pieces;
                                      for (const auto& line : *piece)
                                        pieceBytes += line + "\r\n";
                                      piece->clear();
                                      return true;
                                    }));
  EXPECT_EQ(wholeBytes, pieceBytes);
  EXPECT_GE(pieces, module.m_nClasses + 2);
  uint64_t bytes = 0;
  for (const auto& line : whole)
    bytes += line.size() + 2;
  uint64_t estimate = EstimateHtmlPageBytes(module);
  EXPECT_LE(estimate, bytes);
  EXPECT_GT(estimate, bytes / 3);
  // A flush that fails stops the build.
  int calls = 0;
  EXPECT_FALSE(BuildHtmlPageInPieces(&module, "Rich.h", "Rich.htm",
                                     [&](TextList*) { return ++calls < 2; }));
  EXPECT_EQ(2, calls);
}

// A list of thousands of entries (a huge class, a header of many globals)
// goes to the file while it is built: no piece holds a whole list, the
// bytes stay those of the page, and a failed write stops inside the list.
TEST(HtmlLinksTest, LongListsAreHandedOnWhileTheyAreBuilt) {
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
  ASSERT_EQ(3000, module.m_nVars);
  TextList whole;
  BuildHtmlPage(&module, "Big.h", "Big.htm", &whole);
  size_t largest = 0;
  std::string wholeBytes, pieceBytes;
  for (const auto& line : whole)
    wholeBytes += line + "\r\n";
  ASSERT_TRUE(BuildHtmlPageInPieces(&module, "Big.h", "Big.htm",
                                    [&](TextList* piece) {
                                      largest = std::max(largest, piece->size());
                                      for (const auto& line : *piece)
                                        pieceBytes += line + "\r\n";
                                      piece->clear();
                                      return true;
                                    }));
  EXPECT_EQ(wholeBytes, pieceBytes);
  // Each list alone is over 6000 lines.
  EXPECT_LT(largest, 4096 + 100u);

  int calls = 0;
  EXPECT_FALSE(BuildHtmlPageInPieces(&module, "Big.h", "Big.htm",
                                     [&](TextList* piece) {
                                       piece->clear();
                                       return ++calls < 2;
                                     }));
  EXPECT_EQ(2, calls);
}
