// Each preparation step of the line list looks at one line, or at one
// line and the line after it, from the first line to the last. So the
// steps can run as a chain of stages that each hold at most one pending
// line: a stage hands a line on once the next one shows it is complete.
// The stages reuse their buffers, so the header costs no string per line.

#include "parser/prepared_text.h"

#include "model/file_io.h"
#include "parser/line_prep.h"

namespace {

// The end of the chain: the include operands are collected, preprocessor
// lines dropped, every other line joined for the normaliser.
class IncludeStage {
 public:
  IncludeStage(std::string* text, TextList* includes)
      : text_(*text), includes_(*includes) {}

  void Take(std::string& line) {
    if (TakeIncludeOrDirective(&line, &includes_))
      return;
    text_ += line;
    text_ += ' ';
  }

 private:
  std::string& text_;
  TextList& includes_;
};

// Joins a line into the line after it while `Joins` accepts the pair,
// dropping the last character of the first and `kDropFirst` of the second;
// the joined line is looked at again with the next one. Lines are trimmed
// and dropped when empty as they leave, as the compaction after the list
// step does.
template <typename Next, typename Joins, size_t kDropFirst>
class JoinStage {
 public:
  explicit JoinStage(Next* next) : next_(*next) {}

  void Take(std::string& line) {
    if (pending_ && Joins()(held_, line)) {
      held_.pop_back();
      held_.append(line, kDropFirst, std::string::npos);
      return;
    }
    HandOn();
    held_.swap(line);
    pending_ = true;
  }

  void Finish() { HandOn(); }

 private:
  void HandOn() {
    if (!pending_)
      return;
    pending_ = false;
    if (!held_.empty() &&
        (IsWhite(held_.front()) || IsWhite(held_.back())))
      Trim(&held_);
    if (!held_.empty())
      next_.Take(held_);
  }

  Next& next_;
  std::string held_;
  bool pending_ = false;
};

struct EndsAndStartsInQuotes {
  bool operator()(const std::string& a, const std::string& b) const {
    return !a.empty() && a.back() == '"' && b.front() == '"';
  }
};

struct EndsInBackslash {
  bool operator()(const std::string& a, const std::string&) const {
    return !a.empty() && a.back() == '\\';
  }
};

using ContinuationStage = JoinStage<IncludeStage, EndsInBackslash, 0>;
using LiteralStage = JoinStage<ContinuationStage, EndsAndStartsInQuotes, 1>;

// Comments removed; a block comment carries over to the lines after it.
class CommentStage {
 public:
  explicit CommentStage(LiteralStage* next) : next_(*next) {}

  bool InBlockComment() const { return inComment_; }

  void Take(std::string& line) {
    if (!inComment_ && !MayHoldCommentOrLiteral(line)) {
      next_.Take(line);
      return;
    }
    StripLineCommentsInto(line, &inComment_, &stripped_);
    Trim(&stripped_);
    if (!stripped_.empty())
      next_.Take(stripped_);
  }

 private:
  LiteralStage& next_;
  bool inComment_ = false;
  std::string stripped_;
};

// Whether the comment stage would strip the raw line to nothing whatever
// its spacing: a line comment from its first byte on, or a line inside a
// block comment that does not end there. Spacing never makes or breaks
// "//" or "*/", so the raw line answers for the normalised one. Such lines
// are most of a documented header.
bool IsCommentOnly(std::string_view raw, bool inBlockComment) {
  if (inBlockComment)
    return raw.find("*/") == std::string_view::npos;
  size_t i = 0;
  while (i < raw.size() && IsWhite(raw[i]))
    ++i;
  return raw.substr(i, 2) == "//";
}

}  // namespace

bool PrepareHeaderText(const std::string& header, std::string* text,
                       TextList* includes) {
  includes->clear();
  IncludeStage includeStage(text, includes);
  ContinuationStage continuationStage(&includeStage);
  LiteralStage literalStage(&continuationStage);
  CommentStage commentStage(&literalStage);
  bool anyLine = false;
  std::string line;
  ForEachLine(header, [&](std::string_view raw) {
    if (IsCommentOnly(raw, commentStage.InBlockComment())) {
      // Inside a block comment a line was seen already.
      anyLine = true;
      return;
    }
    line.assign(raw);
    NormalizeSpacing(&line);
    if (line.empty())
      return;
    anyLine = true;
    commentStage.Take(line);
  });
  literalStage.Finish();
  continuationStage.Finish();
  return anyLine;
}
