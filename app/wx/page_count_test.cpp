#include "app/wx/page_count.h"

#include <gtest/gtest.h>

#include <string>

#include "app/document.h"
#include "app/fake_platform.h"
#include "app/view_logic.h"

namespace {

// A text 10 high in an area of 1520 holds 50 lines a page.
constexpr int kTextHeight = 10;
constexpr int kDrawHeight = 20 + 50 * (kTextHeight + 20);

PageCount CountFor(int lines) {
  FakePlatform platform;
  CDocVarnel doc(&platform);
  CViewVarnel view(&doc, nullptr);
  for (int i = 0; i < lines; ++i)
    doc.m_arrLines.push_back("line " + std::to_string(i));
  PrintLayout layout = view.OnBeginPrinting(kDrawHeight, kTextHeight);
  EXPECT_EQ(50, layout.nLinesPerPage);
  return CountPages(view, layout, kDrawHeight, kTextHeight);
}

TEST(PageCountTest, FullLastPageEndsPrintingBeforeTheEmptyPageOffered) {
  PageCount full = CountFor(100);
  EXPECT_EQ(3, full.nOffered);
  EXPECT_EQ(2, full.nPrinted);

  PageCount one = CountFor(50);
  EXPECT_EQ(2, one.nOffered);
  EXPECT_EQ(1, one.nPrinted);
}

TEST(PageCountTest, PartLastPageIsBothOfferedAndPrinted) {
  PageCount part = CountFor(101);
  EXPECT_EQ(3, part.nOffered);
  EXPECT_EQ(3, part.nPrinted);

  PageCount few = CountFor(7);
  EXPECT_EQ(1, few.nOffered);
  EXPECT_EQ(1, few.nPrinted);
}

TEST(PageCountTest, NoLinesStillPrintOnePage) {
  PageCount none = CountFor(0);
  EXPECT_EQ(1, none.nOffered);
  EXPECT_EQ(1, none.nPrinted);
}

}  // namespace
