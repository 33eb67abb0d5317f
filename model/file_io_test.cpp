#include "model/file_io.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

TEST(FileIoTest, LinesSplitAtLfWithoutTheirCr) {
  TextList lines;
  ForEachLine("a\r\nb\n\nc\r", [&](std::string_view l) {
    lines.emplace_back(l);
  });
  EXPECT_EQ((TextList{"a", "b", "", "c\r"}), lines);
}

TEST(FileIoTest, SavedLinesEndInCrLfAndReadBackUnchanged) {
  std::string err;
  ASSERT_TRUE(SaveLines("saved.txt", {"a\xE4", "", "b"}, &err));
  std::string text;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("saved.txt", &text));
  EXPECT_EQ("a\xE4\r\n\r\nb\r\n", text);
  EXPECT_EQ("a\xE4\n\nb\n", CrLfToLf(text));
}

TEST(FileIoTest, OnlyCrLfPairsLoseTheirCr) {
  EXPECT_EQ("", CrLfToLf(""));
  EXPECT_EQ("a\rb\r", CrLfToLf("a\rb\r"));
  EXPECT_EQ("\r\n\n", CrLfToLf("\r\r\n\r\n"));
  std::string moved = "x\r\ny\n\rz";
  EXPECT_EQ("x\ny\n\rz", CrLfToLf(std::move(moved)));
}

TEST(FileIoTest, AFolderIsNeitherReadNorOverwritten) {
  std::string text;
  EXPECT_EQ(ReadStatus::kCannotOpen, ReadWholeFile(".", &text));
  std::string err;
  EXPECT_FALSE(SaveLines(".", {"x"}, &err));
  EXPECT_EQ("The file cannot be opened.\nThe datas cannot be saved.", err);
}

TEST(FileIoTest, AnUnfinishedWriteLeavesTheOldFile) {
  std::string err;
  ASSERT_TRUE(SaveLines("kept.txt", {"old"}, &err));
  {
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open("kept.txt", &err));
    ASSERT_TRUE(writer.Write({"new", "lines"}, &err));
    // Never committed.
  }
  std::string text;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("kept.txt", &text));
  EXPECT_EQ("old\r\n", text);
  for (const auto& entry : std::filesystem::directory_iterator("."))
    EXPECT_EQ(std::string::npos,
              entry.path().filename().string().find("kept.txt.tmp"));
}

// Blocks of bytes are saved as they come; a build that stops part way
// leaves the file that was there.
TEST(FileIoTest, ByteBlocksAreSavedWholeOrNotAtAll) {
  std::string err;
  ASSERT_TRUE(SaveBytePieces(
      "blocks.txt",
      [](const ByteSink& sink) {
        std::string block = "a\r\n";
        std::string next = "\xE4\r\nb\r\n";
        return sink(block) && sink(next);
      },
      &err));
  std::string text;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("blocks.txt", &text));
  EXPECT_EQ("a\r\n\xE4\r\nb\r\n", text);
  EXPECT_FALSE(SaveBytePieces(
      "blocks.txt",
      [](const ByteSink& sink) {
        std::string block = "partial";
        return sink(block) && false;
      },
      &err));
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("blocks.txt", &text));
  EXPECT_EQ("a\r\n\xE4\r\nb\r\n", text);
}

// The temporary name stays within the file system's 255 bytes even when
// the target's own name is that long.
TEST(FileIoTest, TheLongestFileNameCanBeSaved) {
  std::filesystem::create_directories("long_name_files");
  const std::string path = "long_name_files/" + std::string(251, 'L') + ".xml";
  std::string err;
  EXPECT_TRUE(SaveLines(path, {"<Varnel/>"}, &err)) << err;
  EXPECT_TRUE(std::filesystem::is_regular_file(path));
  std::filesystem::remove_all("long_name_files");
}

// Saving through a link replaces the file it points to, not the link.
TEST(FileIoTest, SavingThroughALinkKeepsTheLink) {
  std::filesystem::remove_all("link_files");
  std::filesystem::create_directories("link_files/real");
  std::string err;
  ASSERT_TRUE(SaveLines("link_files/real/doc.xml", {"old"}, &err));
  std::filesystem::create_symlink("real/doc.xml", "link_files/doc.xml");
  namespace fs = std::filesystem;
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions("link_files/real/doc.xml", mode);
  ASSERT_TRUE(SaveLines("link_files/doc.xml", {"new"}, &err)) << err;
  EXPECT_TRUE(std::filesystem::is_symlink("link_files/doc.xml"));
  std::string text;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("link_files/real/doc.xml", &text));
  EXPECT_EQ("new\r\n", text);
  // The file the link points to keeps its permissions.
  EXPECT_EQ(mode, fs::status("link_files/real/doc.xml").permissions() &
                      fs::perms::all);
  std::filesystem::remove_all("link_files");
}

// What a signal handler calls while an output is being written.
TEST(FileIoTest, ThePendingTemporaryFileCanBeRemoved) {
  std::filesystem::remove_all("pending_files");
  std::filesystem::create_directories("pending_files");
  std::string err;
  ASSERT_TRUE(SaveLines("pending_files/doc.xml", {"old"}, &err));
  auto count = [] {
    return std::distance(std::filesystem::directory_iterator("pending_files"),
                         std::filesystem::directory_iterator());
  };
  {
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open("pending_files/doc.xml", &err));
    ASSERT_TRUE(writer.Write({"new"}, &err));
    EXPECT_EQ(2, count());
    RemovePendingTemporaryFile();
    EXPECT_EQ(1, count());
    EXPECT_FALSE(writer.Commit(&err));
  }
  // Nothing is pending after a save has ended.
  ASSERT_TRUE(SaveLines("pending_files/other.xml", {"x"}, &err));
  RemovePendingTemporaryFile();
  EXPECT_EQ(2, count());
  std::string text;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("pending_files/doc.xml", &text));
  EXPECT_EQ("old\r\n", text);
  std::filesystem::remove_all("pending_files");
}

namespace {

void RemovePendingAndStop(int) {
  RemovePendingTemporaryFile();
  _exit(0);
}

// Saves the file over and over until a signal stops the process, as the
// program's own handler does.
[[noreturn]] void SaveUntilStopped(const std::string& path) {
  struct sigaction action = {};
  action.sa_handler = RemovePendingAndStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  for (;;) {
    std::string err;
    (void)SaveLines(path, {"line"}, &err);
  }
}

}  // namespace

// A signal may stop a save at any point of it, the temporary file's
// creation included: it never leaves that file behind.
TEST(FileIoTest, NoSignalDuringASaveLeavesItsTemporaryFileBehind) {
  std::filesystem::remove_all("signal_files");
  std::filesystem::create_directories("signal_files");
  for (int round = 0; round < 300; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
      SaveUntilStopped("signal_files/doc.xml");
    usleep(static_cast<useconds_t>(200 + round % 37 * 20));
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
  }
  int leftBehind = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator("signal_files")) {
    if (entry.path().filename() != "doc.xml")
      ++leftBehind;
  }
  EXPECT_EQ(0, leftBehind);
  std::filesystem::remove_all("signal_files");
}

// A file whose size the system does not know ahead, as those under /proc,
// a file larger than one read and a file replaced by a save: each reads
// back whole, and a replaced file keeps its permissions.
TEST(FileIoTest, FilesOfEverySizeReadWholeAndReplacedFilesKeepTheirMode) {
  std::string text;
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("/proc/self/status", &text));
  EXPECT_NE(std::string::npos, text.find("VmRSS"));

  std::filesystem::remove_all("mode_files");
  std::filesystem::create_directories("mode_files");
  TextList many(100000, "0123456789");
  std::string err;
  ASSERT_TRUE(SaveLines("mode_files/big.txt", many, &err));
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("mode_files/big.txt", &text));
  ASSERT_EQ(1200000u, text.size());
  EXPECT_EQ("0123456789\r\n", text.substr(text.size() - 12));

  namespace fs = std::filesystem;
  fs::permissions("mode_files/big.txt", fs::perms::owner_read |
                                            fs::perms::owner_write |
                                            fs::perms::group_read);
  ASSERT_TRUE(SaveLines("mode_files/big.txt", {"short"}, &err));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write |
                fs::perms::group_read,
            fs::status("mode_files/big.txt").permissions() & fs::perms::all);
  ASSERT_EQ(ReadStatus::kOk, ReadWholeFile("mode_files/big.txt", &text));
  EXPECT_EQ("short\r\n", text);
  fs::remove_all("mode_files");
}

// A link to a folder is no file to save to.
TEST(FileIoTest, ALinkToAFolderIsNotOverwritten) {
  namespace fs = std::filesystem;
  fs::remove_all("folder_link_files");
  fs::create_directories("folder_link_files/real");
  fs::create_directory_symlink("real", "folder_link_files/link");
  std::string err;
  EXPECT_FALSE(SaveLines("folder_link_files/link", {"x"}, &err));
  EXPECT_TRUE(fs::is_symlink("folder_link_files/link"));
  EXPECT_TRUE(fs::is_empty("folder_link_files/real"));
  std::string text;
  EXPECT_EQ(ReadStatus::kCannotOpen,
            ReadWholeFile("folder_link_files/link", &text));
  fs::remove_all("folder_link_files");
}
