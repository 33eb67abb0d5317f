// The index page of a library run: one line per module with its counts and
// the coverage of its descriptions, linking its page.
#ifndef VARNEL_HTML_INDEX_PAGE_H_
#define VARNEL_HTML_INDEX_PAGE_H_

#include <string>
#include <vector>

#include "model/text.h"

struct IndexEntry {
  std::string module;  // the module name
  std::string link;    // the page, relative to the index page, "/" between
  int classes = 0;
  int functions = 0;
  int variables = 0;
  int described = 0;  // descriptions written
  int total = 0;      // descriptions the page shows
};

// The page's lines, in the order of `entries`; with `stylesheet` it links
// Varnel.css.
void BuildIndexPage(const std::vector<IndexEntry>& entries, bool stylesheet,
                    TextList* lines);

#endif  // VARNEL_HTML_INDEX_PAGE_H_
