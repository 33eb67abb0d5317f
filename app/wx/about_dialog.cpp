#include "app/wx/about_dialog.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

#include "app/wx/art.h"

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "About Varnel") {
  auto rect = [this](int x, int y, int cx, int cy) {
    return wxRect(ConvertDialogToPixels(wxPoint(x, y)),
                  ConvertDialogToPixels(wxSize(cx, cy)));
  };
  wxRect icon = rect(11, 17, 20, 20);
  int iconSize = std::min(icon.width, icon.height);
  new wxStaticBitmap(this, wxID_ANY, ProgramBitmap(iconSize),
                     icon.GetPosition(), wxSize(iconSize, iconSize));
  wxRect version = rect(40, 10, 119, 8);
  new wxStaticText(this, wxID_ANY, "Varnel Version 1.0",
                   version.GetPosition(), version.GetSize(),
                   wxST_NO_AUTORESIZE);
  wxRect purpose = rect(40, 25, 119, 8);
  new wxStaticText(this, wxID_ANY, "Documents C++ header files",
                   purpose.GetPosition(), purpose.GetSize(),
                   wxST_NO_AUTORESIZE);
  wxRect ok = rect(178, 7, 50, 14);
  wxButton* button =
      new wxButton(this, wxID_OK, "OK", ok.GetPosition(), ok.GetSize());
  button->SetDefault();
  button->SetFocus();
  SetClientSize(ConvertDialogToPixels(wxSize(235, 55)));
  CentreOnParent();
}
