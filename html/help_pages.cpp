// Cuts the page as it is built. The objects are recognised as whole list
// elements: a description is one element however many lines it holds, so
// no text from the header or an XML file can pose as an object the writer
// did not write.
#include "html/help_pages.h"

#include "html/html_escape.h"
#include "html/html_lines.h"
#include "html/html_writer.h"

namespace {

const char kKeywordParam[] = "<param name=\"Keyword\" value=\"";
const char kFileParam[] = "<param name=\"New HTML file\"";
const char kAnchorStart[] = "<a id=\"";
// The longest object the writers give (three keywords) fits in it.
const size_t kLookahead = 8;

// The options of the module while the book's page is built.
class BookOptions {
 public:
  explicit BookOptions(CModuleInfo* module)
      : module_(module), saved_(module->GetOptions()) {
    module->m_bSplitFiles = true;
    module->m_bHelpKeywords = true;
  }
  ~BookOptions() { module_->SetOptions(saved_); }

 private:
  CModuleInfo* module_;
  CModuleInfo::Options saved_;
};

class PageCutter {
 public:
  PageCutter(const CModuleInfo& module, const std::vector<HelpPage>& pages,
             const HelpPageSink& sink, HelpIndex* index, std::string* err);

  // The LineSink of the page build.
  bool Take(TextList* piece);
  // After the last piece: hands out the last page.
  bool Finish();

 private:
  bool Scan(bool final);
  bool StripHead();
  size_t MatchKeywordObject(size_t i);
  bool IsSplitObjectAt(size_t i) const;
  void TakeAnchor(const std::string& line);
  bool Cut(size_t at);
  bool Fail(const std::string& message);

  const CModuleInfo& module_;
  const std::vector<HelpPage>& pages_;
  const HelpPageSink& sink_;
  HelpIndex* index_;
  std::string* err_;
  std::string objectLine_;
  TextList nextSplit_;  // the object that starts the next planned page
  TextList pending_;    // lines not yet handed out, the page's from start_
  size_t start_ = 0;
  size_t scan_ = 0;     // the first line not yet looked at
  size_t page_ = 0;     // the page the lines from start_ belong to
  bool headDone_ = false;
  TextList keywords_;   // of the page, waiting for the anchor they lead to
};

PageCutter::PageCutter(const CModuleInfo& module,
                       const std::vector<HelpPage>& pages,
                       const HelpPageSink& sink, HelpIndex* index,
                       std::string* err)
    : module_(module), pages_(pages), sink_(sink), index_(index), err_(err) {
  TextList object;
  WriteKeywordObject(&object, module, {""});
  objectLine_ = object.front();
  if (pages_.size() > 1)
    WriteSplitFileObject(&nextSplit_, module, pages_[1].file, pages_[1].title);
}

bool PageCutter::Fail(const std::string& message) {
  *err_ = "The page cannot be cut into the pages of the help book: " +
          message;
  return false;
}

bool PageCutter::Take(TextList* piece) {
  AppendPiece(&pending_, piece);
  if (!headDone_ && !StripHead())
    return false;
  if (!Scan(false))
    return false;
  // Lines handed out go; what is left is at most a few blocks.
  pending_.erase(pending_.begin(), pending_.begin() + start_);
  scan_ -= start_;
  start_ = 0;
  return true;
}

bool PageCutter::StripHead() {
  TextList head;
  WriteHtmlHead(&head, module_);
  if (pending_.size() < head.size())
    return true;
  for (size_t i = 0; i < head.size(); ++i)
    if (pending_[i] != head[i])
      return Fail("it does not begin with its head.");
  start_ = scan_ = head.size();
  headDone_ = true;
  return true;
}

bool PageCutter::Scan(bool final) {
  while (headDone_ && scan_ < pending_.size() &&
         (final || scan_ + kLookahead <= pending_.size())) {
    size_t i = scan_;
    if (IsSplitObjectAt(i)) {
      if (!Cut(i > start_ && pending_[i - 1] == "<p>" ? i - 1 : i))
        return false;
      scan_ = i + nextSplit_.size();
      ++page_;
      nextSplit_.clear();
      if (page_ + 1 < pages_.size())
        WriteSplitFileObject(&nextSplit_, module_, pages_[page_ + 1].file,
                             pages_[page_ + 1].title);
      continue;
    }
    if (pending_[i] == objectLine_ && i + 1 < pending_.size() &&
        pending_[i + 1].starts_with(kFileParam))
      return Fail("the split-file object of \"" + pending_[i + 1] +
                  "\" is not that of the next page planned.");
    if (size_t length = MatchKeywordObject(i)) {
      scan_ += length;
      continue;
    }
    if (pending_[i].starts_with(kAnchorStart))
      TakeAnchor(pending_[i]);
    ++scan_;
  }
  return true;
}

bool PageCutter::IsSplitObjectAt(size_t i) const {
  if (nextSplit_.empty() || i + nextSplit_.size() > pending_.size())
    return false;
  for (size_t k = 0; k < nextSplit_.size(); ++k)
    if (pending_[i + k] != nextSplit_[k])
      return false;
  return true;
}

// The length of the keyword object at `i`, whose keywords then wait for
// the anchor; 0 if there is none.
size_t PageCutter::MatchKeywordObject(size_t i) {
  if (pending_[i] != objectLine_)
    return 0;
  size_t end = i + 1;
  while (end < pending_.size() && pending_[end].starts_with(kKeywordParam) &&
         pending_[end].ends_with("\">"))
    ++end;
  if (end == i + 1 || end >= pending_.size() || pending_[end] != "</object>")
    return 0;
  const size_t prefix = sizeof kKeywordParam - 1;
  for (size_t k = i + 1; k < end; ++k) {
    std::string_view line = pending_[k];
    keywords_.push_back(
        HtmlUnescaped(line.substr(prefix, line.size() - prefix - 2)));
  }
  return end + 1 - i;
}

void PageCutter::TakeAnchor(const std::string& line) {
  const size_t prefix = sizeof kAnchorStart - 1;
  size_t quote = line.find('"', prefix);
  if (quote == std::string::npos || keywords_.empty())
    return;
  std::string anchor = line.substr(prefix, quote - prefix);
  if (line != HtmlAnchorLine(anchor))
    return;
  for (std::string& keyword : keywords_)
    index_->Add(std::move(keyword), {page_, anchor});
  keywords_.clear();
}

// Hands out the lines from start_ up to `at` as the current page.
bool PageCutter::Cut(size_t at) {
  const HelpPage& page = pages_[page_];
  for (std::string& keyword : keywords_)
    index_->Add(std::move(keyword), {page_, std::string()});
  keywords_.clear();
  TextList lines;
  lines.reserve(at - start_ + 12);
  WriteHtmlHeadTitled(&lines, module_, page.title);
  lines.insert(lines.end(), std::make_move_iterator(pending_.begin() + start_),
               std::make_move_iterator(pending_.begin() + at));
  WriteHtmlEnd(&lines, module_);
  start_ = at;
  return sink_(page, &lines, err_);
}

bool PageCutter::Finish() {
  if (!headDone_)
    return Fail("it has no head.");
  if (!Scan(true))
    return false;
  if (page_ + 1 != pages_.size())
    return Fail("the page " + pages_[page_ + 1].file +
                " that the plan names has no split-file object.");
  TextList end;
  WriteHtmlEnd(&end, module_);
  if (pending_.size() < start_ + end.size())
    return Fail("it does not end as a page does.");
  for (size_t i = 0; i < end.size(); ++i)
    if (pending_[pending_.size() - end.size() + i] != end[i])
      return Fail("it does not end as a page does.");
  return Cut(pending_.size() - end.size());
}

}  // namespace

bool BuildHelpPages(CModuleInfo* module, const std::string& headerPath,
                    const std::string& htmlPath,
                    const std::vector<HelpPage>& pages,
                    const HelpPageSink& sink, HelpIndex* index,
                    std::string* err) {
  if (pages.empty()) {
    *err = "The help book has no pages.";
    return false;
  }
  BookOptions options(module);
  PageCutter cutter(*module, pages, sink, index, err);
  return BuildHtmlPageInPieces(
             module, headerPath, htmlPath,
             [&cutter](TextList* piece) { return cutter.Take(piece); }) &&
         cutter.Finish();
}
