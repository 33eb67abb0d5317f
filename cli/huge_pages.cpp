#include "cli/huge_pages.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

const long long kHugePagesInputBytes = 1 << 20;

namespace {

const char kTunable[] = "glibc.malloc.hugetlb";
const char kModeFile[] = "/sys/kernel/mm/transparent_hugepage/enabled";

std::string ReadModeFile() {
  std::ifstream in(kModeFile);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

bool HugePagesWanted(std::string_view thpMode, const char* tunables) {
  // With "[always]" large regions get huge pages anyway; with "[never]"
  // there are none to get.
  if (thpMode.find("[madvise]") == std::string_view::npos)
    return false;
  return tunables == nullptr ||
         std::string_view(tunables).find(kTunable) == std::string_view::npos;
}

bool TunablesAskForHugePages(const char* tunables) {
  return tunables != nullptr &&
         std::string_view(tunables).find(std::string(kTunable) + "=1") !=
             std::string_view::npos;
}

std::string TunablesWithHugePages(const char* tunables) {
  std::string value = tunables ? tunables : "";
  if (!value.empty())
    value += ':';
  return value + kTunable + "=1";
}

void RestartWithHugePages(char** argv) {
  const char* tunables = getenv("GLIBC_TUNABLES");
  if (!HugePagesWanted(ReadModeFile(), tunables))
    return;
  // The program started again sees the tunable and does not restart.
  if (setenv("GLIBC_TUNABLES", TunablesWithHugePages(tunables).c_str(), 1) != 0)
    return;
  execv("/proc/self/exe", argv);
}

void RestartWithHugePagesForInput(const std::string& inputPath, char** argv) {
  struct stat st;
  if (stat(inputPath.c_str(), &st) == 0 && st.st_size >= kHugePagesInputBytes)
    RestartWithHugePages(argv);
}
