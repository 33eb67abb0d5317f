// Hostile names for the help book: whatever a header calls its classes and
// methods, and whatever the header file is called, the book writes only
// into its own folder, or is refused with a message naming the entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/help_book_job.h"
#include "model/text.h"
#include "parser/parse_header.h"

namespace {

namespace fs = std::filesystem;

class HostileBookTest : public ::testing::Test {
 protected:
  HostileBookTest() {
    fs::remove_all(root_);
    fs::create_directories(root_ / "sandbox" / "inner");
  }
  ~HostileBookTest() override { fs::remove_all(root_); }

  // Writes the book of `text`, saved as the header `name`, into
  // sandbox/inner/book; returns the outcome and leaves the messages.
  HelpBookOutcome WriteBook(const std::string& name, const std::string& text) {
    fs::remove_all(Book());
    const std::string header = (root_ / "headers" / name).string();
    fs::create_directories(root_ / "headers");
    std::ofstream(header, std::ios::binary) << text;
    CModuleInfo module;
    module.m_strName = PathStem(header);
    TextList lines;
    std::string message;
    EXPECT_TRUE(ParseHeader(header, "", {}, {}, &lines, &module, &message))
        << message;
    HelpBookJob job;
    job.headerPath = header;
    job.dir = Book().string();
    job.compile = false;
    std::ostringstream out, err;
    HelpBookOutcome outcome = WriteHelpBook(&module, job, out, err);
    err_ = err.str();
    return outcome;
  }

  fs::path Book() const { return root_ / "sandbox" / "inner" / "book"; }

  // Every file under the sandbox lies in the book's folder itself.
  void ExpectOnlyFilesInTheBook() const {
    for (const auto& entry :
         fs::recursive_directory_iterator(root_ / "sandbox")) {
      if (entry.is_directory())
        continue;
      EXPECT_EQ(Book(), entry.path().parent_path()) << entry.path();
    }
  }

  fs::path root_ = fs::path("hostile_files") / "book";
  std::string err_;
};

TEST_F(HostileBookTest, NamesThatWouldLeaveTheFolderAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"class ../x { void f(); };\n", "the class ../x"},
      {"class ../../x { int m; };\n", "the class ../../x"},
      {"class a/../../../x { };\n", "the class a/../../../x"},
      {"class ..\\x { void f(); };\n", "the class ..\\x"},
      {"class x/y {\npublic:\n  void f();\n};\n", "the class x/y"},
      {"class T<a&b> { void f(); };\n", "the class T<a& b> contains \"<\""},
      {"class A { void f(); };\nclass A { void g(); };\n",
       "documents the class A twice"},
  };
  for (const auto& [text, entry] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(HelpBookOutcome::kFailed, WriteBook("Geo.h", text));
    EXPECT_NE(std::string::npos, err_.find(entry)) << err_;
    EXPECT_FALSE(fs::exists(Book()));
    ExpectOnlyFilesInTheBook();
  }
}

TEST_F(HostileBookTest, OperatorsAndOddHeaderNamesStayInTheFolder) {
  const char kOperators[] =
      "class P {\npublic:\n  P& operator/(int d);\n  P& operator\\(int d);\n"
      "  P& operator..(int d);\n};\n";
  ASSERT_EQ(HelpBookOutcome::kProjectOnly, WriteBook("Geo.h", kOperators))
      << err_;
  EXPECT_TRUE(fs::exists(Book() / "GeoCFPoperatordiv.htm"));
  ExpectOnlyFilesInTheBook();
  for (const char* name : {"..h", ".hidden.h", "a#b.h", "x:y.h"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(HelpBookOutcome::kFailed, WriteBook(name, kOperators));
    EXPECT_NE(std::string::npos, err_.find("of the module")) << err_;
    ExpectOnlyFilesInTheBook();
  }
}

}  // namespace
