#include "model/line_out.h"

namespace {

// The pieces of a list are as small as the blocks of bytes: a few thousand
// lines, a few hundred kilobytes.
const size_t kPieceLines = 4096;

}  // namespace

LineOut::LineOut(TextList* lines, const LineSink* flush)
    : lines_(lines), flush_(flush) {}

LineOut::LineOut(const ByteSink& sink) : sink_(&sink) {
  bytes_.reserve(kBlockBytes + kBlockBytes / 4);
}

void LineOut::Lines(const TextList& block) {
  if (!sink_) {
    lines_->insert(lines_->end(), block.begin(), block.end());
    return;
  }
  for (const std::string& line : block)
    Line(line);
}

bool LineOut::HandOn() {
  if (!failed_ && !(*sink_)(bytes_.view()))
    failed_ = true;
  bytes_.clear();
  return !failed_;
}

bool LineOut::FlushIfLong() {
  if (!sink_)
    return flush_ == nullptr || lines_->size() < kPieceLines ||
           (*flush_)(lines_);
  return !failed_ && (bytes_.size() < kBlockBytes || HandOn());
}

bool LineOut::Flush() {
  if (!sink_)
    return flush_ == nullptr || (*flush_)(lines_);
  return FlushIfLong();
}

bool LineOut::Finish() {
  if (!sink_)
    return Flush();
  return bytes_.empty() ? !failed_ : HandOn();
}
