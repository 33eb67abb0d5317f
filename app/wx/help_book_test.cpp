#include "app/wx/help_book.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>

namespace {

TEST(HelpBookTest, BookIsNamedAfterTheExecutable) {
  EXPECT_EQ("/opt/varnel/bin/varnel-gui.htb",
            HelpBookBesideExecutable("/opt/varnel/bin/varnel-gui"));
  EXPECT_EQ("/opt/varnel/share/varnel/varnel-gui.htb",
            HelpBookInstalled("/opt/varnel/bin/varnel-gui"));
}

TEST(HelpBookTest, BookBesideTheExecutableComesBeforeTheInstalledOne) {
  wxString root = wxFileName::CreateTempFileName("varnel-help");
  wxRemoveFile(root);
  wxString bin = root + "/bin";
  wxString share = root + "/share/varnel";
  ASSERT_TRUE(wxFileName::Mkdir(bin, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
  ASSERT_TRUE(wxFileName::Mkdir(share, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
  wxString executable = bin + "/varnel-gui";
  auto touch = [](const wxString& path) {
    wxFFile file(path, "w");
    return file.IsOpened();
  };

  // Neither exists: the name beside the executable, for the viewer to
  // report.
  EXPECT_EQ(bin + "/varnel-gui.htb", FindHelpBook(executable));
  ASSERT_TRUE(touch(share + "/varnel-gui.htb"));
  EXPECT_EQ(share + "/varnel-gui.htb", FindHelpBook(executable));
  ASSERT_TRUE(touch(bin + "/varnel-gui.htb"));
  EXPECT_EQ(bin + "/varnel-gui.htb", FindHelpBook(executable));

  wxFileName::Rmdir(root, wxPATH_RMDIR_RECURSIVE);
}

}  // namespace
