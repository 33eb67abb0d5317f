#include "app/wx/page_preview_frame.h"

#include <wx/html/htmlwin.h>
#include <wx/statusbr.h>

#include "app/page_preview.h"
#include "app/wx/wx_text.h"

namespace {

const char kTitle[] = "Page Preview";

}  // namespace

class CPagePreviewWindow : public wxHtmlWindow {
 public:
  explicit CPagePreviewWindow(wxFrame* frame)
      : wxHtmlWindow(frame), m_pFrame(frame) {}

  // The page is shown from text, not from a file, so the toolkit's own
  // handling would look for a file of the link's name.
  void OnLinkClicked(const wxHtmlLinkInfo& link) override {
    const PreviewTarget target = ResolvePreviewLink(ToLatin1(link.GetHref()));
    switch (target.kind) {
      case PreviewTarget::kAnchor:
        if (ScrollToAnchor(FromLatin1(target.anchor)))
          m_pFrame->SetStatusText("#" + FromLatin1(target.anchor), 1);
        else
          m_pFrame->SetStatusText("No anchor " + FromLatin1(target.anchor), 1);
        break;
      case PreviewTarget::kTop:
        Scroll(0, 0);
        m_pFrame->SetStatusText("Top of the page", 1);
        break;
      case PreviewTarget::kExternal:
        m_pFrame->SetStatusText("Not followed: " + link.GetHref(), 1);
        break;
      case PreviewTarget::kNone:
        break;
    }
  }

 private:
  wxFrame* m_pFrame;
};

CPagePreviewFrame::CPagePreviewFrame(wxWindow* parent, const wxPoint& position,
                                     const wxSize& size)
    : wxFrame(parent, wxID_ANY, kTitle, position, size) {
  // The link under the pointer, then where the last click led.
  wxStatusBar* status = CreateStatusBar(2);
  const int widths[] = {-1, -1};
  status->SetStatusWidths(2, widths);
  m_pHtml = new CPagePreviewWindow(this);
  m_pHtml->SetRelatedFrame(this, kTitle + wxString(": %s"));
  m_pHtml->SetRelatedStatusBar(0);
  // Escape closes it, as it closes the print preview.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE)
      Close();
    else
      event.Skip();
  });
}

void CPagePreviewFrame::ShowPage(const std::string& page) {
  m_pHtml->SetPage(FromLatin1(page));
  SetStatusText(wxString(), 1);
}
