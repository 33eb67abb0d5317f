// Where a writer puts the lines it builds: a line list (the whole output in
// memory, or pieces of it handed to a LineSink), or the bytes of a file
// (each line followed by CR LF) handed to a ByteSink in large blocks.
//
// A writer builds each line from its parts with Line(...). In the byte form
// the parts go straight into the block being filled, so a page of millions
// of lines costs no heap string per line and no second copy on the way to
// the file. Both forms give the same bytes.
#ifndef VARNEL_MODEL_LINE_OUT_H_
#define VARNEL_MODEL_LINE_OUT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/line_buffer.h"
#include "model/line_sink.h"
#include "model/text.h"

// Takes a block of bytes, which stay valid only during the call; false
// when the write failed, which stops the build.
typedef std::function<bool(std::string_view bytes)> ByteSink;

// A part of a line that is appended as it is.
inline void AppendLinePart(LineBuffer* line, std::string_view part) {
  line->append(part);
}
inline void AppendLinePart(LineBuffer* line, char part) {
  line->push_back(part);
}

// The number of bytes a writer of the byte form gives, counted as they
// are handed on and not kept: `write` takes the ByteSink to write into.
template <typename Write>
uint64_t CountedBytes(const Write& write) {
  uint64_t bytes = 0;
  write([&](std::string_view block) {
    bytes += block.size();
    return true;
  });
  return bytes;
}

class LineOut {
 public:
  // Lines appended to `lines`; with `flush` they are handed to it at
  // FlushIfLong (once there are thousands) and at Flush.
  explicit LineOut(TextList* lines, const LineSink* flush = nullptr);
  // Bytes handed to `sink` in blocks of about kBlockBytes as they fill, and
  // the rest at Finish.
  explicit LineOut(const ByteSink& sink);
  LineOut(const LineOut&) = delete;
  LineOut& operator=(const LineOut&) = delete;

  // One line made of `parts`; a part is anything AppendLinePart takes
  // (a text, a character, or an escaping wrapper of the writers).
  template <typename... Parts>
  void Line(const Parts&... parts) {
    LineBuffer* line = Begin();
    (AppendLinePart(line, parts), ...);
    End();
  }

  // Each line of `block` in turn.
  void Lines(const TextList& block);

  // A point where a long list may be handed on.
  bool FlushIfLong();
  // The end of a block: the lines built so far are handed on (a list
  // output), or the bytes are once they fill a block.
  bool Flush();
  // Hands on whatever is left. The output is complete afterwards.
  bool Finish();

  // Large enough that a write call costs nothing next to filling the
  // block, small enough that the block stays in the processor's cache.
  static constexpr size_t kBlockBytes = 256 * 1024;

 private:
  // Inline: called for every line of pages of millions of lines.
  LineBuffer* Begin() {
    if (sink_)
      return &bytes_;
    line_.clear();
    return &line_;
  }
  void End() {
    if (!sink_) {
      lines_->emplace_back(line_.view());
      return;
    }
    bytes_.append("\r\n", 2);
    // A block of the writers can be tens of megabytes (a function declared
    // a hundred thousand times), and held whole it would be: the bytes go
    // on as soon as they fill a block. A failure is told at the next
    // FlushIfLong, Flush or Finish.
    if (bytes_.size() >= kBlockBytes)
      HandOn();
  }
  bool HandOn();

  TextList* lines_ = nullptr;
  const LineSink* flush_ = nullptr;
  const ByteSink* sink_ = nullptr;
  LineBuffer bytes_;
  LineBuffer line_;
  bool failed_ = false;
};

#endif  // VARNEL_MODEL_LINE_OUT_H_
