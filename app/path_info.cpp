#include "app/path_info.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

PathInfo InfoOf(const std::string& path) {
  PathInfo info;
  info.path = path;
  struct stat st;
  if (!path.empty() && path != "-" && stat(path.c_str(), &st) == 0) {
    info.exists = true;
    info.device = st.st_dev;
    info.inode = st.st_ino;
  }
  return info;
}

bool SamePath(const PathInfo& a, const PathInfo& b) {
  if (a.path == "-" || b.path == "-" || a.path.empty() || b.path.empty())
    return false;
  if (a.path == b.path)
    return true;
  if (a.exists || b.exists)
    return a.exists && b.exists && a.device == b.device &&
           a.inode == b.inode;
  // Two files yet to be made are one only under one name, in a folder
  // spelled two ways.
  namespace fs = std::filesystem;
  if (fs::path(a.path).filename() != fs::path(b.path).filename())
    return false;
  std::error_code ec1, ec2;
  auto ca = fs::weakly_canonical(a.path, ec1);
  auto cb = fs::weakly_canonical(b.path, ec2);
  return !ec1 && !ec2 && ca == cb;
}

const PathInfo& PathInfos::Of(const std::string& path) {
  auto it = known_.find(path);
  if (it == known_.end())
    it = known_.emplace(path, InfoOf(path)).first;
  return it->second;
}
