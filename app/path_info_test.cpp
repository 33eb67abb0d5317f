#include "app/path_info.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class PathInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("varnel-path-info-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Make(const std::string& name) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path) << name;
    return path;
  }
  std::string In(const std::string& name) { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(PathInfoTest, SpellingsOfOneFile) {
  const std::string a = Make("a.h");
  const std::string b = Make("b.h");
  fs::create_hard_link(a, In("link.h"));
  EXPECT_TRUE(SamePath(InfoOf(a), InfoOf(In("link.h"))));
  EXPECT_TRUE(SamePath(InfoOf(a), InfoOf(In("./a.h"))));
  EXPECT_FALSE(SamePath(InfoOf(a), InfoOf(b)));
  // A file yet to be made is the same as another only under its own name.
  EXPECT_TRUE(SamePath(InfoOf(In("new.htm")), InfoOf(In("./new.htm"))));
  EXPECT_FALSE(SamePath(InfoOf(In("new.htm")), InfoOf(In("new.xml"))));
  EXPECT_FALSE(SamePath(InfoOf(In("new.htm")), InfoOf(a)));
  // Standard output and "none" are never a file.
  EXPECT_FALSE(SamePath(InfoOf("-"), InfoOf("-")));
  EXPECT_FALSE(SamePath(InfoOf(""), InfoOf("")));
  EXPECT_FALSE(InfoOf("-").exists);
}

TEST_F(PathInfoTest, EachPathLookedUpOnce) {
  const std::string a = Make("a.h");
  fs::create_hard_link(a, In("link.h"));
  PathInfos known;
  const PathInfo& first = known.Of(In("late.h"));
  EXPECT_FALSE(first.exists);
  EXPECT_TRUE(known.Of(a).exists);
  EXPECT_TRUE(SamePath(known.Of(a), known.Of(In("link.h"))));
  // A file made afterwards is not seen: the checks compare the paths as
  // they were when the run began.
  Make("late.h");
  EXPECT_FALSE(known.Of(In("late.h")).exists);
  EXPECT_EQ(&first, &known.Of(In("late.h")));
  // Another spelling is another look.
  EXPECT_TRUE(known.Of(In("./late.h")).exists);
}

}  // namespace
