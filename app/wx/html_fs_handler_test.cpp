#include "app/wx/html_fs_handler.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/stream.h>

#include <cstring>
#include <memory>

namespace {

class HtmlPageFSHandlerTest : public ::testing::Test {
 protected:
  HtmlPageFSHandlerTest() {
    dir_ = wxFileName::CreateTempFileName("varnel-pages");
    wxRemoveFile(dir_);
    wxFileName::Mkdir(dir_);
  }
  ~HtmlPageFSHandlerTest() override {
    wxFileName::Rmdir(dir_, wxPATH_RMDIR_RECURSIVE);
  }

  wxString Write(const wxString& name, const char* text) {
    const wxString path = dir_ + "/" + name;
    wxFFile(path, "wb").Write(text, strlen(text));
    return path;
  }

  std::unique_ptr<wxFSFile> Open(const wxString& location) {
    return std::unique_ptr<wxFSFile>(handler_.OpenFile(fs_, location));
  }

  wxInitializer init_;
  wxString dir_;
  wxFileSystem fs_;
  CHtmlPageFSHandler handler_;
};

TEST_F(HtmlPageFSHandlerTest, LocalPagesAreHtmlWithTheirAnchorAndBytes) {
  const wxString page = Write("Shape.htm", "<html>\xC4</html>");
  const wxString url = wxFileSystem::FileNameToURL(wxFileName(page));
  ASSERT_TRUE(handler_.CanOpen(url + "#CShape"));
  std::unique_ptr<wxFSFile> file = Open(url + "#CShape");
  ASSERT_TRUE(file);
  EXPECT_EQ("text/html", file->GetMimeType());
  EXPECT_EQ("CShape", file->GetAnchor());
  char bytes[32] = {};
  file->GetStream()->Read(bytes, sizeof bytes);
  EXPECT_STREQ("<html>\xC4</html>", bytes);

  EXPECT_TRUE(handler_.CanOpen(wxFileSystem::FileNameToURL(
      wxFileName(Write("INDEX.HTML", "<p>")))));
}

TEST_F(HtmlPageFSHandlerTest, OtherFilesAndMissingPagesAreLeftAlone) {
  const wxString project = Write("Shape.hhp", "[OPTIONS]");
  EXPECT_FALSE(handler_.CanOpen(wxFileSystem::FileNameToURL(project)));
  EXPECT_FALSE(handler_.CanOpen("http://example.org/a.htm"));
  // Inside a zip archive the archive's handler serves the page.
  EXPECT_FALSE(handler_.CanOpen("file:/a/book.htb#zip:index.htm"));
  EXPECT_FALSE(Open(wxFileSystem::FileNameToURL(
      wxFileName(dir_ + "/missing.htm"))));
}

}  // namespace
