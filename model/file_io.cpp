#include "model/file_io.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

ReadStatus ReadWholeFile(const std::string& path, std::string* contents) {
  contents->clear();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return ReadStatus::kCannotOpen;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f)
    return ReadStatus::kCannotOpen;
  // Room for the whole file at once: grown by doubling, the text of a
  // large header would hold up to twice its size while it is parsed.
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec)
    contents->reserve(static_cast<size_t>(size));
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

std::string CrLfToLf(std::string text) {
  size_t out = text.find("\r\n");
  if (out == std::string::npos)
    return text;
  for (size_t i = out; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    text[out++] = text[i];
  }
  text.resize(out);
  return text;
}

const char kCannotSaveMessage[] =
    "The file cannot be opened.\nThe datas cannot be saved.";

namespace {

// A name beside `path` that no other file uses yet. The file name part is
// shortened so that the temporary name is no longer than a file system
// allows (255 bytes) even when the target's own name is that long.
std::string TemporaryNameFor(const std::string& path) {
  const size_t kMaxStem = 200;
  size_t nameStart = path.find_last_of("/\\");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  const std::string stem =
      path.substr(0, std::min(path.size(), nameStart + kMaxStem));
  // Files are written from several threads at once.
  static std::atomic<unsigned> counter{0};
  std::error_code ec;
  for (;;) {
    std::string candidate = stem + ".tmp" + std::to_string(++counter);
    if (!std::filesystem::exists(candidate, ec))
      return candidate;
  }
}

// The temporary files being written, kept where a signal handler may read
// them. A slot is taken by one writer at a time (kFree to kFilling); its
// name is complete whenever it is kReady.
enum PendingState { kFree, kFilling, kReady };
struct PendingSlot {
  std::atomic<int> state{kFree};
  char name[4096] = {};
};
const int kPendingSlots = 64;
// Constant-initialised: a dynamic initialiser would touch all its pages at
// every start of the program.
constinit PendingSlot g_pending[kPendingSlots];
static_assert(std::atomic<int>::is_always_lock_free,
              "the signal handler reads the slots");

// The slot now holding `temp`, or -1 when none is free (the file is then
// only not removed on a signal).
int SetPendingTemporaryFile(const std::string& temp) {
  if (temp.size() >= sizeof g_pending[0].name)
    return -1;
  for (int i = 0; i < kPendingSlots; ++i) {
    int expected = kFree;
    if (!g_pending[i].state.compare_exchange_strong(expected, kFilling))
      continue;
    std::memcpy(g_pending[i].name, temp.c_str(), temp.size() + 1);
    g_pending[i].state.store(kReady);
    return i;
  }
  return -1;
}

void ClearPendingTemporaryFile(int* slot) {
  if (*slot >= 0)
    g_pending[*slot].state.store(kFree);
  *slot = -1;
}

// Saving through a symbolic link replaces the file it points to; the
// link itself stays.
std::string ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec))
    return path;
  auto target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

}  // namespace

void RemovePendingTemporaryFile() {
  for (PendingSlot& slot : g_pending) {
    int expected = kReady;
    if (slot.state.compare_exchange_strong(expected, kFilling))
      unlink(slot.name);
  }
}

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
    ClearPendingTemporaryFile(&pendingSlot_);
  }
  *err = kCannotSaveMessage;
  return false;
}

bool SafeFileWriter::Open(const std::string& path, std::string* err) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec))
    return Fail(err);
  path_ = ResolvedTarget(path);
  temp_ = TemporaryNameFor(path_);
  file_ = std::fopen(temp_.c_str(), "wbx");
  if (!file_)
    return Fail(err);
  pendingSlot_ = SetPendingTemporaryFile(temp_);
  return true;
}

bool SafeFileWriter::Write(const TextList& lines, std::string* err) {
  if (!file_)
    return Fail(err);
  // One call per block of lines instead of two per line: a large page
  // has millions of lines, and every call on the stream takes its lock.
  const size_t kBlockBytes = 64 * 1024;
  block_.clear();
  for (const auto& line : lines) {
    block_ += line;
    block_ += "\r\n";
    if (block_.size() >= kBlockBytes && !WriteBlock())
      return Fail(err);
  }
  return WriteBlock() || Fail(err);
}

bool SafeFileWriter::WriteBytes(std::string_view bytes, std::string* err) {
  if (!file_)
    return Fail(err);
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() ||
         Fail(err);
}

bool SafeFileWriter::WriteBlock() {
  const bool ok =
      std::fwrite(block_.data(), 1, block_.size(), file_) == block_.size();
  block_.clear();
  return ok;
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
  ClearPendingTemporaryFile(&pendingSlot_);
  return ok;
}

bool SaveLines(const std::string& path, const TextList& lines,
               std::string* err) {
  SafeFileWriter writer;
  return writer.Open(path, err) && writer.Write(lines, err) &&
         writer.Commit(err);
}

bool SaveBytePieces(const std::string& path,
                    const std::function<bool(const ByteSink&)>& build,
                    std::string* err) {
  SafeFileWriter writer;
  return writer.Open(path, err) &&
         build([&](std::string_view bytes) {
           return writer.WriteBytes(bytes, err);
         }) &&
         writer.Commit(err);
}

