// What the system says of the paths a run reads and writes, so that its
// checks can tell two spellings of one file apart before anything is
// written.
#ifndef VARNEL_APP_PATH_INFO_H_
#define VARNEL_APP_PATH_INFO_H_

#include <sys/types.h>

#include <string>
#include <unordered_map>

struct PathInfo {
  std::string path;
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
};

// Follows links, as opening the path would. "-" (standard input or output)
// and the empty path never exist.
PathInfo InfoOf(const std::string& path);

// Hard links and other spellings of one file. Neither "-" nor the empty
// path is ever the same as anything.
bool SamePath(const PathInfo& a, const PathInfo& b);

// The infos of a run's paths, each looked up once: the checks of a folder
// of hundreds of headers ask for most paths twice or more.
class PathInfos {
 public:
  // The info of `path` as it was when first asked for.
  const PathInfo& Of(const std::string& path);

 private:
  std::unordered_map<std::string, PathInfo> known_;
};

#endif  // VARNEL_APP_PATH_INFO_H_
