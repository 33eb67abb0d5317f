// How many pages the output has, as printing and the preview count them.
#ifndef VARNEL_APP_WX_PAGE_COUNT_H_
#define VARNEL_APP_WX_PAGE_COUNT_H_

class CViewVarnel;
struct PrintLayout;

struct PageCount {
  int nOffered = 1;  // the last page number offered to the print dialog
  int nPrinted = 1;  // the page that ends printing
};

// The offered count follows the layout; it holds an empty page too many
// when the lines fill the last page exactly, which printing never reaches
// because the page before already reports itself as the last.
PageCount CountPages(const CViewVarnel& view, const PrintLayout& layout,
                     int drawHeight, int textHeight);

#endif  // VARNEL_APP_WX_PAGE_COUNT_H_
