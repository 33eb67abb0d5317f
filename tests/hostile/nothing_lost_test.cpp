// The whole round trip of the document (export, edit, read back and merge,
// export again) while the last save fails at one point after another: each
// failure leaves the previous XML file byte for byte as it was, and no
// temporary file behind. The file size limit makes a write fail exactly
// at a chosen byte.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/document.h"
#include "app/fake_platform.h"
#include "app/strings.h"
#include "model/file_io.h"

namespace {

namespace fs = std::filesystem;

const char kPlaceholderClass[] = "Here should be a description of the class.";

std::string ReadBytes(const std::string& path) {
  std::string text;
  EXPECT_EQ(ReadStatus::kOk, ReadWholeFile(path, &text)) << path;
  return text;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

// While alive, writing a file beyond `bytes` fails with EFBIG instead of
// raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous_);
    struct rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    sigaction(SIGXFSZ, &previous_, nullptr);
  }
  bool ok() const { return ok_; }

 private:
  struct rlimit saved_;
  struct sigaction previous_;
  bool ok_ = false;
};

class NothingLostTest : public ::testing::Test {
 protected:
  NothingLostTest() : doc_(&fake_) {
    dir_ = "nothing_lost_files";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    header_ = dir_ + "/Geometry.h";
    xml_ = dir_ + "/Geometry.xml";
    html_ = dir_ + "/Geometry.htm";
    fs::copy_file(VARNEL_SOURCE_DIR "/examples/Geometry.h", header_);
  }
  ~NothingLostTest() override { fs::remove_all(dir_); }

  // Runs a save command that chooses `path`; returns the messages shown.
  std::vector<std::string> Save(void (CDocVarnel::*command)(),
                                const std::string& path) {
    fake_.Forget();
    fake_.Choose(path);
    (doc_.*command)();
    return fake_.messages;
  }

  FakePlatform fake_;
  CDocVarnel doc_;
  std::string dir_, header_, xml_, html_;
};

TEST_F(NothingLostTest, EveryFailedSaveKeepsThePreviousFile) {
  // Export, then edit the export as a writer would.
  fake_.Choose(header_);
  doc_.OnOpenHeaderFile();
  ASSERT_TRUE(doc_.IsParsed());
  ASSERT_TRUE(Save(&CDocVarnel::OnSaveXmlFile, xml_).empty());
  std::string edited = ReadBytes(xml_);
  int descriptions = 0;
  for (size_t at = edited.find(kPlaceholderClass); at != std::string::npos;
       at = edited.find(kPlaceholderClass, at)) {
    std::string text = "Edited class text " + std::to_string(++descriptions);
    edited.replace(at, sizeof kPlaceholderClass - 1, text);
  }
  ASSERT_LT(2, descriptions);
  WriteBytes(xml_, edited);

  // Read back and merge; the next export carries the descriptions.
  fake_.Choose(xml_);
  doc_.OnReadXmlFile();
  ASSERT_TRUE(fake_.messages.empty()) << fake_.messages[0];
  ASSERT_TRUE(doc_.BuildXml());
  size_t size = 0;
  for (const std::string& line : doc_.GetLines())
    size += line.size() + 2;
  ASSERT_LT(8192u, size);

  // Fail the save after every byte count up to the whole size: densely at
  // the start and around the stdio buffer sizes, in steps elsewhere.
  const std::set<std::string> files = FilesIn(dir_);
  int failures = 0;
  for (size_t limit = 0; limit < size;
       limit += (limit < 600 || (limit % 4096) < 40 || (limit % 4096) > 4056)
                    ? 1
                    : 61) {
    std::vector<std::string> messages;
    {
      FileSizeLimit fsize(limit);
      ASSERT_TRUE(fsize.ok());
      messages = Save(&CDocVarnel::OnSaveXmlFile, xml_);
    }
    ASSERT_EQ(std::vector<std::string>{LoadString(IDS_CANNOT_SAVE)}, messages)
        << "limit " << limit;
    ASSERT_EQ(edited, ReadBytes(xml_)) << "limit " << limit;
    ASSERT_EQ(files, FilesIn(dir_)) << "limit " << limit;
    ++failures;
  }
  EXPECT_LT(1000, failures);

  // The same for the page, whose first save must not leave a file either.
  {
    FileSizeLimit fsize(5000);
    EXPECT_EQ(std::vector<std::string>{LoadString(IDS_CANNOT_SAVE)},
              Save(&CDocVarnel::OnSaveHtmlFile, html_));
  }
  EXPECT_EQ(files, FilesIn(dir_));

  // With room again, the save goes through and keeps every description.
  ASSERT_TRUE(Save(&CDocVarnel::OnSaveXmlFile, xml_).empty());
  std::string saved = ReadBytes(xml_);
  EXPECT_EQ(size, saved.size());
  for (int i = 1; i <= descriptions; ++i)
    EXPECT_NE(std::string::npos,
              saved.find("Edited class text " + std::to_string(i)))
        << i;

  // A fresh parse that merges the new file exports the same bytes.
  CDocVarnel again(&fake_);
  fake_.Forget();
  fake_.Choose(header_);
  again.OnOpenHeaderFile();
  fake_.Choose(xml_);
  again.OnReadXmlFile();
  ASSERT_TRUE(fake_.messages.empty());
  fake_.Choose(xml_);
  again.OnSaveXmlFile();
  EXPECT_EQ(saved, ReadBytes(xml_));
}

}  // namespace
