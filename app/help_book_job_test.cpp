#include "app/help_book_job.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/run_program.h"
#include "html/help_pages.h"
#include "html/help_book_check.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"

namespace {

namespace fs = std::filesystem;

const char kSource[] = VARNEL_SOURCE_DIR;
const char kWxFolder[] = "/usr/include/wx-3.2/wx";

const struct Root {
  fs::path path = fs::temp_directory_path() /
                  ("varnel-help-book-" + std::to_string(getpid()));
  ~Root() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
} kRoot;

fs::path Folder(const std::string& name) {
  fs::path dir = kRoot.path / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string Contents(const fs::path& path) {
  std::string text;
  EXPECT_EQ(ReadStatus::kOk, ReadWholeFile(path.string(), &text)) << path;
  return text;
}

std::set<std::string> FilesIn(const fs::path& dir) {
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files.insert(entry.path().filename().string());
  return files;
}

CModuleInfo Parse(const std::string& header, const std::string& ini) {
  TextList macros, notReturns;
  std::string err;
  if (!ini.empty()) {
    EXPECT_TRUE(ReadParserSettingsInto(ini, &macros, &notReturns, &err))
        << err;
  }
  CModuleInfo module;
  module.m_strName = PathStem(header);
  TextList lines;
  EXPECT_TRUE(ParseHeader(header, "", macros, notReturns, &lines, &module,
                          &err))
      << err;
  return module;
}

CModuleInfo Example() {
  return Parse(std::string(kSource) + "/examples/Geometry.h",
               std::string(kSource) + "/examples/varnel.INI");
}

HelpBookJob Job(const std::string& header, const fs::path& dir,
                bool compile) {
  HelpBookJob job;
  job.headerPath = header;
  job.dir = dir.string();
  job.stylesheetPath = std::string(kSource) + "/resources/Varnel.css";
  job.compile = compile;
  return job;
}

struct BookRun {
  HelpBookOutcome outcome;
  std::string out, err;
};

BookRun Write(CModuleInfo* module, const HelpBookJob& job) {
  std::ostringstream out, err;
  HelpBookOutcome outcome = WriteHelpBook(module, job, out, err);
  return {outcome, out.str(), err.str()};
}

// The lines of a section of the project file, up to the next section.
std::vector<std::string> Section(const std::string& project,
                                 const std::string& name) {
  std::vector<std::string> lines;
  bool in = false;
  ForEachLine(project, [&](std::string_view line) {
    if (line.starts_with("["))
      in = line == name;
    else if (in && !line.empty())
      lines.emplace_back(line);
  });
  return lines;
}

bool EveryLineEndsInCrLf(const std::string& text) {
  for (size_t i = text.find('\n'); i != std::string::npos;
       i = text.find('\n', i + 1))
    if (i == 0 || text[i - 1] != '\r')
      return false;
  return text.ends_with("\r\n");
}

// The pages, contents and index on disk lead only to pages and anchors of
// the book; returns the pages.
BookPages ExpectSoundFolder(const fs::path& dir, const std::string& stem,
                            bool stylesheet, bool compiled = false) {
  std::string project = Contents(dir / (stem + ".hhp"));
  std::vector<std::string> files = Section(project, "[FILES]");
  BookPages pages;
  for (const std::string& file : files)
    if (file != "Varnel.css")
      pages[file] = Contents(dir / file);
  std::set<std::string> expected(files.begin(), files.end());
  for (const char* ext : {".hhp", ".hhc", ".hhk"})
    expected.insert(stem + ext);
  EXPECT_EQ(stylesheet, expected.count("Varnel.css") == 1);
  for (const std::string& file : expected)
    EXPECT_TRUE(EveryLineEndsInCrLf(Contents(dir / file))) << file;
  if (compiled)
    expected.insert(stem + ".chm");
  EXPECT_EQ(expected, FilesIn(dir));
  for (const std::string& broken : BrokenLinks(pages, {"Varnel.css"}))
    ADD_FAILURE() << broken;
  for (const char* ext : {".hhc", ".hhk"}) {
    std::string sitemap = Contents(dir / (stem + ext));
    std::vector<std::string> targets = SitemapTargets(sitemap);
    EXPECT_FALSE(targets.empty()) << ext;
    for (const std::string& broken : BrokenTargets(targets, pages, {}))
      ADD_FAILURE() << ext << ": " << broken;
  }
  return pages;
}

TEST(HelpBookJobTest, ExampleProjectInAFolderMadeForIt) {
  for (bool stylesheet : {true, false}) {
    SCOPED_TRACE(stylesheet ? "stylesheet" : "no stylesheet");
    CModuleInfo module = Example();
    module.m_bStylesheet = stylesheet;
    fs::path dir = Folder("example") / "made" / "book";
    BookRun run = Write(&module, Job("/src/Geometry.h", dir, false));
    ASSERT_EQ(HelpBookOutcome::kProjectOnly, run.outcome) << run.err;
    EXPECT_EQ("", run.err);
    EXPECT_NE(std::string::npos, run.out.find("Geometry.hhp")) << run.out;
    BookPages pages = ExpectSoundFolder(dir, "Geometry", stylesheet);
    EXPECT_GT(pages.size(), 20u);
    std::string project = Contents(dir / "Geometry.hhp");
    EXPECT_EQ((std::vector<std::string>{
                  "Compiled file=Geometry.chm", "Contents file=Geometry.hhc",
                  "Index file=Geometry.hhk", "Default topic=Geometry.htm",
                  "Title=Geometry", "Language=0x409 English (United States)"}),
              Section(project, "[OPTIONS]"));
    if (stylesheet) {
      std::string css = Contents(std::string(kSource) + "/resources/Varnel.css");
      EXPECT_EQ(CrLfToLf(Contents(dir / "Varnel.css")), CrLfToLf(css));
    }
  }
}

TEST(HelpBookJobTest, FoldersAreNamedWithEitherSeparator) {
  CModuleInfo module = Example();
  fs::path root = Folder("separators");
  HelpBookJob job = Job("C:\\src\\Geometry.h", root, false);
  job.dir = root.string() + "\\win\\book\\";
  BookRun run = Write(&module, job);
  ASSERT_EQ(HelpBookOutcome::kProjectOnly, run.outcome) << run.err;
  EXPECT_TRUE(fs::is_regular_file(root / "win" / "book" / "Geometry.hhp"));
}

TEST(HelpBookJobTest, WithoutTheCompilerTheProjectIsWrittenAndSaidSo) {
  CModuleInfo module = Example();
  fs::path dir = Folder("nocompiler");
  HelpBookJob job = Job("Geometry.h", dir, true);
  job.compiler = "no-such-help-compiler";
  BookRun run = Write(&module, job);
  EXPECT_EQ(HelpBookOutcome::kNoCompiler, run.outcome);
  EXPECT_EQ(0, HelpBookExitStatus(run.outcome));
  EXPECT_NE(std::string::npos, run.err.find("no-such-help-compiler is not on "
                                            "the PATH"))
      << run.err;
  EXPECT_NE(std::string::npos, run.err.find("package fp-utils")) << run.err;
  EXPECT_TRUE(fs::exists(dir / "Geometry.hhp"));
  EXPECT_FALSE(fs::exists(dir / "Geometry.chm"));
}

TEST(HelpBookJobTest, FailuresSayWhyAndWriteNothing) {
  fs::path root = Folder("failures");
  std::ofstream(root / "file") << "a file";
  CModuleInfo module = Example();
  BookRun run =
      Write(&module, Job("Geometry.h", root / "file" / "book", false));
  EXPECT_EQ(HelpBookOutcome::kFailed, run.outcome);
  EXPECT_EQ(1, HelpBookExitStatus(run.outcome));
  EXPECT_NE(std::string::npos, run.err.find("cannot be made")) << run.err;

  module.m_bStylesheet = true;
  HelpBookJob job = Job("Geometry.h", root / "nocss", false);
  job.stylesheetPath = (root / "missing.css").string();
  run = Write(&module, job);
  EXPECT_EQ(HelpBookOutcome::kFailed, run.outcome);
  EXPECT_NE(std::string::npos, run.err.find("missing.css: the stylesheet"))
      << run.err;
  EXPECT_FALSE(fs::exists(root / "nocss"));
}

TEST(HelpBookJobTest, ALinkPlantedInTheFolderIsNotFollowed) {
  fs::path root = Folder("planted");
  fs::path dir = root / "book";
  fs::create_directories(dir);
  std::ofstream(root / "victim") << "keep";
  fs::create_symlink(root / "victim", dir / "Geometry_Class_CPoint.htm");
  CModuleInfo module = Example();
  BookRun run = Write(&module, Job("Geometry.h", dir, false));
  EXPECT_EQ(HelpBookOutcome::kFailed, run.outcome);
  EXPECT_NE(std::string::npos, run.err.find("is a symbolic link")) << run.err;
  EXPECT_EQ("keep", Contents(root / "victim"));
}

TEST(HelpBookJobTest, ProgramDataBesideTheProgramOrInstalled) {
  fs::path root = Folder("data");
  fs::create_directories(root / "bin");
  fs::create_directories(root / "share" / "varnel");
  std::ofstream(root / "share" / "varnel" / "Varnel.css") << "installed";
  std::string exe = (root / "bin" / "varnel").string();
  EXPECT_EQ((root / "share" / "varnel" / "Varnel.css").string(),
            FindProgramData("Varnel.css", exe));
  std::ofstream(root / "bin" / "Varnel.css") << "beside";
  EXPECT_EQ((root / "bin" / "Varnel.css").string(),
            FindProgramData("Varnel.css", exe));
  EXPECT_EQ("", FindProgramData("Other.css", exe));
  EXPECT_TRUE(RunningExecutablePath().ends_with("help_book_test"));
}

// The help compiler's checks, where it is installed.
class CompiledBookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = getenv("PATH");
    if (FindOnPath("chmcmd", path ? path : "").empty() ||
        FindOnPath("chmls", path ? path : "").empty())
      GTEST_SKIP() << "chmcmd or chmls is missing (Debian package fp-utils)";
  }

  // Compiles the book of `module` into `dir` and checks that the compiler
  // had nothing to complain about and that the book holds every page.
  void ExpectCompiled(CModuleInfo* module, const std::string& header,
                      const fs::path& dir) {
    BookRun run = Write(module, Job(header, dir, true));
    ASSERT_EQ(HelpBookOutcome::kCompiled, run.outcome) << run.err;
    EXPECT_EQ("", run.err);
    std::string stem = PathStem(header);
    BookPages pages = ExpectSoundFolder(dir, stem, module->m_bStylesheet, true);
    ProgramRun list;
    std::string err;
    ASSERT_TRUE(RunProgram(FindOnPath("chmls", getenv("PATH")),
                           {"-n", "-p", "list", stem + ".chm"}, dir.string(), 60,
                           1 << 24, &list, &err))
        << err;
    std::set<std::string> listed;
    ForEachLine(list.output, [&](std::string_view line) {
      if (line.starts_with("/"))
        listed.emplace(line.substr(1));
    });
    for (const auto& [file, text] : pages)
      EXPECT_TRUE(listed.count(file)) << file << " is not in " << stem
                                      << ".chm";
  }
};

TEST_F(CompiledBookTest, Example) {
  CModuleInfo module = Example();
  module.m_bStylesheet = true;
  fs::path dir = Folder("compiled-example");
  std::ofstream(dir / "Geometry.chm") << "an old book";
  ExpectCompiled(&module, "Geometry.h", dir);
  EXPECT_GT(fs::file_size(dir / "Geometry.chm"), 1000u);
}

// A spread of the wx headers whose books are not refused, the largest among
// them; all of them with VARNEL_ALL_WX_BOOKS set (a minute and a half).
TEST_F(CompiledBookTest, WxHeaders) {
  if (!fs::is_directory(kWxFolder))
    GTEST_SKIP() << kWxFolder << " is not installed";
  std::vector<std::string> headers;
  for (const fs::directory_entry& entry : fs::directory_iterator(kWxFolder))
    if (entry.path().extension() == ".h")
      headers.push_back(entry.path().string());
  std::sort(headers.begin(), headers.end());
  const bool all = getenv("VARNEL_ALL_WX_BOOKS") != nullptr;
  const std::string ini = std::string(kSource) + "/tests/wx/varnel.INI";
  size_t compiled = 0;
  for (size_t i = 0; i < headers.size(); ++i) {
    const std::string& header = headers[i];
    if (!all && i % 12 != 0 && !header.ends_with("/dataview.h"))
      continue;
    SCOPED_TRACE(header);
    CModuleInfo module = Parse(header, ini);
    module.m_bStylesheet = true;
    std::vector<HelpPage> pages;
    std::string err;
    if (!PlanHelpBook(&module, header, "book.htm", &pages, &err))
      continue;  // refused names are the core's tests
    ExpectCompiled(&module, header, Folder("wx"));
    ++compiled;
  }
  EXPECT_GE(compiled, all ? 300u : 25u);
}

}  // namespace
