#include "app/document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/fake_platform.h"
#include "app/strings.h"
#include "model/file_io.h"
#include "parser/parse_header.h"
#include "xml/xml_merge.h"

namespace {

const char kGeoHeader[] =
    "#include <vector>\n"
    "extern int g_nCount;\n"
    "int GetValue(int a);\n"
    "class CPoint : public CBase {\n"
    "public:\n"
    "  int m_x;\n"
    "  void Move(int dx);\n"
    "protected:\n"
    "  int m_hidden;\n"
    "private:\n"
    "  int m_secret;\n"
    "};\n";

std::string ReadBytes(const std::string& path) {
  std::string text;
  EXPECT_EQ(ReadStatus::kOk, ReadWholeFile(path, &text)) << path;
  return text;
}

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() : doc_(&fake_) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::string("doc_test_files/") + info->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    doc_.OnNewDocument();
  }

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Opens a header through the dialog and forgets what that recorded.
  void Open(const std::string& path) {
    fake_.Choose(path);
    doc_.OnOpenHeaderFile();
    fake_.Forget();
  }

  std::string OpenGeo() {
    std::string path = WriteFile("Geo.h", kGeoHeader);
    Open(path);
    EXPECT_TRUE(doc_.IsParsed());
    return path;
  }

  FakePlatform fake_;
  CDocVarnel doc_;
  std::string dir_;
};

TEST(StringTableTest, MessagesMatchTheTextsOfTheCore) {
  EXPECT_STREQ(kNoFileNameMessage, LoadString(IDS_NO_FILE_NAME));
  EXPECT_STREQ(kCannotOpenMessage, LoadString(IDS_CANNOT_OPEN));
  EXPECT_STREQ(kCannotReadMessage, LoadString(IDS_CANNOT_READ));
  EXPECT_STREQ(kEmptyFileMessage, LoadString(IDS_FILE_EMPTY));
  EXPECT_STREQ(kCannotSaveMessage, LoadString(IDS_CANNOT_SAVE));
  EXPECT_STREQ(kWrongXmlMessage, LoadString(IDS_WRONG_XML));
  EXPECT_STREQ("There are no datas to save!", LoadString(17604));
  EXPECT_STREQ("", LoadString(17607));
}

// --- Open Header File: paths, folders and the dialog ---

TEST_F(DocumentTest, OpenDerivesOutputPathsFromTheHeaderFolder) {
  fake_.Choose("/work/src/Foo.h");
  doc_.OnOpenHeaderFile();

  ASSERT_EQ(1u, fake_.dialogs.size());
  EXPECT_FALSE(fake_.dialogs[0].bSave);
  EXPECT_EQ("/current", fake_.LastDialog().strFolder);
  EXPECT_EQ("*.h", fake_.LastDialog().strFileName);
  EXPECT_TRUE(fake_.LastDialog().bFileMustExist);

  EXPECT_EQ("/work/src/Foo.h", doc_.m_strHeaderPath);
  EXPECT_EQ("/work/src", doc_.m_strHeaderDir);
  EXPECT_EQ("/work/src", doc_.m_strHtmlDir);
  EXPECT_EQ("/work/src", doc_.m_strXmlDir);
  EXPECT_EQ("/work/src/Foo.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("/work/src/Foo.xml", doc_.m_strXmlPath);
  EXPECT_EQ("Foo", doc_.m_module.m_strName);

  // The file does not exist: the parse fails after the paths are set, and
  // the form is not told about them.
  EXPECT_FALSE(doc_.IsParsed());
  EXPECT_EQ(std::vector<std::string>{"Unable to open the required file."},
            fake_.messages);
  EXPECT_EQ(std::vector<std::string>{"store"}, fake_.viewCalls);

  fake_.Choose("/other/Bar.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("/work/src", fake_.LastDialog().strFolder);
  // The output folders stay where the first header put them.
  EXPECT_EQ("/work/src/Bar.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("/work/src/Bar.xml", doc_.m_strXmlPath);
}

TEST_F(DocumentTest, BackslashPathsSplitLikeSlashes) {
  fake_.Choose("D:\\work\\Foo.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("D:\\work", doc_.m_strHeaderDir);
  EXPECT_EQ("D:\\work/Foo.htm", doc_.m_strHtmlPath);

  doc_.OnNewDocument();
  fake_.Choose("D:\\Foo.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("D:", doc_.m_strHeaderDir);
  EXPECT_EQ("D:\\work/Foo.xml", doc_.m_strXmlPath);
}

TEST_F(DocumentTest, LocatedOutputKeepsOnlyItsFolderAtTheNextOpen) {
  fake_.Choose("/out/doc.htm");
  doc_.LocateHtmlFile();
  EXPECT_EQ("/out/doc.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("/out", doc_.m_strHtmlDir);
  EXPECT_EQ((std::vector<std::string>{"store", "html /out/doc.htm", "load"}),
            fake_.viewCalls);

  fake_.Choose("/work/Bar.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("/out/Bar.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("/work/Bar.xml", doc_.m_strXmlPath);
}

TEST_F(DocumentTest, FolderEndingInASeparatorGetsNoSecondOne) {
  fake_.Choose("/out//doc.htm");
  doc_.LocateHtmlFile();
  fake_.Choose("E:\\xml\\\\doc.xml");
  doc_.LocateXmlFile();
  EXPECT_EQ("/out/", doc_.m_strHtmlDir);
  EXPECT_EQ("E:\\xml\\", doc_.m_strXmlDir);

  fake_.Choose("/work/Bar.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("/out/Bar.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("E:\\xml\\Bar.xml", doc_.m_strXmlPath);
}

TEST_F(DocumentTest, HeaderWithoutFolderKeepsTheFoldersItHad) {
  fake_.Choose("Foo.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("", doc_.m_strHeaderDir);
  EXPECT_EQ("Foo.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("Foo.xml", doc_.m_strXmlPath);

  fake_.Choose("/a/X.h");
  doc_.OnOpenHeaderFile();
  fake_.Choose("Y.h");
  doc_.OnOpenHeaderFile();
  EXPECT_EQ("/a", doc_.m_strHeaderDir);
  EXPECT_EQ("/a/Y.htm", doc_.m_strHtmlPath);
  EXPECT_EQ("Y", doc_.m_module.m_strName);
}

TEST_F(DocumentTest, SuccessfulOpenKeepsOptionsAndShowsThePaths) {
  doc_.SetSplitFiles(true);
  doc_.SetShowPrivate(false);
  doc_.m_module.m_strDescription = "left over";
  std::string path = WriteFile("Geo.h", kGeoHeader);
  fake_.Choose(path);
  doc_.OnOpenHeaderFile();

  ASSERT_TRUE(doc_.IsParsed());
  EXPECT_TRUE(doc_.OnUpdateNeedsParse());
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_TRUE(doc_.GetSplitFiles());
  EXPECT_FALSE(doc_.GetShowPrivate());
  EXPECT_EQ("", doc_.m_module.m_strDescription);
  EXPECT_EQ(1, doc_.m_module.m_nClasses);
  EXPECT_EQ((std::vector<std::string>{"store", "header " + path,
                                      "html " + dir_ + "/Geo.htm",
                                      "xml " + dir_ + "/Geo.xml", "load"}),
            fake_.viewCalls);
}

TEST_F(DocumentTest, FailedParseDisablesTheCommandsAndKeepsTheNewPaths) {
  OpenGeo();
  std::string empty = WriteFile("Empty.h", "");
  std::string blank = WriteFile("Blank.h", " \t\n\n   \n");

  fake_.Choose(empty);
  doc_.OnOpenHeaderFile();
  EXPECT_FALSE(doc_.OnUpdateNeedsParse());
  EXPECT_EQ(std::vector<std::string>{"Unable to read the required file."},
            fake_.messages);
  EXPECT_EQ(empty, doc_.m_strHeaderPath);
  EXPECT_EQ(dir_ + "/Empty.htm", doc_.m_strHtmlPath);
  EXPECT_EQ(0, doc_.m_module.m_nClasses);
  // The form still shows the paths of the last successful open.
  EXPECT_EQ(std::vector<std::string>{"store"}, fake_.viewCalls);

  fake_.Forget();
  fake_.Choose(blank);
  doc_.OnOpenHeaderFile();
  EXPECT_FALSE(doc_.IsParsed());
  EXPECT_EQ(std::vector<std::string>{"The file was empty."}, fake_.messages);

  fake_.Forget();
  doc_.m_strHeaderPath.clear();
  EXPECT_FALSE(doc_.ParseHeader());
  EXPECT_EQ(std::vector<std::string>{"Cannot read a file, that has no name."},
            fake_.messages);
}

TEST_F(DocumentTest, CancelledDialogsChangeNothing) {
  std::string header = OpenGeo();
  doc_.SetStylesheet(true);
  std::string htmlPath = doc_.m_strHtmlPath;

  fake_.Cancel();
  doc_.OnOpenHeaderFile();
  fake_.Cancel();
  doc_.OnSaveXmlFile();
  fake_.Cancel();
  doc_.OnSaveHtmlFile();
  fake_.Cancel();
  doc_.LocateHtmlFile();
  fake_.Cancel();
  doc_.LocateXmlFile();

  EXPECT_EQ(5u, fake_.dialogs.size());
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_TRUE(doc_.IsParsed());
  EXPECT_EQ("Geo", doc_.m_module.m_strName);
  EXPECT_EQ(1, doc_.m_module.m_nClasses);
  EXPECT_TRUE(doc_.GetStylesheet());
  EXPECT_EQ(header, doc_.m_strHeaderPath);
  EXPECT_EQ(htmlPath, doc_.m_strHtmlPath);
  EXPECT_FALSE(std::filesystem::exists(htmlPath));
  EXPECT_FALSE(std::filesystem::exists(doc_.m_strXmlPath));
  for (const auto& call : fake_.viewCalls)
    EXPECT_EQ("store", call);

  // Read XML File has already forgotten the previous XML text.
  doc_.m_strXmlText = "<Varnel/>";
  fake_.Cancel();
  doc_.OnReadXmlFile();
  EXPECT_EQ("", doc_.m_strXmlText);
  EXPECT_TRUE(doc_.IsParsed());
}

TEST_F(DocumentTest, WithoutAViewOrWithAFailedStoreNothingHappens) {
  fake_.bHasView = false;
  doc_.OnOpenHeaderFile();
  doc_.OnReadXmlFile();
  doc_.OnSaveXmlFile();
  doc_.OnSaveHtmlFile();
  doc_.LocateHtmlFile();
  doc_.LocateXmlFile();
  EXPECT_TRUE(fake_.dialogs.empty());
  EXPECT_TRUE(fake_.viewCalls.empty());

  fake_.bHasView = true;
  fake_.bStoreFails = true;
  doc_.OnOpenHeaderFile();
  doc_.LocateXmlFile();
  EXPECT_TRUE(fake_.dialogs.empty());
  EXPECT_EQ((std::vector<std::string>{"store", "store"}), fake_.viewCalls);
}

// --- Save and Locate ---

TEST_F(DocumentTest, SaveOffersTheFullPathAndLocateOnlyTheFileName) {
  OpenGeo();
  fake_.Cancel();
  doc_.OnSaveXmlFile();
  const FileDialogRequest& save = fake_.LastDialog();
  EXPECT_TRUE(fake_.dialogs.back().bSave);
  EXPECT_EQ("Save as XML File", save.strTitle);
  EXPECT_EQ(dir_, save.strFolder);
  EXPECT_EQ(dir_ + "/Geo.xml", save.strFileName);
  EXPECT_TRUE(save.bAskOverwrite);

  fake_.Cancel();
  doc_.LocateHtmlFile();
  const FileDialogRequest& locate = fake_.LastDialog();
  EXPECT_EQ("", locate.strTitle);
  EXPECT_EQ("Geo.htm", locate.strFileName);
  EXPECT_FALSE(locate.bAskOverwrite);

  doc_.OnNewDocument();
  doc_.m_strXmlPath.clear();
  doc_.m_strXmlDir.clear();
  fake_.Cancel();
  doc_.LocateXmlFile();
  EXPECT_EQ("*.xml", fake_.LastDialog().strFileName);
  EXPECT_EQ("/current", fake_.LastDialog().strFolder);
}

TEST_F(DocumentTest, SavedXmlEndsEveryLineWithCrLf) {
  OpenGeo();
  std::string chosen = dir_ + "/Chosen.xml";
  fake_.Choose(chosen);
  doc_.OnSaveXmlFile();

  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ(chosen, doc_.m_strXmlPath);
  EXPECT_EQ(dir_, doc_.m_strXmlDir);
  EXPECT_EQ((std::vector<std::string>{"store", "xml " + chosen, "load"}),
            fake_.viewCalls);

  std::string bytes = ReadBytes(chosen);
  ASSERT_FALSE(doc_.GetLines().empty());
  EXPECT_EQ(doc_.GetLines().front(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>");
  std::string expected;
  for (const auto& line : doc_.GetLines())
    expected += line + "\r\n";
  EXPECT_EQ(expected, bytes);
}

TEST_F(DocumentTest, SecondBuildNamesSplitPagesAfterTheChosenHtmlPath) {
  OpenGeo();
  doc_.SetSplitFiles(true);
  std::string chosen = dir_ + "/Other.htm";
  fake_.Choose(chosen);
  doc_.OnSaveHtmlFile();

  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ(chosen, doc_.m_strHtmlPath);
  EXPECT_EQ("Other.htm", doc_.m_module.m_strFile);
  EXPECT_EQ("OtherGV.htm", doc_.m_module.m_strVarFile);
  std::string bytes = ReadBytes(chosen);
  EXPECT_NE(std::string::npos, bytes.find("OtherGV.htm"));
  EXPECT_EQ(std::string::npos, bytes.find("GeoGV.htm"));
  EXPECT_EQ("\r\n", bytes.substr(bytes.size() - 2));
  EXPECT_EQ(std::string::npos, CrLfToLf(bytes).find('\r'));
}

TEST_F(DocumentTest, PageTooLargeForMemoryIsSavedButNotBuilt) {
  OpenGeo();
  std::string normal = dir_ + "/Normal.htm";
  fake_.Choose(normal);
  doc_.OnSaveHtmlFile();
  std::string expected = ReadBytes(normal);

  doc_.SetHtmlMemoryLimit(10);
  EXPECT_FALSE(doc_.BuildHtml());
  EXPECT_TRUE(doc_.GetLines().empty());
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_NE(std::string::npos, fake_.messages[0].find("too large to show"));
  fake_.messages.clear();

  // Saved piece by piece: the same bytes, no message.
  fake_.Choose(normal);
  doc_.OnSaveHtmlFile();
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ(expected, ReadBytes(normal));
}

// The limit of the command line holds in the window for both outputs: a
// page whose repeated bars are well within it, and an XML file, are
// counted and refused one byte over, before any dialog.
TEST_F(DocumentTest, OutputsOverTheLimitAreRefusedBeforeAnyDialog) {
  OpenGeo();
  const std::string page = dir_ + "/Page.htm";
  const std::string xml = dir_ + "/Geo.xml";
  fake_.Choose(page);
  doc_.OnSaveHtmlFile();
  fake_.Choose(xml);
  doc_.OnSaveXmlFile();
  const uint64_t pageBytes = ReadBytes(page).size();
  const uint64_t xmlBytes = ReadBytes(xml).size();
  std::filesystem::remove(page);
  std::filesystem::remove(xml);
  fake_.Forget();

  doc_.SetMaxOutputBytes(std::min(pageBytes, xmlBytes) - 1);
  doc_.OnSaveHtmlFile();
  doc_.OnSaveXmlFile();
  ASSERT_EQ(2u, fake_.messages.size());
  EXPECT_EQ(0u, fake_.messages[0].find("The HTML page would be "))
      << fake_.messages[0];
  EXPECT_EQ(0u, fake_.messages[1].find("The XML file would be "))
      << fake_.messages[1];
  EXPECT_NE(std::string::npos,
            fake_.messages[1].find("The command line's --max-output allows "
                                   "it, or document less of the header."));
  EXPECT_TRUE(fake_.dialogs.empty());
  EXPECT_FALSE(std::filesystem::exists(page));
  EXPECT_FALSE(std::filesystem::exists(xml));
  EXPECT_FALSE(doc_.BuildXml());
  EXPECT_TRUE(doc_.GetLines().empty());

  doc_.SetMaxOutputBytes(std::max(pageBytes, xmlBytes));
  EXPECT_TRUE(doc_.BuildXml());
  EXPECT_TRUE(doc_.BuildHtml());
}

// The page's names follow the path chosen in the dialog: a page within the
// limit under its old name and over it under the new one is not written.
TEST_F(DocumentTest, APageTakenOverTheLimitByItsNewPathIsNotWritten) {
  OpenGeo();
  doc_.SetSplitFiles(true);
  const std::string shortPath = dir_ + "/P.htm";
  fake_.Choose(shortPath);
  doc_.OnSaveHtmlFile();
  const uint64_t pageBytes = ReadBytes(shortPath).size();
  fake_.Forget();

  doc_.SetMaxOutputBytes(pageBytes);
  const std::string longPath = dir_ + "/P" + std::string(60, 'x') + ".htm";
  fake_.Choose(longPath);
  doc_.OnSaveHtmlFile();
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_EQ(0u, fake_.messages[0].find("The HTML page would be "))
      << fake_.messages[0];
  EXPECT_FALSE(std::filesystem::exists(longPath));
}

TEST_F(DocumentTest, UnwritableTargetShowsTheSaveMessage) {
  OpenGeo();
  fake_.Choose(dir_);  // a folder cannot be replaced by a file
  doc_.OnSaveHtmlFile();
  EXPECT_EQ((std::vector<std::string>{
                "The file cannot be opened.\nThe datas cannot be saved."}),
            fake_.messages);
  EXPECT_EQ(dir_, doc_.m_strHtmlPath);  // stored before the failure
  EXPECT_EQ(std::vector<std::string>{"store"}, fake_.viewCalls);
}

// --- Read XML File ---

class ReadXmlTest : public DocumentTest {
 protected:
  void Read(const std::string& path) {
    fake_.Forget();
    fake_.Choose(path);
    doc_.OnReadXmlFile();
  }

  // Saving the XML file `stem`.xml, where a file that is no side file is
  // in the side file's place: refused, and neither file is written.
  void ExpectSaveRefusedByAFileInTheWay(const std::string& stem) {
    WriteFile(stem + ".orphans.xml", "not a Varnel file");
    fake_.Forget();
    fake_.Choose(dir_ + "/" + stem + ".xml");
    doc_.OnSaveXmlFile();
    ASSERT_EQ(1u, fake_.messages.size());
    EXPECT_NE(std::string::npos, fake_.messages[0].find("left as it was"));
    EXPECT_EQ("not a Varnel file",
              ReadBytes(dir_ + "/" + stem + ".orphans.xml"));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/" + stem + ".xml"));
  }

  // The model after the parse, to compare against after a refused read.
  void ExpectModelUntouched() {
    EXPECT_TRUE(doc_.IsParsed());
    EXPECT_EQ("", doc_.m_module.m_strDescription);
    EXPECT_TRUE(doc_.m_module.m_arrCppIncludes.empty());
    EXPECT_EQ("", doc_.m_module.m_pClasses[0].m_strDescription);
    EXPECT_EQ("", doc_.m_strXmlText);
  }
};

const char kGeoXml[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
    "<Varnel anchor=\"ModulGeo\" NAME=\"ModulGeo\" class=\"Technik\">\r\n"
    "<Module.Title>Geo</Module.Title>\r\n"
    "<Module.Description>\r\n"
    "<Text>\r\n"
    "Geometry helpers\r\n"
    "</Text>\r\n"
    "</Module.Description>\r\n"
    "</Varnel>\r\n";

TEST_F(ReadXmlTest, MatchingFileIsMergedAndReadAsText) {
  OpenGeo();
  std::string path = WriteFile("Geo.xml", kGeoXml);
  Read(path);
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ(path, doc_.m_strXmlInPath);
  EXPECT_EQ(dir_, doc_.m_strXmlInDir);
  EXPECT_EQ(CrLfToLf(kGeoXml), doc_.m_strXmlText);
  EXPECT_NE(std::string::npos,
            doc_.m_module.m_strDescription.find("Geometry helpers"));
  EXPECT_EQ((std::vector<std::string>{"store", "load"}), fake_.viewCalls);
  EXPECT_EQ("/current", fake_.LastDialog().strFolder);

  fake_.Cancel();
  doc_.OnReadXmlFile();
  EXPECT_EQ(dir_, fake_.LastDialog().strFolder);
}

TEST_F(ReadXmlTest, MissingFileIsReportedAndLeavesNoText) {
  OpenGeo();
  Read(dir_ + "/Missing.xml");
  EXPECT_EQ(std::vector<std::string>{"Unable to open the required file."},
            fake_.messages);
  ExpectModelUntouched();
}

TEST_F(ReadXmlTest, MalformedFileShowsTheReadersMessage) {
  OpenGeo();
  Read(WriteFile("Bad.xml", "<Varnel><Module.Title>Geo</Varnel>"));
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_EQ("End tag does not correspond to Module.Title\nLine 1, column 9",
            fake_.messages[0]);
  ExpectModelUntouched();
}

TEST_F(ReadXmlTest, FailureWithoutReaderMessageGetsOurOwn) {
  OpenGeo();
  // A failure with a message first, so a stale one would show.
  Read(WriteFile("Bad.xml", "<a></b>"));
  Read(WriteFile("Empty.xml", ""));
  EXPECT_EQ(std::vector<std::string>{kXmlWithoutElementMessage},
            fake_.messages);
  Read(WriteFile("EndTag.xml", "</Varnel>"));
  EXPECT_EQ(std::vector<std::string>{kXmlWithoutElementMessage},
            fake_.messages);
  ExpectModelUntouched();
}

TEST_F(ReadXmlTest, FileOfAnotherModuleOrKindIsRefused) {
  OpenGeo();
  std::string other = kGeoXml;
  other.replace(other.find(">Geo<"), 5, ">Map<");
  Read(WriteFile("Map.xml", other));
  EXPECT_EQ(std::vector<std::string>{LoadString(IDS_WRONG_XML)},
            fake_.messages);
  EXPECT_EQ(std::vector<std::string>{"store"}, fake_.viewCalls);
  ExpectModelUntouched();

  Read(WriteFile("Html.xml", "<html><Module.Title>Geo</Module.Title></html>"));
  EXPECT_EQ(std::vector<std::string>{LoadString(IDS_WRONG_XML)},
            fake_.messages);
  ExpectModelUntouched();
}

TEST_F(ReadXmlTest, NewAfterMergeClearsModelAndTextButKeepsPaths) {
  std::string header = OpenGeo();
  doc_.SetHelpKeywords(true);
  Read(WriteFile("Geo.xml", kGeoXml));
  ASSERT_FALSE(doc_.m_module.m_strDescription.empty());

  doc_.OnNewDocument();
  EXPECT_FALSE(doc_.OnUpdateNeedsParse());
  EXPECT_EQ("", doc_.m_module.m_strDescription);
  EXPECT_EQ("", doc_.m_module.m_strName);
  EXPECT_EQ(0, doc_.m_module.m_nClasses);
  EXPECT_FALSE(doc_.GetHelpKeywords());
  EXPECT_TRUE(doc_.GetShowPrivate());
  EXPECT_EQ("", doc_.m_strXmlText);
  EXPECT_FALSE(doc_.m_xml.FindNext());
  EXPECT_TRUE(doc_.GetLines().empty());
  EXPECT_EQ(header, doc_.m_strHeaderPath);
  EXPECT_EQ(dir_ + "/Geo.htm", doc_.m_strHtmlPath);
  EXPECT_EQ(dir_ + "/Geo.xml", doc_.m_strXmlInPath);
  EXPECT_EQ(dir_, doc_.m_strXmlInDir);

  // The same header merges again after the next open.
  Open(header);
  Read(dir_ + "/Geo.xml");
  EXPECT_NE(std::string::npos,
            doc_.m_module.m_strDescription.find("Geometry helpers"));
}

// --- Descriptions without an entry ---

// An XML file of the Geo header whose method Move became Shift: Move's
// description has no entry in the header any more.
std::string WithMoveDescribed(const std::string& xml) {
  const std::string placeholder =
      "Here should be a short description of the function.";
  std::string text = xml;
  size_t move = text.find("Target=\"#CFCPointMove\"");
  size_t at = text.find(placeholder, move);
  EXPECT_NE(std::string::npos, at);
  text.replace(at, placeholder.size(), "Moves the point.");
  return text;
}

TEST_F(ReadXmlTest, DescriptionsWithoutAnEntryAreKeptBesideTheSavedFile) {
  std::string header = OpenGeo();
  fake_.Choose(dir_ + "/Geo.xml");
  doc_.OnSaveXmlFile();
  const std::string edited =
      WithMoveDescribed(CrLfToLf(ReadBytes(dir_ + "/Geo.xml")));
  WriteFile("Geo.xml", edited);
  std::string changed = kGeoHeader;
  changed.replace(changed.find("Move"), 4, "Shift");
  WriteFile("Geo.h", changed);
  Open(header);

  // Reading says how many and where they will go; saving puts them there.
  Read(dir_ + "/Geo.xml");
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_EQ(
      "Descriptions of this file that have no entry in the header: 1.\n"
      "They will be kept in Geo.orphans.xml, beside the XML file, when you "
      "save it with Save XML File.",
      fake_.messages[0]);
  fake_.Forget();
  fake_.Choose(dir_ + "/Geo.xml");
  doc_.OnSaveXmlFile();
  const std::string side = dir_ + "/Geo.orphans.xml";
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_EQ("Descriptions that the XML file does not carry: 1.\nThey are "
            "kept in " + side + ".",
            fake_.messages[0]);
  EXPECT_NE(std::string::npos, ReadBytes(side).find("Moves the point."));
  EXPECT_EQ(std::string::npos,
            ReadBytes(dir_ + "/Geo.xml").find("Moves the point."));

  // Back to the old name: reading the file reads its side file too, and
  // the next save removes the side file, whose text found its entry.
  WriteFile("Geo.h", kGeoHeader);
  Open(header);
  Read(dir_ + "/Geo.xml");
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ("Moves the point.",
            doc_.m_module.m_pClasses[0].m_pFuncs[0].m_strShortDesc);
  fake_.Forget();
  fake_.Choose(dir_ + "/Geo.xml");
  doc_.OnSaveXmlFile();
  EXPECT_EQ((std::vector<std::string>{"Every description of " + side +
                                      " found its entry; the file was "
                                      "removed."}),
            fake_.messages);
  EXPECT_FALSE(std::filesystem::exists(side));
  EXPECT_NE(std::string::npos,
            ReadBytes(dir_ + "/Geo.xml").find("Moves the point."));
}

TEST_F(ReadXmlTest, FilteredDescriptionsAreKeptAndAnUnknownFileIsNotReplaced) {
  OpenGeo();
  fake_.Choose(dir_ + "/Geo.xml");
  doc_.OnSaveXmlFile();
  std::string xml = CrLfToLf(ReadBytes(dir_ + "/Geo.xml"));
  const std::string placeholder =
      "Here should be a short description of the variable.";
  size_t secret = xml.find("Target=\"#CVCPointint_m_secretsecol\"");
  ASSERT_NE(std::string::npos, secret);
  xml.replace(xml.find(placeholder, secret), placeholder.size(), "Hidden.");
  WriteFile("Geo.xml", xml);
  Read(dir_ + "/Geo.xml");
  EXPECT_TRUE(fake_.messages.empty());

  // Only public members: the private member's text goes to the side file.
  doc_.SetShowPrivate(false);
  doc_.SetShowProtected(false);
  fake_.Choose(dir_ + "/Public.xml");
  doc_.OnSaveXmlFile();
  EXPECT_NE(std::string::npos,
            ReadBytes(dir_ + "/Public.orphans.xml").find("Hidden."));

  // A file in the side file's place that is not one is never replaced.
  ExpectSaveRefusedByAFileInTheWay("Other");
}

// Texts typed in the window for entries the filters hide, with no file
// merged: an earlier side file there keeps its texts in the new one, and a
// file there that is no side file is never replaced.
TEST_F(ReadXmlTest, TypedTextsOfHiddenEntriesMeetWhatIsInTheSideFilesPlace) {
  OpenGeo();
  CClassInfo& point = doc_.m_module.m_pClasses[0];
  ASSERT_EQ("int m_secret;", point.m_pVars[2].m_strName);
  point.m_pVars[2].m_strShortDesc = "Typed.";
  doc_.SetShowPrivate(false);
  fake_.Choose(dir_ + "/First.xml");
  doc_.OnSaveXmlFile();
  ASSERT_NE(std::string::npos,
            ReadBytes(dir_ + "/First.orphans.xml").find("Typed."));

  // The earlier side file's text is carried over beside the new one's.
  point.m_pVars[2].m_strShortDesc = "Typed again.";
  std::filesystem::rename(dir_ + "/First.orphans.xml",
                          dir_ + "/Second.orphans.xml");
  fake_.Choose(dir_ + "/Second.xml");
  doc_.OnSaveXmlFile();
  const std::string side = ReadBytes(dir_ + "/Second.orphans.xml");
  EXPECT_NE(std::string::npos, side.find("Typed again."));
  EXPECT_NE(std::string::npos, side.find("Typed."));

  ExpectSaveRefusedByAFileInTheWay("Third");
}

// --- Coverage ---

TEST_F(ReadXmlTest, StatusBarAndListShowTheMissingDescriptions) {
  OpenGeo();
  // The Geo header's descriptions, all missing after the parse.
  EXPECT_EQ("0 of 15 descriptions", fake_.status);
  EXPECT_EQ("0 of 15 descriptions", doc_.CoverageStatus());
  Read(WriteFile("Geo.xml", kGeoXml));
  EXPECT_EQ("1 of 15 descriptions", fake_.status);

  doc_.OnViewMissingDescriptions();
  EXPECT_EQ("Missing descriptions", fake_.listTitle);
  ASSERT_EQ(15u, fake_.listed.size());  // 14 missing and the summary
  EXPECT_EQ("Geo.h:4: warning: class CPoint has no description",
            fake_.listed[7]);
  EXPECT_EQ("Geo.h:6: warning: data member CPoint::m_x has no description",
            fake_.listed[8]);
  EXPECT_EQ(0u, fake_.listed.back().find("coverage: 1 of 15 descriptions"));

  // The filters of the form count: only public members.
  doc_.SetShowPrivate(false);
  doc_.SetShowProtected(false);
  doc_.OnViewMissingDescriptions();
  EXPECT_EQ("1 of 13 descriptions", fake_.status);

  // Without a parse there is nothing to count.
  doc_.OnNewDocument();
  EXPECT_EQ("", doc_.CoverageStatus());
}

// --- Help book ---

TEST_F(DocumentTest, SaveHelpBookWritesTheProjectAndSaysWhere) {
  OpenGeo();
  fake_.Cancel();
  doc_.OnSaveHelpBook();
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ("", doc_.GetHelpBookProject());

  const std::string dir = dir_ + "/book";
  fake_.Choose(dir);
  doc_.OnSaveHelpBook();
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_NE(std::string::npos, fake_.messages[0].find(dir + "/Geo.hhp"));
  EXPECT_EQ(dir + "/Geo.hhp", doc_.GetHelpBookProject());
  EXPECT_TRUE(std::filesystem::exists(dir + "/Geo.hhp"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/Geo.htm"));
  // The book has its objects whatever the form says; the form's options
  // stay as they were.
  EXPECT_FALSE(doc_.GetSplitFiles());
  // The next dialog opens in the folder chosen last.
  fake_.Cancel();
  doc_.OnSaveHelpBook();
  EXPECT_EQ(dir, fake_.LastDialog().strFolder);
}

// A page of tens of gigabytes is refused with its size and cause, before
// any dialog, by both the preview and Save As HTML File.
TEST_F(DocumentTest, PageNoOneCanWantIsRefused) {
  std::string header;
  for (int i = 0; i < 30000; ++i)
    header += "class C" + std::to_string(i) + " { public: void F(); };\n";
  Open(WriteFile("Huge.h", header));
  ASSERT_TRUE(doc_.IsParsed());
  doc_.OnSaveHtmlFile();
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_EQ(0u, fake_.messages[0].find("The HTML page would be at least"));
  EXPECT_NE(std::string::npos, fake_.messages[0].find("30000 classes"));
  EXPECT_TRUE(fake_.dialogs.empty());
  EXPECT_FALSE(doc_.BuildHtml());
  EXPECT_TRUE(doc_.GetLines().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/Huge.htm"));
  std::string page;
  fake_.Forget();
  EXPECT_FALSE(doc_.BuildPreviewPage(&page));
  EXPECT_EQ(1u, fake_.messages.size());
  EXPECT_TRUE(page.empty());
}

// --- Files given without a dialog: command line, recent files, drops ---

TEST_F(DocumentTest, OpenHeaderPathIsOpenHeaderFileWithoutItsDialog) {
  const std::string path = WriteFile("Geo.h", kGeoHeader);
  doc_.SetShowPrivate(false);
  EXPECT_TRUE(doc_.OpenHeaderPath(path));
  EXPECT_TRUE(fake_.dialogs.empty());
  EXPECT_TRUE(doc_.IsParsed());
  EXPECT_EQ(path, doc_.m_strHeaderPath);
  EXPECT_EQ(dir_, doc_.m_strHeaderDir);
  EXPECT_EQ(dir_ + "/Geo.htm", doc_.m_strHtmlPath);
  EXPECT_EQ(dir_ + "/Geo.xml", doc_.m_strXmlPath);
  EXPECT_EQ("Geo", doc_.m_module.m_strName);
  EXPECT_EQ((std::vector<std::string>{"store", "header " + path,
                                      "html " + dir_ + "/Geo.htm",
                                      "xml " + dir_ + "/Geo.xml", "load"}),
            fake_.viewCalls);
  EXPECT_FALSE(doc_.CoverageStatus().empty());
  EXPECT_EQ(doc_.CoverageStatus(), fake_.status);

  // A header that cannot be read: the parser's message, nothing parsed,
  // the form not told, as after the dialog.
  fake_.Forget();
  EXPECT_FALSE(doc_.OpenHeaderPath(dir_ + "/Missing.h"));
  EXPECT_FALSE(doc_.IsParsed());
  EXPECT_EQ(std::vector<std::string>{"Unable to open the required file."},
            fake_.messages);
  EXPECT_EQ(std::vector<std::string>{"store"}, fake_.viewCalls);
  EXPECT_EQ("", fake_.status);
}

TEST_F(DocumentTest, PathCommandsNeedTheFormAsTheMenuCommandsDo) {
  const std::string path = WriteFile("Geo.h", kGeoHeader);
  fake_.bStoreFails = true;
  EXPECT_FALSE(doc_.OpenHeaderPath(path));
  fake_.bStoreFails = false;
  fake_.bHasView = false;
  EXPECT_FALSE(doc_.OpenHeaderPath(path));
  EXPECT_FALSE(doc_.IsParsed());
  EXPECT_EQ("", doc_.m_strHeaderPath);
  EXPECT_TRUE(fake_.messages.empty());
}

TEST_F(DocumentTest, OpenHeaderFileSaysWhetherAHeaderWasOpened) {
  const std::string path = WriteFile("Geo.h", kGeoHeader);
  fake_.Cancel();
  EXPECT_FALSE(doc_.OnOpenHeaderFile());
  fake_.Choose(dir_ + "/Missing.h");
  EXPECT_FALSE(doc_.OnOpenHeaderFile());
  fake_.Choose(path);
  EXPECT_TRUE(doc_.OnOpenHeaderFile());
}

TEST_F(ReadXmlTest, ReadXmlPathMergesWithoutADialogOnlyAfterAParse) {
  const std::string xml = WriteFile("Geo.xml", kGeoXml);
  EXPECT_FALSE(doc_.ReadXmlPath(xml));
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_EQ(0u, fake_.messages[0].find(xml + " was not read."));
  EXPECT_TRUE(fake_.viewCalls.empty());
  EXPECT_EQ("", doc_.m_strXmlInPath);

  OpenGeo();
  EXPECT_TRUE(doc_.ReadXmlPath(xml));
  EXPECT_TRUE(fake_.dialogs.empty());
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ(xml, doc_.m_strXmlInPath);
  EXPECT_EQ(dir_, doc_.m_strXmlInDir);
  EXPECT_NE(std::string::npos,
            doc_.m_module.m_strDescription.find("Geometry helpers"));
  EXPECT_EQ((std::vector<std::string>{"store", "load"}), fake_.viewCalls);

  // A failed read forgets the text of the one before, as the menu's does.
  fake_.Forget();
  EXPECT_FALSE(doc_.ReadXmlPath(WriteFile("Bad.xml", "<a></b>")));
  EXPECT_EQ(1u, fake_.messages.size());
  EXPECT_EQ("", doc_.m_strXmlText);
  EXPECT_TRUE(doc_.IsParsed());
}

TEST_F(ReadXmlTest, DropOpensTheHeaderThenReadsTheXmlIntoIt) {
  const std::string header = WriteFile("Geo.h", kGeoHeader);
  const std::string xml = WriteFile("Geo.xml", kGeoXml);
  // The XML first in the list: it is still read after the header.
  EXPECT_TRUE(doc_.OnDropFiles({xml, header, dir_ + "/notes.txt"}));
  EXPECT_EQ(header, doc_.m_strHeaderPath);
  EXPECT_EQ(xml, doc_.m_strXmlInPath);
  EXPECT_NE(std::string::npos,
            doc_.m_module.m_strDescription.find("Geometry helpers"));
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_NE(std::string::npos, fake_.messages[0].find("notes.txt"));
  EXPECT_TRUE(fake_.dialogs.empty());

  // An XML file alone goes into the header open already.
  fake_.Forget();
  EXPECT_FALSE(doc_.OnDropFiles({xml}));
  EXPECT_TRUE(fake_.messages.empty());
  EXPECT_EQ((std::vector<std::string>{"store", "load"}), fake_.viewCalls);
}

TEST_F(ReadXmlTest, DropWhoseHeaderFailsReadsNoXml) {
  const std::string xml = WriteFile("Geo.xml", kGeoXml);
  EXPECT_FALSE(doc_.OnDropFiles({dir_ + "/Missing.h", xml}));
  EXPECT_EQ(std::vector<std::string>{"Unable to open the required file."},
            fake_.messages);
  EXPECT_EQ("", doc_.m_strXmlInPath);

  // Before any parse, an XML file alone says why it is not read.
  fake_.Forget();
  EXPECT_FALSE(doc_.OnDropFiles({xml}));
  ASSERT_EQ(1u, fake_.messages.size());
  EXPECT_NE(std::string::npos, fake_.messages[0].find("Open a header file"));
}

}  // namespace
