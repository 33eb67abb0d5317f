#include "app/wx/lines_dialog.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/wx/wx_text.h"

void ShowLinesDialog(wxWindow* parent, const std::string& title,
                     const std::vector<std::string>& lines) {
  wxDialog dialog(parent, wxID_ANY, FromLatin1(title), wxDefaultPosition,
                  wxSize(760, 420), wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  wxString text;
  for (const std::string& line : lines)
    text += FromLatin1(line) + "\n";
  // Read-only but selectable, so that a line can be copied into an editor.
  wxTextCtrl* list = new wxTextCtrl(
      &dialog, wxID_ANY, text, wxDefaultPosition, wxDefaultSize,
      wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL);
  list->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_TELETYPE)));
  wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(list, 1, wxEXPAND | wxALL, 8);
  sizer->Add(new wxButton(&dialog, wxID_CANCEL, "Close"), 0,
             wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  dialog.SetSizer(sizer);
  dialog.SetEscapeId(wxID_CANCEL);
  dialog.ShowModal();
}
