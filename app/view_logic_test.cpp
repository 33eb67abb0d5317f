#include "app/view_logic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/document.h"
#include "app/fake_platform.h"

namespace {

// Controls as plain values; Read hands out what the user "typed".
class FakeControls : public CFormControls {
 public:
  bool Read(FormValues* values) override {
    if (bFail)
      return false;
    *values = shown;
    return true;
  }
  void Write(const FormValues& values) override {
    shown = values;
    ++nWrites;
  }

  FormValues shown;
  bool bFail = false;
  int nWrites = 0;
};

class ViewTest : public ::testing::Test {
 protected:
  ViewTest() : doc_(&fake_), view_(&doc_, &controls_) {
    fake_.pView = &view_;
    doc_.OnNewDocument();
  }

  void SetMembers(bool pub, bool prot, bool priv) {
    doc_.SetShowPublic(pub);
    doc_.SetShowProtected(prot);
    doc_.SetShowPrivate(priv);
  }

  FakePlatform fake_;
  CDocVarnel doc_;
  FakeControls controls_;
  CViewVarnel view_;
};

TEST_F(ViewTest, NewDocumentShowsFirstButtonsAndNoSwitches) {
  ASSERT_TRUE(view_.UpdateData(false));
  EXPECT_EQ(0, controls_.shown.radioMembers);
  EXPECT_EQ(0, controls_.shown.radioGlobals);
  EXPECT_EQ(0, controls_.shown.checkHelpKeywords);
  EXPECT_EQ(0, controls_.shown.checkSplitFiles);
  EXPECT_EQ(0, controls_.shown.checkStylesheet);
  EXPECT_FALSE(view_.OnUpdateNeedsParse());
}

TEST_F(ViewTest, LoadingMapsOptionsToButtonsAndKeepsUnknownCombinations) {
  doc_.SetHelpKeywords(true);
  doc_.SetStylesheet(true);
  SetMembers(true, true, false);
  doc_.SetShowLocal(false);
  view_.UpdateData(false);
  EXPECT_EQ(1, controls_.shown.checkHelpKeywords);
  EXPECT_EQ(0, controls_.shown.checkSplitFiles);
  EXPECT_EQ(1, controls_.shown.checkStylesheet);
  EXPECT_EQ(1, view_.m_radioMembers);
  EXPECT_EQ(1, view_.m_radioGlobals);

  SetMembers(true, false, false);
  view_.UpdateData(false);
  EXPECT_EQ(2, controls_.shown.radioMembers);

  // No button stands for these: the selection stays as it was.
  SetMembers(true, false, true);
  doc_.SetShowExtern(false);
  view_.UpdateData(false);
  EXPECT_EQ(2, controls_.shown.radioMembers);
  EXPECT_EQ(1, controls_.shown.radioGlobals);
  SetMembers(false, true, true);
  view_.m_radioMembers = -1;
  view_.UpdateData(false);
  EXPECT_EQ(-1, controls_.shown.radioMembers);
}

TEST_F(ViewTest, StoringMapsButtonsToOptions) {
  struct Case {
    int radioMembers, radioGlobals;
    bool prot, priv, local;
  } cases[] = {
      {0, 0, true, true, true},
      {1, 1, true, false, false},
      {2, 0, false, false, true},
      {-1, -1, true, true, true},  // nothing selected
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radioMembers);
    doc_.SetShowPublic(false);
    doc_.SetShowExtern(false);
    controls_.shown.radioMembers = c.radioMembers;
    controls_.shown.radioGlobals = c.radioGlobals;
    ASSERT_TRUE(view_.UpdateData(true));
    EXPECT_TRUE(doc_.GetShowPublic());
    EXPECT_EQ(c.prot, doc_.GetShowProtected());
    EXPECT_EQ(c.priv, doc_.GetShowPrivate());
    EXPECT_TRUE(doc_.GetShowExtern());
    EXPECT_EQ(c.local, doc_.GetShowLocal());
    // Loading back gives the same selection, "none" aside.
    view_.UpdateData(false);
    EXPECT_EQ(c.radioMembers < 0 ? 0 : c.radioMembers,
              controls_.shown.radioMembers);
  }

  controls_.shown.checkHelpKeywords = 2;
  controls_.shown.checkSplitFiles = 1;
  controls_.shown.checkStylesheet = 0;
  view_.UpdateData(true);
  EXPECT_TRUE(doc_.GetHelpKeywords());
  EXPECT_TRUE(doc_.GetSplitFiles());
  EXPECT_FALSE(doc_.GetStylesheet());
}

TEST_F(ViewTest, FailedStoreLeavesOptionsAndFieldsAlone) {
  controls_.shown.radioMembers = 2;
  controls_.bFail = true;
  EXPECT_FALSE(view_.UpdateData(true));
  EXPECT_TRUE(doc_.GetShowPrivate());
  EXPECT_EQ(-1, view_.m_radioMembers);

  // The document's commands stop at the failed store.
  doc_.LocateHtmlFile();
  EXPECT_TRUE(fake_.dialogs.empty());
}

TEST_F(ViewTest, TypedPathsNeverReachTheDocument) {
  controls_.shown.editHtmlPath = "/typed/by/user.htm";
  fake_.Choose("/chosen/doc.htm");
  view_.OnLocateHtml();
  EXPECT_EQ("/chosen/doc.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("/chosen/doc.htm", controls_.shown.editHtmlPath);

  controls_.shown.editXmlPath = "/typed.xml";
  view_.UpdateData(true);
  EXPECT_EQ("", doc_.m_strXmlPath);
  EXPECT_EQ("/typed.xml", view_.m_editXmlPath);
  fake_.Choose("/chosen/doc.xml");
  view_.OnLocateXml();
  EXPECT_EQ("/chosen/doc.xml", controls_.shown.editXmlPath);
}

TEST_F(ViewTest, CommandsUseTheOptionsTheFormShows) {
  controls_.shown.radioMembers = 2;
  fake_.Cancel();
  doc_.OnOpenHeaderFile();
  EXPECT_FALSE(doc_.GetShowProtected());
}

TEST(ViewWithoutDocumentTest, DoesNothing) {
  FakeControls controls;
  CViewVarnel view(nullptr, &controls);
  controls.shown.radioMembers = 1;
  EXPECT_TRUE(view.UpdateData(true));
  EXPECT_EQ(1, view.m_radioMembers);
  view.OnLocateHtml();
  EXPECT_FALSE(view.OnUpdateNeedsParse());
  EXPECT_FALSE(view.OnBeginPrinting(1000, 10).bContinue);
  EXPECT_FALSE(view.OnPrintPage(1, 1000, 10).bContinue);
  EXPECT_EQ("", view.OnReloadIni("no such file.INI"));
}

TEST_F(ViewTest, ReloadReportsAMissingSettingsFile) {
  std::string message = view_.OnReloadIni("no such file.INI");
  EXPECT_NE(std::string::npos, message.find("Cannot find this file."));
}

// --- Page layout ---

TEST(PageLayoutTest, LinesPerPageFollowHeights) {
  EXPECT_EQ(50, CViewVarnel::LinesPerPage(1520, 10));
  EXPECT_EQ(49, CViewVarnel::LinesPerPage(1519, 10));
  // Too low for one line: one line per page all the same.
  EXPECT_EQ(1, CViewVarnel::LinesPerPage(30, 10));
  EXPECT_EQ(1, CViewVarnel::LinesPerPage(0, 10));
  // Above the threshold but below one full line pitch.
  EXPECT_EQ(1, CViewVarnel::LinesPerPage(45, 10));
}

TEST_F(ViewTest, HundredLinesAtFiftyPerPageGiveTwoPages) {
  doc_.m_arrLines.assign(100, "line");
  PrintLayout layout = view_.OnBeginPrinting(1520, 10);
  ASSERT_TRUE(layout.bContinue);
  EXPECT_EQ(50, layout.nLinesPerPage);
  EXPECT_EQ(3, layout.nLastPage);
  EXPECT_EQ(100u, doc_.GetLines().size());  // no Show command: unchanged

  PrintPage first = view_.OnPrintPage(1, 1520, 10);
  EXPECT_TRUE(first.bContinue);
  EXPECT_EQ(0, first.nFirst);
  EXPECT_EQ(50, first.nEnd);
  PrintPage second = view_.OnPrintPage(2, 1520, 10);
  EXPECT_FALSE(second.bContinue);
  EXPECT_EQ(50, second.nFirst);
  EXPECT_EQ(100, second.nEnd);
  PrintPage third = view_.OnPrintPage(3, 1520, 10);
  EXPECT_FALSE(third.bContinue);
  EXPECT_EQ(third.nFirst, third.nEnd);
}

TEST_F(ViewTest, LowDrawingAreaPrintsOneLinePerPage) {
  doc_.m_arrLines = {"a", "b", "c"};
  PrintLayout layout = view_.OnBeginPrinting(30, 10);
  EXPECT_EQ(1, layout.nLinesPerPage);
  EXPECT_EQ(4, layout.nLastPage);
  for (int page = 1; page <= 3; ++page) {
    PrintPage slice = view_.OnPrintPage(page, 30, 10);
    EXPECT_EQ(page - 1, slice.nFirst);
    EXPECT_EQ(page, slice.nEnd);
    EXPECT_EQ(page < 3, slice.bContinue);
  }
  doc_.m_arrLines.clear();
  EXPECT_EQ(1, view_.OnBeginPrinting(30, 10).nLastPage);
  EXPECT_FALSE(view_.OnPrintPage(1, 30, 10).bContinue);
}

TEST_F(ViewTest, FailedStoreStopsPrintingBeforeAnyBuild) {
  doc_.m_arrLines = {"kept"};
  view_.OnShowOutputXml();
  controls_.bFail = true;
  EXPECT_FALSE(view_.OnBeginPrinting(1520, 10).bContinue);
  EXPECT_EQ(TextList{"kept"}, doc_.GetLines());
}

class PreviewTest : public ViewTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("view_test_files");
    std::ofstream("view_test_files/Shape.h")
        << "class CShape {\n"
           "public:\n  int m_area;\n"
           "protected:\n  int m_guarded;\n"
           "private:\n  int m_hidden;\n"
           "};\n";
    fake_.Choose("view_test_files/Shape.h");
    doc_.OnOpenHeaderFile();
    ASSERT_TRUE(view_.OnUpdateNeedsParse());
  }

  std::string Rendered() {
    std::string text;
    for (const auto& line : doc_.GetLines())
      text += line + "\n";
    return text;
  }
};

TEST_F(PreviewTest, ShowCommandsBuildWithTheOptionsOnTheForm) {
  view_.OnShowOutputXml();
  ASSERT_TRUE(view_.OnBeginPrinting(1520, 10).bContinue);
  EXPECT_EQ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>",
            doc_.GetLines().front());

  controls_.shown.radioMembers = 2;  // only public, not saved anywhere
  view_.OnShowOutputHtml();
  EXPECT_FALSE(view_.m_bPreviewXml);
  ASSERT_TRUE(view_.OnBeginPrinting(1520, 10).bContinue);
  std::string html = Rendered();
  EXPECT_NE(std::string::npos, html.find("m_area"));
  EXPECT_EQ(std::string::npos, html.find("m_guarded"));
  EXPECT_EQ(std::string::npos, html.find("m_hidden"));
  EXPECT_FALSE(std::filesystem::exists("view_test_files/Shape.htm"));
}

// An output over the limit has no preview: the document says why.
TEST_F(PreviewTest, OutputsOverTheLimitAreNotPreviewed) {
  doc_.SetMaxOutputBytes(100);
  for (bool xml : {true, false}) {
    if (xml)
      view_.OnShowOutputXml();
    else
      view_.OnShowOutputHtml();
    fake_.Forget();
    EXPECT_FALSE(view_.OnBeginPrinting(1520, 10).bContinue);
    EXPECT_TRUE(doc_.GetLines().empty());
    EXPECT_EQ(1u, fake_.messages.size());
  }
}

}  // namespace
