// The view's output as plain-text pages, for the print preview and the
// printer. Which lines go on which page is the view logic's business; this
// only measures the device and draws.
#ifndef VARNEL_APP_WX_PAGE_PRINTOUT_H_
#define VARNEL_APP_WX_PAGE_PRINTOUT_H_

#include <wx/print.h>

#include "app/wx/page_count.h"

class CViewVarnel;

class CPagePrintout : public wxPrintout {
 public:
  explicit CPagePrintout(CViewVarnel* view);

  void OnPreparePrinting() override;
  void GetPageInfo(int* minPage, int* maxPage, int* pageFrom,
                   int* pageTo) override;
  bool HasPage(int page) override;
  bool OnBeginDocument(int startPage, int endPage) override;
  bool OnPrintPage(int page) override;

 private:
  // Maps the device so that fonts and distances look the same on paper and
  // in the preview, and measures the drawing height and the text height.
  void Measure(int* drawHeight, int* textHeight);

  CViewVarnel* m_pView;
  bool m_bContinue = false;
  PageCount m_pages;
};

#endif  // VARNEL_APP_WX_PAGE_PRINTOUT_H_
