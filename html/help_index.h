// The keywords of a help book's index, each with the places it leads to.
#ifndef VARNEL_HTML_HELP_INDEX_H_
#define VARNEL_HTML_HELP_INDEX_H_

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// Help compilers reject longer keywords.
extern const size_t kMaxKeywordBytes;

class HelpIndex {
 public:
  struct Target {
    size_t page;         // position in the book's list of pages
    std::string anchor;  // empty for the top of the page
    bool operator==(const Target&) const = default;
  };
  struct Entry {
    std::string keyword;
    std::vector<Target> targets;  // in the order they were added
  };

  // Adds a place for `keyword`, cut to kMaxKeywordBytes; keywords that are
  // the same after the cut share an entry. An empty keyword leads nowhere
  // and is left out, and so is a place the keyword already has.
  void Add(std::string keyword, Target target);

  bool empty() const { return entries_.empty(); }

  // The entries sorted by keyword, ignoring ASCII case first, as index
  // readers show them.
  std::vector<const Entry*> Sorted() const;

 private:
  std::unordered_map<std::string, size_t> byKeyword_;
  std::vector<Entry> entries_;
};

#endif  // VARNEL_HTML_HELP_INDEX_H_
