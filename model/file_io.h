// Reading and writing whole text files as bytes.
#ifndef VARNEL_MODEL_FILE_IO_H_
#define VARNEL_MODEL_FILE_IO_H_

#include <functional>
#include <string>

#include "model/line_out.h"
#include "model/line_sink.h"
#include "model/text.h"

enum class ReadStatus { kOk, kCannotOpen, kReadError };

// Reads the whole file. A folder, a missing file or an unreadable one
// gives kCannotOpen; a failure while reading gives kReadError.
ReadStatus ReadWholeFile(const std::string& path, std::string* contents);

// Splits a text into lines at LF; a CR right before the LF is not part of
// the line. A final line without LF is a line; a text ending in LF has no
// empty line after it. Calls `sink` for every line.
template <typename Sink>
void ForEachLine(const std::string& text, Sink sink) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos)
      end = text.size();
    size_t len = end - start;
    if (len > 0 && text[end - 1] == '\r' && end < text.size())
      --len;
    sink(std::string_view(text).substr(start, len));
    start = next;
  }
}

// Text-mode reading: every CR LF pair becomes one LF. Works in place on
// a text handed over with std::move.
std::string CrLfToLf(std::string text);

// The message for any failure to save.
extern const char kCannotSaveMessage[];

// Writes a file that replaces its target only once it is complete: the
// lines go to a temporary file in the target's folder, which Commit renames
// onto the target when every write and the close succeeded. Anything else
// (a failed write, Commit not reached) removes the temporary file and
// leaves an existing target untouched. Failures give kCannotSaveMessage.
class SafeFileWriter {
 public:
  SafeFileWriter() = default;
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;
  ~SafeFileWriter();

  bool Open(const std::string& path, std::string* err);
  // Every line followed by CR LF, bytes unchanged.
  bool Write(const TextList& lines, std::string* err);
  // The bytes as they are, in one write: hand large blocks.
  bool WriteBytes(std::string_view bytes, std::string* err);
  bool Commit(std::string* err);

 private:
  bool Fail(std::string* err);
  bool WriteBlock();

  std::string path_;
  std::string temp_;
  int fd_ = -1;
  std::string block_;
  int pendingSlot_ = -1;  // where a signal handler finds the temporary file
  int keptMode_ = -1;     // the replaced file's permissions, or none
};

// Writes all of `bytes` to the open file `fd`, as many calls as it takes;
// false when a write fails.
bool WriteAllBytes(int fd, std::string_view bytes);

// Saves the blocks of bytes `build` hands to its sink (see LineOut) as
// SaveLines saves a whole list; the output is never held whole.
bool SaveBytePieces(const std::string& path,
                    const std::function<bool(const ByteSink&)>& build,
                    std::string* err);

// Removes the temporary files of the SafeFileWriters being written, if
// any, first waiting for a file that another thread is creating to be
// recorded. Safe to call from a signal handler, so that a program stopped
// by a signal leaves no half-written file behind.
void RemovePendingTemporaryFile();

// Writes every line followed by CR LF, bytes unchanged. The lines go to a
// temporary file in the target's folder, which replaces the target only
// when every write and the close succeeded; on failure the temporary file
// is removed, an existing target is left untouched and `err` gets
// kCannotSaveMessage.
bool SaveLines(const std::string& path, const TextList& lines,
               std::string* err);

#endif  // VARNEL_MODEL_FILE_IO_H_
