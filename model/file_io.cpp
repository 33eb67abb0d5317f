#include "model/file_io.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

ReadStatus ReadWholeFile(const std::string& path, std::string* contents) {
  contents->clear();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return ReadStatus::kCannotOpen;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f)
    return ReadStatus::kCannotOpen;
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    contents->append(buffer, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    contents->clear();
    return ReadStatus::kReadError;
  }
  return ReadStatus::kOk;
}

std::string CrLfToLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    out.push_back(text[i]);
  }
  return out;
}

const char kCannotSaveMessage[] =
    "The file cannot be opened.\nThe datas cannot be saved.";

namespace {

bool WriteAll(FILE* f, const TextList& lines) {
  for (const auto& line : lines) {
    if (!line.empty() && std::fwrite(line.data(), 1, line.size(), f) != line.size())
      return false;
    if (std::fwrite("\r\n", 1, 2, f) != 2)
      return false;
  }
  return std::fflush(f) == 0;
}

// A name beside `path` that no other file uses yet.
std::string TemporaryNameFor(const std::string& path) {
  static unsigned counter = 0;
  std::error_code ec;
  for (;;) {
    std::string candidate = path + ".tmp" + std::to_string(++counter);
    if (!std::filesystem::exists(candidate, ec))
      return candidate;
  }
}

}  // namespace

bool SaveLines(const std::string& path, const TextList& lines,
               std::string* err) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) {
    *err = kCannotSaveMessage;
    return false;
  }
  std::string temp = TemporaryNameFor(path);
  FILE* f = std::fopen(temp.c_str(), "wbx");
  if (!f) {
    *err = kCannotSaveMessage;
    return false;
  }
  bool ok = WriteAll(f, lines);
  ok = std::fclose(f) == 0 && ok;
  if (ok && std::filesystem::exists(path, ec)) {
    // Keep the permissions of the file being replaced.
    auto perms = std::filesystem::status(path, ec).permissions();
    if (!ec)
      std::filesystem::permissions(temp, perms, ec);
  }
  if (ok) {
    std::filesystem::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(temp, ec);
    *err = kCannotSaveMessage;
    return false;
  }
  return true;
}
