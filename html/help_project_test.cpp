#include "html/help_project.h"

#include <gtest/gtest.h>

#include "html/help_book_check.h"
#include "html/html_escape.h"

namespace {

HelpPage Page(HelpPageKind kind, const std::string& file, int level,
              const std::string& label) {
  HelpPage page;
  page.kind = kind;
  page.file = file;
  page.title = "Title of " + label;
  page.anchor = "A" + label;
  page.label = label;
  page.level = level;
  return page;
}

std::vector<HelpPage> Pages() {
  return {Page(HelpPageKind::kModule, "Geo.htm", 0, "Geo"),
          Page(HelpPageKind::kGlobalFuncs, "GeoGF.htm", 1, "Global functions"),
          Page(HelpPageKind::kGlobalFunc, "GeoGFArea.htm", 2, "Area"),
          Page(HelpPageKind::kClass, "Geo_Class_P.htm", 1, "P"),
          Page(HelpPageKind::kClassFuncs, "Geo_Class_PCF.htm", 2, "Methods"),
          Page(HelpPageKind::kMethod, "GeoCFPMove.htm", 3, "Move"),
          Page(HelpPageKind::kClass, "Geo_Class_Q.htm", 1, "Q<\xE4>")};
}

std::string Joined(const TextList& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

TEST(HelpProjectTest, ProjectNamesItsFilesAndEveryPage) {
  std::vector<HelpPage> pages = Pages();
  TextList lines =
      HelpProjectLines({"Geo", true, true}, "Geo\r\nTitle=x", pages);
  EXPECT_EQ(
      "[OPTIONS]\nCompiled file=Geo.chm\nContents file=Geo.hhc\n"
      "Index file=Geo.hhk\nDefault topic=Geo.htm\nTitle=Geo  Title=x\n"
      "Language=0x409 English (United States)\n\n[FILES]\nGeo.htm\n"
      "GeoGF.htm\nGeoGFArea.htm\nGeo_Class_P.htm\nGeo_Class_PCF.htm\n"
      "GeoCFPMove.htm\nGeo_Class_Q.htm\nVarnel.css\n",
      Joined(lines));
  std::string without = Joined(HelpProjectLines({"Geo", false, false}, "Geo",
                                                pages));
  EXPECT_EQ(std::string::npos, without.find("Index file"));
  EXPECT_EQ(std::string::npos, without.find("Varnel.css"));
}

TEST(HelpProjectTest, ContentsNestAsThePageDoes) {
  std::string text = Joined(HelpContentsLines(Pages()));
  // Only the structure: entries as their names, lists as brackets.
  std::string shape;
  for (size_t pos = 0; pos < text.size();) {
    size_t next = text.find('\n', pos);
    std::string line = text.substr(pos, next - pos);
    pos = next + 1;
    if (line == "<UL>")
      shape += "[";
    else if (line == "</UL>")
      shape += "]";
    else if (line.starts_with("<param name=\"Name\" value=\""))
      shape += AttributeValues(line, "value")[0] + ";";
  }
  EXPECT_EQ("[Geo;[Global functions;[Area;]P;[Methods;[Move;]]Q<\xE4>;]]",
            shape);
  EXPECT_NE(std::string::npos, text.find("value=\"Q&lt;&auml;&gt;\""));
  EXPECT_NE(std::string::npos,
            text.find("<param name=\"Local\" value=\"GeoCFPMove.htm#AMove\">"));
  EXPECT_TRUE(text.starts_with("<!DOCTYPE HTML PUBLIC"));
}

TEST(HelpProjectTest, IndexListsEveryPlaceOfAKeyword) {
  std::vector<HelpPage> pages = Pages();
  HelpIndex index;
  index.Add("Move", {5, "AMove"});
  index.Add("Move", {5, "AMove"});
  index.Add("area", {2, "AArea"});
  index.Add("Move", {2, ""});
  index.Add("", {0, ""});
  index.Add("a&b", {0, "AGeo"});
  std::string text = Joined(HelpIndexLines(index, pages));
  EXPECT_NE(std::string::npos,
            text.find("<LI><OBJECT type=\"text/sitemap\">\n"
                      "<param name=\"Name\" value=\"a&amp;b\">\n"
                      "<param name=\"Local\" value=\"Geo.htm#AGeo\">\n"
                      "</OBJECT>\n"
                      "<LI><OBJECT type=\"text/sitemap\">\n"
                      "<param name=\"Name\" value=\"area\">\n"
                      "<param name=\"Local\" value=\"GeoGFArea.htm#AArea\">\n"
                      "</OBJECT>\n"
                      "<LI><OBJECT type=\"text/sitemap\">\n"
                      "<param name=\"Name\" value=\"Move\">\n"
                      "<param name=\"Name\" value=\"Title of Move\">\n"
                      "<param name=\"Local\" value=\"GeoCFPMove.htm#AMove\">\n"
                      "<param name=\"Name\" value=\"Title of Area\">\n"
                      "<param name=\"Local\" value=\"GeoGFArea.htm\">\n"
                      "</OBJECT>\n</UL>\n"))
      << text;
  EXPECT_EQ(std::string::npos, text.find("value=\"\""));
}

TEST(HelpProjectTest, LongKeywordsAreCutAndMayMeet) {
  HelpIndex index;
  std::string base(kMaxKeywordBytes, 'k');
  index.Add(base + "one", {0, "A"});
  index.Add(base + "two", {1, "B"});
  std::vector<const HelpIndex::Entry*> entries = index.Sorted();
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(base, entries[0]->keyword);
  EXPECT_EQ(2u, entries[0]->targets.size());
}

TEST(HelpProjectTest, UnescapingGivesBackWhatEscapingGot) {
  std::string all;
  for (int c = 1; c < 256; ++c)
    all += static_cast<char>(c);
  all += "&amp;&lt;&nbsp;&";
  EXPECT_EQ(all, HtmlUnescaped(HtmlEscaped(all)));
  EXPECT_EQ("a&nbsp;<&bogus", HtmlUnescaped("a&nbsp;&lt;&bogus"));
}

}  // namespace
