#include "app/page_preview.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/document.h"
#include "app/fake_platform.h"
#include "app/view_logic.h"
#include "model/text.h"

namespace {

TEST(PreviewLinkTest, LinksIntoAnyPageOfTheOutputStayInThePreview) {
  const PreviewTarget inPage = ResolvePreviewLink("#ClassCShape");
  EXPECT_EQ(PreviewTarget::kAnchor, inPage.kind);
  EXPECT_EQ("ClassCShape", inPage.anchor);
  const PreviewTarget split = ResolvePreviewLink("Shape_Class_CShape.htm#CFDraw");
  EXPECT_EQ(PreviewTarget::kAnchor, split.kind);
  EXPECT_EQ("CFDraw", split.anchor);
  // Only the first "#" ends the file name.
  EXPECT_EQ("a#b", ResolvePreviewLink("p.htm#a#b").anchor);
  EXPECT_EQ(PreviewTarget::kTop, ResolvePreviewLink("ShapeGV.htm").kind);
  EXPECT_EQ(PreviewTarget::kTop, ResolvePreviewLink("ShapeGV.htm#").kind);
  EXPECT_EQ(PreviewTarget::kTop, ResolvePreviewLink("C:page.htm").kind);
  EXPECT_EQ(PreviewTarget::kNone, ResolvePreviewLink("").kind);
}

TEST(PreviewLinkTest, LinksWithASchemeAreNotFollowed) {
  for (const char* href :
       {"http://example.org/#a", "https://example.org/p.htm", "mailto:a@b",
        "file:///etc/passwd#x", "ms-its:book.chm::/p.htm#a", "svn+ssh:x"}) {
    const PreviewTarget target = ResolvePreviewLink(href);
    EXPECT_EQ(PreviewTarget::kExternal, target.kind) << href;
    EXPECT_EQ("", target.anchor) << href;
  }
}

TEST(PreviewPageTest, LinesAreJoinedEachEndingInALineFeed) {
  EXPECT_EQ("", JoinedWithLineFeeds({}));
  EXPECT_EQ("<html>\n\n\xC4</html>\n", JoinedWithLineFeeds({"<html>", "", "\xC4</html>"}));
}

const char kShapeHeader[] =
    "class CShape {\n"
    "public:\n"
    "  void Draw(int n);\n"
    "private:\n"
    "  int m_nSecret;\n"
    "};\n"
    "class CCircle : public CShape {\n"
    "public:\n"
    "  int m_nRadius;\n"
    "};\n";

// Every href="..." of a page.
std::vector<std::string> Hrefs(const std::string& page) {
  std::vector<std::string> hrefs;
  for (size_t at = page.find("href=\""); at != std::string::npos;
       at = page.find("href=\"", at + 1)) {
    const size_t start = at + 6;
    hrefs.push_back(page.substr(start, page.find('"', start) - start));
  }
  return hrefs;
}

class PreviewDocumentTest : public ::testing::Test {
 protected:
  PreviewDocumentTest() : doc_(&fake_), view_(&doc_, nullptr) {
    fake_.pView = &view_;
    std::filesystem::create_directories("preview_test_files");
    header_ = "preview_test_files/Shape.h";
    std::ofstream(header_, std::ios::binary) << kShapeHeader;
    doc_.OnNewDocument();
    view_.UpdateData(false);
  }

  FakePlatform fake_;
  CDocVarnel doc_;
  CViewVarnel view_;
  std::string header_;
};

TEST_F(PreviewDocumentTest, PageFollowsTheFormAndItsLinksFindTheirAnchors) {
  std::string page;
  EXPECT_FALSE(doc_.BuildPreviewPage(&page));  // nothing parsed
  ASSERT_TRUE(doc_.OpenHeaderPath(header_));

  // Changed in the form, not saved: the preview has only public members,
  // and its links name the split pages.
  view_.m_radioMembers = 2;
  view_.m_checkSplitFiles = 1;
  ASSERT_TRUE(doc_.BuildPreviewPage(&page));
  EXPECT_TRUE(doc_.GetSplitFiles());
  EXPECT_EQ(std::string::npos, page.find("m_nSecret"));
  EXPECT_NE(std::string::npos, page.find("m_nRadius"));
  EXPECT_EQ(0u, page.find("<html>\n"));

  int splitLinks = 0;
  for (const std::string& href : Hrefs(page)) {
    if (href == "Varnel.css")
      continue;
    const PreviewTarget target = ResolvePreviewLink(href);
    ASSERT_EQ(PreviewTarget::kAnchor, target.kind) << href;
    if (href[0] != '#')
      ++splitLinks;
    EXPECT_NE(std::string::npos,
              page.find("NAME=\"" + target.anchor + "\""))
        << href << " leads nowhere in the page";
  }
  EXPECT_GT(splitLinks, 0);
}

TEST_F(PreviewDocumentTest, FailedStoreOfTheFormBuildsNothing) {
  ASSERT_TRUE(doc_.OpenHeaderPath(header_));
  fake_.bStoreFails = true;
  std::string page = "before";
  EXPECT_FALSE(doc_.BuildPreviewPage(&page));
  EXPECT_EQ("before", page);
}

}  // namespace
