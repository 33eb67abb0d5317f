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

SafeFileWriter::~SafeFileWriter() {
  std::string ignored;
  if (file_)
    Fail(&ignored);
}

bool SafeFileWriter::Fail(std::string* err) {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
    std::error_code ec;
    std::filesystem::remove(temp_, ec);
  }
  *err = kCannotSaveMessage;
  return false;
}

bool SafeFileWriter::Open(const std::string& path, std::string* err) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec))
    return Fail(err);
  path_ = path;
  temp_ = TemporaryNameFor(path);
  file_ = std::fopen(temp_.c_str(), "wbx");
  if (!file_)
    return Fail(err);
  return true;
}

bool SafeFileWriter::Write(const TextList& lines, std::string* err) {
  if (!file_)
    return Fail(err);
  for (const auto& line : lines) {
    if (!line.empty() &&
        std::fwrite(line.data(), 1, line.size(), file_) != line.size())
      return Fail(err);
    if (std::fwrite("\r\n", 1, 2, file_) != 2)
      return Fail(err);
  }
  return true;
}

bool SafeFileWriter::Commit(std::string* err) {
  if (!file_)
    return Fail(err);
  bool ok = std::fflush(file_) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  std::error_code ec;
  if (ok && std::filesystem::exists(path_, ec)) {
    // Keep the permissions of the file being replaced.
    auto perms = std::filesystem::status(path_, ec).permissions();
    if (!ec)
      std::filesystem::permissions(temp_, perms, ec);
  }
  if (ok) {
    std::filesystem::rename(temp_, path_, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(temp_, ec);
    *err = kCannotSaveMessage;
  }
  return ok;
}

bool SaveLines(const std::string& path, const TextList& lines,
               std::string* err) {
  SafeFileWriter writer;
  return writer.Open(path, err) && writer.Write(lines, err) &&
         writer.Commit(err);
}
