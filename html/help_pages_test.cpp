#include "html/help_pages.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "html/help_book_check.h"
#include "html/html_escape.h"
#include "html/html_lines.h"
#include "html/html_writer.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"

namespace {

namespace fs = std::filesystem;

const char kExampleDir[] = VARNEL_SOURCE_DIR "/examples";
const char kWxFolder[] = "/usr/include/wx-3.2/wx";

std::string Bytes(const TextList& lines, size_t from, size_t to) {
  std::string bytes;
  for (size_t i = from; i < to; ++i)
    bytes += lines[i] + "\r\n";
  return bytes;
}

// A book built in memory.
struct Book {
  std::vector<HelpPage> pages;
  std::vector<std::string> files;  // in the order the sink got them
  BookPages texts;
  std::string bodies;  // the pages' bodies one after the other
  HelpIndex index;
  std::string err;
};

size_t HeadSize(const CModuleInfo& module) {
  TextList head;
  WriteHtmlHead(&head, module);
  return head.size();
}

bool BuildBook(CModuleInfo* module, const std::string& header,
               const std::string& html, Book* book) {
  if (!PlanHelpBook(module, header, html, &book->pages, &book->err))
    return false;
  const size_t head = HeadSize(*module);
  return BuildHelpPages(
      module, header, html, book->pages,
      [&](const HelpPage& page, TextList* lines, std::string*) {
        book->files.push_back(page.file);
        book->texts[page.file] = Bytes(*lines, 0, lines->size());
        book->bodies += Bytes(*lines, head, lines->size() - 2);
        return true;
      },
      &book->index, &book->err);
}

// The page as the book builds it: split-file and keyword objects on.
TextList BookPage(CModuleInfo* module, const std::string& header,
                  const std::string& html) {
  CModuleInfo::Options saved = module->GetOptions();
  module->m_bSplitFiles = module->m_bHelpKeywords = true;
  TextList lines;
  BuildHtmlPage(module, header, html, &lines);
  module->SetOptions(saved);
  return lines;
}

std::vector<std::string> SplitFileNames(const TextList& page) {
  std::vector<std::string> names;
  for (const std::string& line : page)
    if (line.starts_with("<param name=\"New HTML file\""))
      names.push_back(AttributeValues(line, "value").at(0));
  return names;
}

// Every property a book must have; `where` names the header in failures.
void ExpectSoundBook(CModuleInfo* module, const std::string& header,
                     const std::string& html, const Book& book) {
  TextList page = BookPage(module, header, html);
  const size_t head = HeadSize(*module);
  EXPECT_EQ(Bytes(page, head, page.size() - 2), book.bodies)
      << "the bodies of the pages are not the body of the page";
  std::vector<std::string> expected = SplitFileNames(page);
  expected.insert(expected.begin(), module->m_strFile);
  EXPECT_EQ(expected, book.files);
  ASSERT_EQ(book.pages.size(), book.files.size());
  for (size_t i = 0; i < book.pages.size(); ++i) {
    const std::string& text = book.texts.at(book.files[i]);
    EXPECT_NE(std::string::npos,
              text.find("<title>" + HtmlEscaped(book.pages[i].title) +
                        "</title>\r\n"))
        << book.files[i];
    EXPECT_TRUE(text.ends_with("</body>\r\n</html>\r\n")) << book.files[i];
    EXPECT_TRUE(AnchorsOf(text).count(book.pages[i].anchor)) << book.files[i];
  }
  for (const std::string& broken : BrokenLinks(book.texts, {"Varnel.css"}))
    ADD_FAILURE() << broken;
  for (const HelpIndex::Entry* entry : book.index.Sorted())
    for (const HelpIndex::Target& target : entry->targets)
      EXPECT_TRUE(AnchorsOf(book.texts.at(book.pages[target.page].file))
                      .count(target.anchor))
          << entry->keyword;
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

CModuleInfo ParseText(const std::string& text) {
  CModuleInfo module;
  module.m_strName = "Geo";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(text, "Geo.h", "Geo.htm", {}, {}, &lines,
                              &module, &err))
      << err;
  return module;
}

const char kBook[] = "/book/Geometry.htm";

TEST(HelpPagesTest, ExampleBookIsTheCutPage) {
  for (bool stylesheet : {false, true}) {
    SCOPED_TRACE(stylesheet ? "stylesheet" : "no stylesheet");
    CModuleInfo module = ParseExample();
    module.m_bStylesheet = stylesheet;
    Book book;
    ASSERT_TRUE(BuildBook(&module, "Geometry.h", kBook, &book)) << book.err;
    EXPECT_GT(book.pages.size(), 20u);
    EXPECT_EQ("Geometry.htm", book.files.front());
    ExpectSoundBook(&module, "Geometry.h", kBook, book);
  }
}

TEST(HelpPagesTest, BookLeavesTheOptionsAndThePageAsTheyWere) {
  CModuleInfo module = ParseExample();
  TextList before;
  BuildHtmlPage(&module, "Geometry.h", "Geometry.htm", &before);
  Book book;
  ASSERT_TRUE(BuildBook(&module, "Geometry.h", kBook, &book)) << book.err;
  EXPECT_FALSE(module.m_bSplitFiles);
  EXPECT_FALSE(module.m_bHelpKeywords);
  TextList after;
  BuildHtmlPage(&module, "Geometry.h", "Geometry.htm", &after);
  EXPECT_EQ(before, after);
}

TEST(HelpPagesTest, DetailPagesOpenTheirOwnParagraph) {
  CModuleInfo module = ParseExample();
  Book book;
  ASSERT_TRUE(BuildBook(&module, "Geometry.h", kBook, &book)) << book.err;
  const size_t head = HeadSize(module);
  for (size_t i = 0; i < book.pages.size(); ++i) {
    const HelpPage& page = book.pages[i];
    std::string text = book.texts.at(page.file);
    // Nothing but whole paragraphs: each page closes what it opens.
    size_t opened = 0, closed = 0;
    for (size_t p = text.find("<p"); p != std::string::npos;
         p = text.find("<p", p + 1))
      opened += text.compare(p, 3, "<p>") == 0 || text.compare(p, 3, "<p ") == 0;
    for (size_t p = text.find("</p>"); p != std::string::npos;
         p = text.find("</p>", p + 1))
      ++closed;
    EXPECT_EQ(opened, closed) << page.file;
    if (page.kind == HelpPageKind::kMethod ||
        page.kind == HelpPageKind::kGlobalFunc) {
      TextList lines;
      ForEachLine(text, [&](std::string_view l) { lines.emplace_back(l); });
      EXPECT_EQ("<p>", lines[head]) << page.file;
    }
  }
}

TEST(HelpPagesTest, KeywordsLeadToTheirPagesAndAnchors) {
  CModuleInfo module = ParseExample();
  Book book;
  ASSERT_TRUE(BuildBook(&module, "Geometry.h", kBook, &book)) << book.err;
  std::map<std::string, const HelpIndex::Entry*> byKeyword;
  for (const HelpIndex::Entry* entry : book.index.Sorted())
    byKeyword[entry->keyword] = entry;
  ASSERT_TRUE(byKeyword.count("CPoint:Distance"));
  const HelpIndex::Target& point = byKeyword["CPoint:Distance"]->targets.at(0);
  EXPECT_EQ("GeometryCFCPointDistance.htm", book.pages[point.page].file);
  EXPECT_EQ("CFCPointDistance", point.anchor);
  // The method and the global function share their name.
  ASSERT_TRUE(byKeyword.count("Distance"));
  EXPECT_EQ(2u, byKeyword["Distance"]->targets.size());
  ASSERT_TRUE(byKeyword.count("Geometry.htm"));
  EXPECT_EQ(0u, byKeyword["Geometry.htm"]->targets.at(0).page);
}

TEST(HelpPagesTest, DescriptionsCannotPoseAsObjects) {
  CModuleInfo module = ParseExample();
  TextList object;
  module.m_bSplitFiles = module.m_bHelpKeywords = true;
  WriteSplitFileObject(&object, module, "Evil.htm", "Evil");
  module.m_bSplitFiles = module.m_bHelpKeywords = false;
  std::string joined;
  for (const std::string& line : object)
    joined += line + "\r\n";
  module.m_strDescription = joined;
  module.m_pClasses[0].m_strDescription = object[0];
  Book book;
  ASSERT_TRUE(BuildBook(&module, "Geometry.h", kBook, &book)) << book.err;
  EXPECT_EQ(0u, book.texts.count("Evil.htm"));
  EXPECT_NE(std::string::npos,
            book.texts.at("Geometry.htm").find(joined + "\r\n"));
  ExpectSoundBook(&module, "Geometry.h", kBook, book);
}

TEST(HelpPagesTest, UnsafeOrSharedNamesAreRefusedBeforeAnyPage) {
  struct Case {
    const char* header;
    const char* message;
  };
  const Case cases[] = {
      {"class A { int m; };\nclass A { int n; };\n",
       "Two pages would be written to \"Geo_Class_A.htm\": the header "
       "documents the class A twice."},
      {"class ../x { void f(); };\n", "the class ../x contains the folder"},
      {"class S { int Length(); int length(); };\n",
       "differ only in case"},
      {"class X { void Yz(); };\nclass XY { void z(); };\n",
       "those of the method X::Yz and of the method XY::z"},
      {"class T<a&b> { void f(); };\n", "which a link of the help book"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    CModuleInfo module = ParseText(c.header);
    std::vector<HelpPage> pages;
    std::string err;
    ASSERT_FALSE(PlanHelpBook(&module, "Geo.h", "Geo.htm", &pages, &err));
    EXPECT_NE(std::string::npos, err.find(c.message)) << err;
  }
}

TEST(HelpPagesTest, ANamelessFunctionIsNamedSoInTheMessage) {
  CModuleInfo module = ParseText("int f(int a);\n");
  module.m_pFuncs[0].m_strName.clear();
  std::vector<HelpPage> pages;
  std::string err;
  ASSERT_FALSE(PlanHelpBook(&module, "Geo.h", "Geo.htm", &pages, &err));
  EXPECT_EQ("Two pages would be written to \"GeoGF.htm\": those of the global "
            "functions and of the global function without a name.",
            err);
}

TEST(HelpPagesTest, OperatorsInMethodNamesGivePlainFileNames) {
  CModuleInfo module = ParseText(
      "class P {\npublic:\n  P& operator/(int d);\n  P& operator\\(int d);\n"
      "  bool operator<(const P& o) const;\n};\n");
  Book book;
  ASSERT_TRUE(BuildBook(&module, "Geo.h", "Geo.htm", &book)) << book.err;
  EXPECT_TRUE(book.texts.count("GeoCFPoperatordiv.htm"));
  EXPECT_TRUE(book.texts.count("GeoCFPoperatorbslash.htm"));
  EXPECT_TRUE(book.texts.count("GeoCFPoperatorlt.htm"));
  ExpectSoundBook(&module, "Geo.h", "Geo.htm", book);
}

TEST(HelpPagesTest, HiddenGlobalsHaveNoPagesButHiddenMethodsDo) {
  CModuleInfo module = ParseText(
      "static int Hidden(int a);\nint Shown(int a);\n"
      "class C {\nprivate:\n  void Secret();\n};\n");
  module.m_bShowLocal = module.m_bShowPrivate = module.m_bShowProtected =
      false;
  Book book;
  ASSERT_TRUE(BuildBook(&module, "Geo.h", "Geo.htm", &book)) << book.err;
  EXPECT_EQ(0u, book.texts.count("GeoGFHidden.htm"));
  EXPECT_EQ(1u, book.texts.count("GeoGFShown.htm"));
  EXPECT_EQ(1u, book.texts.count("GeoCFCSecret.htm"));
  ExpectSoundBook(&module, "Geo.h", "Geo.htm", book);
}

TEST(HelpPagesTest, SinkFailureStopsTheCut) {
  CModuleInfo module = ParseExample();
  std::vector<HelpPage> pages;
  std::string err;
  ASSERT_TRUE(PlanHelpBook(&module, "Geometry.h", kBook, &pages, &err));
  HelpIndex index;
  int calls = 0;
  EXPECT_FALSE(BuildHelpPages(
      &module, "Geometry.h", kBook, pages,
      [&](const HelpPage&, TextList*, std::string* e) {
        *e = "disk full";
        return ++calls < 3;
      },
      &index, &err));
  EXPECT_EQ(3, calls);
  EXPECT_EQ("disk full", err);
}

TEST(HelpPagesTest, AStalePlanIsAnErrorNotAWrongBook) {
  CModuleInfo module = ParseExample();
  std::vector<HelpPage> pages;
  std::string err;
  ASSERT_TRUE(PlanHelpBook(&module, "Geometry.h", kBook, &pages, &err));
  pages.pop_back();
  HelpIndex index;
  EXPECT_FALSE(BuildHelpPages(
      &module, "Geometry.h", kBook, pages,
      [](const HelpPage&, TextList*, std::string*) { return true; }, &index,
      &err));
  EXPECT_NE(std::string::npos, err.find("cannot be cut")) << err;
}

// Every wx header: either its book is refused with a message naming the
// entry, or every property holds.
TEST(HelpPagesTest, InstalledWxHeaders) {
  if (!fs::is_directory(kWxFolder))
    GTEST_SKIP() << kWxFolder << " is not installed";
  TextList macros, notReturns;
  std::string err;
  ASSERT_TRUE(ReadParserSettingsInto(VARNEL_SOURCE_DIR "/tests/wx/varnel.INI",
                                     &macros, &notReturns, &err));
  size_t books = 0, refused = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kWxFolder)) {
    if (entry.path().extension() != ".h")
      continue;
    SCOPED_TRACE(entry.path().string());
    CModuleInfo module;
    module.m_strName = entry.path().stem().string();
    module.m_bStylesheet = true;
    std::string header = entry.path().string();
    std::string html = "/book/" + module.m_strName + ".htm";
    TextList lines;
    if (!ParseHeader(header, html, macros, notReturns, &lines, &module, &err))
      continue;
    Book book;
    if (!BuildBook(&module, header, html, &book)) {
      EXPECT_EQ(0u, book.files.size()) << book.err;
      EXPECT_TRUE(book.err.starts_with("The page file") ||
                  book.err.starts_with("Two pages"))
          << book.err;
      ++refused;
      continue;
    }
    ++books;
    ExpectSoundBook(&module, header, html, book);
  }
  EXPECT_GT(books, 300u);
  std::cout << books << " books, " << refused << " refused\n";
}

}  // namespace
