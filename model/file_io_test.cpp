#include "model/file_io.h"

#include <gtest/gtest.h>

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
