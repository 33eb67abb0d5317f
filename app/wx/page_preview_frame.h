// View, Page Preview: the HTML page rendered as a reader sees it, in the
// toolkit's own HTML window. Links move within the one page; links to
// other sites are named in the status bar and not followed.
#ifndef VARNEL_APP_WX_PAGE_PREVIEW_FRAME_H_
#define VARNEL_APP_WX_PAGE_PREVIEW_FRAME_H_

#include <wx/frame.h>

#include <string>

class CPagePreviewWindow;

class CPagePreviewFrame : public wxFrame {
 public:
  CPagePreviewFrame(wxWindow* parent, const wxPoint& position,
                    const wxSize& size);

  // Shows `page` (ISO-8859-1 bytes) from its top.
  void ShowPage(const std::string& page);

 private:
  CPagePreviewWindow* m_pHtml;
};

#endif  // VARNEL_APP_WX_PAGE_PREVIEW_FRAME_H_
