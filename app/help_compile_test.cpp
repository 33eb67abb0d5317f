#include "app/help_compile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/file_io.h"

namespace {

namespace fs = std::filesystem;

// The folders of this run, removed at its end.
const struct Root {
  fs::path path = fs::temp_directory_path() /
                  ("varnel-help-compile-" + std::to_string(getpid()));
  ~Root() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
} kRoot;

// A folder of its own for each test, emptied first.
fs::path Folder(const std::string& name) {
  fs::path dir = kRoot.path / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// A stand-in for the compiler: the shell `body` runs with $OUT set to the
// book the project names.
std::string FakeCompiler(const fs::path& dir, const std::string& body) {
  std::string path = (dir / "fake-compiler").string();
  std::ofstream(path) << "#!/bin/sh\n"
                      << "OUT=$(sed -n 's/^Compiled file=//p' \"$1\" | "
                         "tr -d '\\r')\n"
                      << body << "\n";
  chmod(path.c_str(), 0755);
  return path;
}

const TextList kProject = {"[OPTIONS]", "Compiled file=Geo.chm",
                           "Title=Geo", "", "[FILES]", "Geo.htm"};

struct Result {
  bool ok;
  std::string out, err;
};

Result Compile(const fs::path& dir, const std::string& compiler) {
  std::ostringstream out, err;
  bool ok = CompileHelpBook(compiler, dir.string(), "Geo", kProject, 10, out,
                            err);
  return {ok, out.str(), err.str()};
}

std::string Contents(const fs::path& path) {
  std::string text;
  ReadWholeFile(path.string(), &text);
  return text;
}

// Only the book, the compiler and what the test put there are left.
void ExpectNoTemporaryFiles(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_EQ(std::string::npos,
              entry.path().filename().string().find(".tmp"))
        << entry.path();
}

TEST(HelpCompileTest, ErrorLinesAreThoseThatReportAFailure) {
  const std::string output =
      "chmcmd, a CHM compiler. (c) 2010-2019 Free Pascal core.\n\n"
      "Note: Index items:2\r\n"
      "Warning: Found file x.htm while scanning a.htm, but couldn't find it\n"
      "Writing CHM t.chm\n"
      "Error: Anchor c.htm#nope undefined; first use a.htm\n"
      "Can't find project file /x.hhp\n"
      "An unhandled exception occurred at $0000000000416AC9:\n";
  EXPECT_EQ((std::vector<std::string>{
                "Error: Anchor c.htm#nope undefined; first use a.htm",
                "Can't find project file /x.hhp",
                "An unhandled exception occurred at $0000000000416AC9:"}),
            CompilerErrorLines(output));
}

TEST(HelpCompileTest, ABookWithoutErrorsReplacesTheOldOne) {
  fs::path dir = Folder("good");
  std::ofstream(dir / "Geo.chm") << "old";
  Result r = Compile(dir, FakeCompiler(dir, "printf new > \"$OUT\"\n"
                                            "echo 'Warning: odd'"));
  EXPECT_TRUE(r.ok) << r.err;
  EXPECT_EQ("new", Contents(dir / "Geo.chm"));
  EXPECT_EQ("Wrote " + (dir / "Geo.chm").string() + "\n", r.out);
  EXPECT_NE(std::string::npos, r.err.find(": Warning: odd")) << r.err;
  ExpectNoTemporaryFiles(dir);
}

TEST(HelpCompileTest, AnyReportedFailureKeepsTheOldBook) {
  const std::pair<const char*, const char*> cases[] = {
      {"printf new > \"$OUT\"; echo 'Error: Anchor a.htm#x undefined'",
       "  Error: Anchor a.htm#x undefined\n"},
      {"echo 'Writing CHM'", "  Writing CHM\n"},
      {": > \"$OUT\"", "exit status 0"},
      {"printf new > \"$OUT\"; exit 217", "exit status 217"},
  };
  for (const auto& [body, shown] : cases) {
    SCOPED_TRACE(body);
    fs::path dir = Folder("bad");
    std::ofstream(dir / "Geo.chm") << "old";
    Result r = Compile(dir, FakeCompiler(dir, body));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ("old", Contents(dir / "Geo.chm"));
    EXPECT_NE(std::string::npos, r.err.find("is left as it was")) << r.err;
    EXPECT_NE(std::string::npos, r.err.find(shown)) << r.err;
    ExpectNoTemporaryFiles(dir);
  }
}

TEST(HelpCompileTest, ACompilerThatHangsIsStopped) {
  fs::path dir = Folder("hang");
  std::ostringstream out, err;
  EXPECT_FALSE(CompileHelpBook(FakeCompiler(dir, "exec sleep 30"),
                               dir.string(), "Geo", kProject, 1, out, err));
  EXPECT_NE(std::string::npos, err.str().find("stopped after 1 seconds"));
  EXPECT_FALSE(fs::exists(dir / "Geo.chm"));
}

}  // namespace
