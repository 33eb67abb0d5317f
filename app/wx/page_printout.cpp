#include "app/wx/page_printout.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include "app/document.h"
#include "app/view_logic.h"
#include "app/wx/wx_text.h"

CPagePrintout::CPagePrintout(CViewVarnel* view)
    : wxPrintout("Varnel"), m_pView(view) {}

void CPagePrintout::Measure(int* drawHeight, int* textHeight) {
  MapScreenSizeToPage();
  wxDC* dc = GetDC();
  dc->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
  wxCoord width = 0, height = 0;
  dc->GetTextExtent(FromLatin1("\xC4y"), &width, &height);
  *textHeight = height;
  *drawHeight = GetLogicalPageRect().GetHeight();
}

void CPagePrintout::OnPreparePrinting() {
  int drawHeight = 0, textHeight = 0;
  Measure(&drawHeight, &textHeight);
  PrintLayout layout = m_pView->OnBeginPrinting(drawHeight, textHeight);
  m_bContinue = layout.bContinue;
  m_pages = CountPages(*m_pView, layout, drawHeight, textHeight);
}

void CPagePrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom,
                                int* pageTo) {
  // The preview shows just the pages that print.
  int last = IsPreview() ? m_pages.nPrinted : m_pages.nOffered;
  *minPage = 1;
  *maxPage = last;
  *pageFrom = 1;
  *pageTo = last;
}

bool CPagePrintout::HasPage(int page) {
  return m_bContinue && page >= 1 && page <= m_pages.nPrinted;
}

bool CPagePrintout::OnBeginDocument(int startPage, int endPage) {
  return m_bContinue && wxPrintout::OnBeginDocument(startPage, endPage);
}

bool CPagePrintout::OnPrintPage(int page) {
  CDocVarnel* doc = m_pView->GetDocument();
  if (!doc)
    return false;
  int drawHeight = 0, textHeight = 0;
  Measure(&drawHeight, &textHeight);
  PrintPage lines = m_pView->OnPrintPage(page, drawHeight, textHeight);
  wxDC* dc = GetDC();
  dc->SetTextForeground(*wxBLACK);
  wxRect area = GetLogicalPageRect();
  const TextList& text = doc->GetLines();
  for (int i = lines.nFirst; i < lines.nEnd; ++i) {
    int k = i - lines.nFirst;
    dc->DrawText(FromLatin1(text[i]), area.x + CViewVarnel::LineLeft(),
                 area.y + CViewVarnel::LineTop(k, textHeight));
  }
  return true;
}
