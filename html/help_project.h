// The help project beside the pages of a help book: the project file, the
// contents and the index, as the help compilers read them.
#ifndef VARNEL_HTML_HELP_PROJECT_H_
#define VARNEL_HTML_HELP_PROJECT_H_

#include <string>
#include <vector>

#include "html/help_index.h"
#include "html/help_pages.h"
#include "model/text.h"

// The name of the stylesheet the pages link.
extern const char kHelpStylesheetFile[];

struct HelpProjectFiles {
  std::string stem;  // STEM.hhp, STEM.hhc, STEM.hhk and STEM.chm
  bool index = true;       // the book has an index file
  bool stylesheet = false; // the stylesheet belongs to the book
};

// STEM.hhp: the options (the module page is the default topic, the module
// name the title) and every page as a file of the book.
TextList HelpProjectLines(const HelpProjectFiles& files,
                          const std::string& title,
                          const std::vector<HelpPage>& pages);

// STEM.hhc: one entry per page, nested as the page nests its sections.
TextList HelpContentsLines(const std::vector<HelpPage>& pages);

// STEM.hhk: one entry per keyword with every place it leads to. An empty
// index makes help compilers fail: leave it out of the project instead.
TextList HelpIndexLines(const HelpIndex& index,
                        const std::vector<HelpPage>& pages);

#endif  // VARNEL_HTML_HELP_PROJECT_H_
