// Replays every saved fuzz input, the inputs that once crashed or hung a
// target and the seeds, through the same drivers as the fuzz targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/fuzz_drivers.h"
#include "model/file_io.h"

namespace {

namespace fs = std::filesystem;

struct CheckFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void ThrowOnFailedCheck(const char* what) { throw CheckFailed(what); }

// The files of fuzz/<kind>/<target>, in name order.
std::vector<fs::path> Inputs(const char* kind, const char* target) {
  std::vector<fs::path> files;
  fs::path dir = fs::path(VARNEL_SOURCE_DIR) / "fuzz" / kind / target;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.is_regular_file())
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Feeds every file of both folders of `target` to `driver`; returns how
// many there were.
size_t Replay(const char* target, void (*driver)(const uint8_t*, size_t)) {
  g_pfnFuzzCheckFailed = ThrowOnFailedCheck;
  size_t count = 0;
  for (const char* kind : {"regressions", "corpus"}) {
    for (const fs::path& file : Inputs(kind, target)) {
      std::string bytes;
      EXPECT_EQ(ReadStatus::kOk, ReadWholeFile(file.string(), &bytes));
      try {
        driver(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      } catch (const CheckFailed& failed) {
        ADD_FAILURE() << file.string() << ": " << failed.what();
      }
      ++count;
    }
  }
  return count;
}

TEST(FuzzRegressionTest, Header) { EXPECT_LT(0u, Replay("header", FuzzHeader)); }

TEST(FuzzRegressionTest, XmlTree) {
  EXPECT_LT(0u, Replay("xml_tree", FuzzXmlTree));
}

TEST(FuzzRegressionTest, Merge) { EXPECT_LT(0u, Replay("merge", FuzzMerge)); }

TEST(FuzzRegressionTest, Settings) {
  EXPECT_LT(0u, Replay("settings", FuzzSettings));
}

}  // namespace
