#include "app/wx/page_count.h"

#include "app/view_logic.h"

PageCount CountPages(const CViewVarnel& view, const PrintLayout& layout,
                     int drawHeight, int textHeight) {
  PageCount count;
  count.nOffered = layout.nLastPage;
  count.nPrinted = layout.nLastPage;
  if (count.nPrinted > 1 &&
      !view.OnPrintPage(count.nPrinted - 1, drawHeight, textHeight).bContinue)
    --count.nPrinted;
  return count;
}
