#include "model/file_io.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>

ReadStatus ReadWholeFile(const std::string& path, std::string* contents) {
  contents->clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return ReadStatus::kCannotOpen;
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    return ReadStatus::kCannotOpen;
  }
  // Room for the whole file at once: grown by doubling, the text of a
  // large header would hold up to twice its size while it is parsed. The
  // bytes come through a small buffer that stays in the cache: reading
  // straight into the text would first have to fill it with zeros.
  if (S_ISREG(info.st_mode) && info.st_size > 0)
    contents->reserve(static_cast<size_t>(info.st_size));
  bool failed = false;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      failed = n < 0;
      break;
    }
    contents->append(buffer, static_cast<size_t>(n));
  }
  close(fd);
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

bool WriteAllBytes(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

const char kCannotSaveMessage[] =
    "The file cannot be opened.\nThe datas cannot be saved.";

namespace {

// The stem of the temporary names beside `path`. The file name part is
// shortened so that a temporary name is no longer than a file system
// allows (255 bytes) even when the target's own name is that long.
std::string TemporaryStemFor(const std::string& path) {
  const size_t kMaxStem = 200;
  size_t nameStart = path.find_last_of("/\\");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  return path.substr(0, std::min(path.size(), nameStart + kMaxStem)) + ".tmp";
}

// Creates a file beside `path` that no other file used: names are tried
// until one is created anew. Sets `temp` to its name; -1 on failure.
int CreateTemporaryFile(const std::string& path, std::string* temp) {
  const std::string stem = TemporaryStemFor(path);
  // Files are written from several threads at once.
  static std::atomic<unsigned> counter{0};
  for (;;) {
    *temp = stem + std::to_string(++counter);
    const int fd =
        open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST)
      return fd;
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

// Writers between creating a temporary file and recording it. A signal
// handler that runs meanwhile waits for them, or the file would be left
// behind; the writers hold signals back in their own thread for that time,
// so that the handler never waits for the thread it interrupted.
std::atomic<int> g_creatingTemporaryFiles{0};
static_assert(std::atomic<int>::is_always_lock_free,
              "the signal handler reads the count");

// Creates the temporary file for `path` and records it for the handler.
int CreateAndRecordTemporaryFile(const std::string& path, std::string* temp,
                                 int* slot) {
  sigset_t all, before;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &before);
  g_creatingTemporaryFiles.fetch_add(1);
  const int fd = CreateTemporaryFile(path, temp);
  if (fd >= 0)
    *slot = SetPendingTemporaryFile(*temp);
  g_creatingTemporaryFiles.fetch_sub(1);
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  return fd;
}

void ClearPendingTemporaryFile(int* slot) {
  if (*slot >= 0)
    g_pending[*slot].state.store(kFree);
  *slot = -1;
}

// What Commit gives the new file: the permissions of the file it replaces,
// when there is one.
const int kNoFileToKeep = -1;
const int kLookAtCommit = -2;

// The file a save of `path` replaces: saving through a symbolic link
// replaces the file it points to, and the link itself stays. Empty when
// `path` is empty, a folder or a link to one. `mode` gets the permissions
// to keep, known at once unless the path is a link.
std::string SaveTarget(const std::string& path, int* mode) {
  *mode = kNoFileToKeep;
  struct stat info;
  if (lstat(path.c_str(), &info) != 0)
    return path;
  if (S_ISDIR(info.st_mode))
    return std::string();
  if (!S_ISLNK(info.st_mode)) {
    *mode = static_cast<int>(info.st_mode & 07777);
    return path;
  }
  *mode = kLookAtCommit;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return std::string();
  auto target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

}  // namespace

void RemovePendingTemporaryFile() {
  while (g_creatingTemporaryFiles.load() != 0) {
  }
  for (PendingSlot& slot : g_pending) {
    int expected = kReady;
    if (slot.state.compare_exchange_strong(expected, kFilling))
      unlink(slot.name);
  }
}

SafeFileWriter::~SafeFileWriter() {
  std::string ignored;
  if (fd_ >= 0)
    Fail(&ignored);
}

bool SafeFileWriter::Fail(std::string* err) {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
    unlink(temp_.c_str());
    ClearPendingTemporaryFile(&pendingSlot_);
  }
  *err = kCannotSaveMessage;
  return false;
}

bool SafeFileWriter::Open(const std::string& path, std::string* err) {
  path_ = SaveTarget(path, &keptMode_);
  if (path_.empty())
    return Fail(err);
  fd_ = CreateAndRecordTemporaryFile(path_, &temp_, &pendingSlot_);
  return fd_ >= 0 || Fail(err);
}

bool SafeFileWriter::Write(const TextList& lines, std::string* err) {
  if (fd_ < 0)
    return Fail(err);
  // One call per block of lines instead of two per line: a large page
  // has millions of lines.
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
  if (fd_ < 0)
    return Fail(err);
  return WriteAllBytes(fd_, bytes) || Fail(err);
}

bool SafeFileWriter::WriteBlock() {
  const bool ok = WriteAllBytes(fd_, block_);
  block_.clear();
  return ok;
}

bool SafeFileWriter::Commit(std::string* err) {
  if (fd_ < 0)
    return Fail(err);
  // The file being replaced keeps its permissions.
  int mode = keptMode_;
  if (mode == kLookAtCommit) {
    struct stat target;
    mode = stat(path_.c_str(), &target) == 0
               ? static_cast<int>(target.st_mode & 07777)
               : kNoFileToKeep;
  }
  if (mode >= 0)
    (void)fchmod(fd_, static_cast<mode_t>(mode));
  bool ok = close(fd_) == 0;
  fd_ = -1;
  ok = ok && rename(temp_.c_str(), path_.c_str()) == 0;
  if (!ok) {
    unlink(temp_.c_str());
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

