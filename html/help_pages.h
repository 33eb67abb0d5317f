// The help book: the page cut into the pages its split-file objects name,
// each framed as a page of its own, so that a help compiler or a browser
// can read them without the one page.
#ifndef VARNEL_HTML_HELP_PAGES_H_
#define VARNEL_HTML_HELP_PAGES_H_

#include <functional>
#include <string>
#include <vector>

#include "html/help_index.h"
#include "model/module_info.h"
#include "model/text.h"

enum class HelpPageKind {
  kModule,
  kGlobalVars,
  kGlobalFuncs,
  kGlobalFunc,
  kClass,
  kClassVars,
  kClassFuncs,
  kMethod,
};

// One page of the book.
struct HelpPage {
  HelpPageKind kind = HelpPageKind::kModule;
  std::string file;    // its file name, as the naming made it
  std::string title;   // the title its head carries
  std::string anchor;  // the anchor at its top
  std::string label;   // its entry in the contents
  int level = 0;       // depth in the contents; the module page is 0
  std::string entry;   // what it documents, as messages name it
};

// The pages in the order of the page: the module page, which takes the
// module section, then one page per split-file object. Reads the names
// the naming stored in the model.
std::vector<HelpPage> PlanHelpPages(const CModuleInfo& module);

// Runs the naming for pages beside `htmlPath` (only its file name
// matters), plans the pages and checks their file names. False with a
// message naming the entry when a name is unsafe or two pages would share
// a file.
bool PlanHelpBook(CModuleInfo* module, const std::string& headerPath,
                  const std::string& htmlPath, std::vector<HelpPage>* pages,
                  std::string* err);

// Receives one whole page: head, body and end. It may take the lines.
// False stops the cut; the sink then says why in `err`.
typedef std::function<bool(const HelpPage& page, TextList* lines,
                           std::string* err)>
    HelpPageSink;

// Builds the page for `htmlPath` with split-file and keyword objects on
// (the module's own options are back as they were afterwards), cuts it
// into the planned `pages` and hands them to `sink` one by one, so that
// no more than a few pages are held at a time. Every keyword object goes
// into `index` with the page and anchor it stands at. The bodies of the
// pages, one after the other, are the body of the page: a paragraph
// opened right before a split-file object goes with the page it opens.
bool BuildHelpPages(CModuleInfo* module, const std::string& headerPath,
                    const std::string& htmlPath,
                    const std::vector<HelpPage>& pages,
                    const HelpPageSink& sink, HelpIndex* index,
                    std::string* err);

#endif  // VARNEL_HTML_HELP_PAGES_H_
