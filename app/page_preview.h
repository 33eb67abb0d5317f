// The rendered preview of the HTML page: the page text it shows, and where
// a link clicked in it leads. The preview holds one page, so every link
// into a page of the output, split into files or not, stays in that page.
#ifndef VARNEL_APP_PAGE_PREVIEW_H_
#define VARNEL_APP_PAGE_PREVIEW_H_

#include <string>

struct PreviewTarget {
  enum Kind {
    kAnchor,    // scroll to `anchor`
    kTop,       // the start of a page: the top of the preview
    kExternal,  // another site or program: not followed in the preview
    kNone,      // an empty link
  };
  Kind kind = kNone;
  std::string anchor;
};

// "#a" and "Page.htm#a" lead to the anchor "a", "Page.htm" to the top;
// a link with a scheme such as "http:" or "mailto:" is external.
PreviewTarget ResolvePreviewLink(const std::string& href);

#endif  // VARNEL_APP_PAGE_PREVIEW_H_
