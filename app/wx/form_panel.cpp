#include "app/wx/form_panel.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/wx/command_ids.h"
#include "app/wx/wx_platform.h"
#include "app/wx/wx_text.h"

namespace {

enum class Kind { kLabel, kEdit, kButton, kGroup, kRadio, kRadioFirst, kCheck };

// One control of the template, in dialog units. The order is the tab order.
struct ControlTemplate {
  int id;
  Kind kind;
  const char* text;
  int x, y, cx, cy;
};

constexpr int kFormWidthDlu = 320;
constexpr int kFormHeightDlu = 226;

constexpr ControlTemplate kControls[] = {
    {IDC_LABEL_HEADER, Kind::kLabel,
     "Path and name of the header file to document", 4, 4, 240, 14},
    {IDC_EDIT_HEADER, Kind::kEdit, "", 4, 18, 240, 14},
    {IDC_LOCATE_HEADER, Kind::kButton, "Locate...", 266, 18, 50, 14},
    {IDC_LABEL_HTML, Kind::kLabel, "Path and name of the HTML file to create",
     4, 36, 240, 14},
    {IDC_EDIT_HTML, Kind::kEdit, "", 4, 50, 240, 14},
    {IDC_LOCATE_HTML, Kind::kButton, "Locate...", 266, 50, 50, 14},
    {IDC_LABEL_XML, Kind::kLabel, "Path and name of the XML file to create", 4,
     66, 240, 14},
    {IDC_EDIT_XML, Kind::kEdit, "", 4, 80, 240, 14},
    {IDC_LOCATE_XML, Kind::kButton, "Locate...", 266, 80, 50, 14},
    {IDC_GROUP_ELEMENTS, Kind::kGroup, "Documenting Elements", 4, 100, 240,
     70},
    {IDC_GROUP_MEMBERS, Kind::kGroup, "Class members", 16, 112, 100, 52},
    {IDC_RADIO_MEMBERS_ALL, Kind::kRadioFirst, "all", 25, 120, 80, 12},
    {IDC_RADIO_MEMBERS_PROTECTED, Kind::kRadio, "protected and public", 25,
     134, 80, 12},
    {IDC_RADIO_MEMBERS_PUBLIC, Kind::kRadio, "only public", 25, 150, 80, 12},
    {IDC_GROUP_GLOBALS, Kind::kGroup, "Global definitions", 128, 112, 93, 52},
    {IDC_RADIO_GLOBALS_ALL, Kind::kRadioFirst, "all", 137, 125, 76, 12},
    {IDC_RADIO_GLOBALS_EXTERN, Kind::kRadio, "only external", 137, 139, 76,
     12},
    {IDC_CHECK_HELP_KEYWORDS, Kind::kCheck, "Create HTML-Help keywords", 4,
     176, 166, 14},
    {IDC_CHECK_SPLIT_FILES, Kind::kCheck, "Create spitfile commands for CHMs",
     4, 192, 166, 14},
    {IDC_CHECK_STYLESHEET, Kind::kCheck, "Use stylesheet \"Varnel.css\"", 4,
     208, 166, 14},
    {IDC_RELOAD_INI, Kind::kButton, "Reload INI-file", 240, 208, 76, 14},
};

wxWindow* CreateControl(wxWindow* parent, const ControlTemplate& t,
                        const wxPoint& pos, const wxSize& size) {
  wxString text(t.text);
  switch (t.kind) {
    case Kind::kLabel:
      return new wxStaticText(parent, t.id, text, pos, size);
    case Kind::kEdit:
      return new wxTextCtrl(parent, t.id, text, pos, size);
    case Kind::kButton:
      return new wxButton(parent, t.id, text, pos, size);
    case Kind::kGroup:
      return new wxStaticBox(parent, t.id, text, pos, size);
    case Kind::kRadioFirst:
      return new wxRadioButton(parent, t.id, text, pos, size, wxRB_GROUP);
    case Kind::kRadio:
      return new wxRadioButton(parent, t.id, text, pos, size);
    case Kind::kCheck:
      return new wxCheckBox(parent, t.id, text, pos, size);
  }
  return nullptr;
}

int SelectedIndex(wxRadioButton* const* buttons, int count) {
  for (int i = 0; i < count; ++i) {
    if (buttons[i]->GetValue())
      return i;
  }
  return -1;
}

// No selection cannot be shown: a group always has one button on.
void Select(wxRadioButton* const* buttons, int count, int index) {
  if (index >= 0 && index < count)
    buttons[index]->SetValue(true);
}

}  // namespace

CFormPanel::CFormPanel(wxWindow* parent) : wxScrolled<wxPanel>(parent) {
  CreateControls();
  m_formSize = ConvertDialogToPixels(wxSize(kFormWidthDlu, kFormHeightDlu));
  SetVirtualSize(m_formSize);
  SetScrollRate(8, 8);
  Bind(wxEVT_BUTTON, &CFormPanel::OnLocateHeader, this, IDC_LOCATE_HEADER);
  Bind(wxEVT_BUTTON, &CFormPanel::OnLocateHtml, this, IDC_LOCATE_HTML);
  Bind(wxEVT_BUTTON, &CFormPanel::OnLocateXml, this, IDC_LOCATE_XML);
  Bind(wxEVT_BUTTON, &CFormPanel::OnReloadIni, this, IDC_RELOAD_INI);
}

void CFormPanel::CreateControls() {
  for (const ControlTemplate& t : kControls) {
    wxPoint pos = ConvertDialogToPixels(wxPoint(t.x, t.y));
    wxSize size = ConvertDialogToPixels(wxSize(t.cx, t.cy));
    wxWindow* control = CreateControl(this, t, pos, size);
    // The template was measured for a smaller font: a button or box whose
    // text no longer fits grows to the right rather than cutting it.
    if (t.kind == Kind::kRadio || t.kind == Kind::kRadioFirst ||
        t.kind == Kind::kCheck) {
      int width = control->GetBestSize().x;
      if (width > size.x)
        control->SetSize(wxSize(width, size.y));
    }
  }
  auto find = [this](int id) { return FindWindow(id); };
  m_editHeaderPath = static_cast<wxTextCtrl*>(find(IDC_EDIT_HEADER));
  m_editHtmlPath = static_cast<wxTextCtrl*>(find(IDC_EDIT_HTML));
  m_editXmlPath = static_cast<wxTextCtrl*>(find(IDC_EDIT_XML));
  m_radioMembers[0] = static_cast<wxRadioButton*>(find(IDC_RADIO_MEMBERS_ALL));
  m_radioMembers[1] =
      static_cast<wxRadioButton*>(find(IDC_RADIO_MEMBERS_PROTECTED));
  m_radioMembers[2] =
      static_cast<wxRadioButton*>(find(IDC_RADIO_MEMBERS_PUBLIC));
  m_radioGlobals[0] = static_cast<wxRadioButton*>(find(IDC_RADIO_GLOBALS_ALL));
  m_radioGlobals[1] =
      static_cast<wxRadioButton*>(find(IDC_RADIO_GLOBALS_EXTERN));
  m_checkHelpKeywords = static_cast<wxCheckBox*>(find(IDC_CHECK_HELP_KEYWORDS));
  m_checkSplitFiles = static_cast<wxCheckBox*>(find(IDC_CHECK_SPLIT_FILES));
  m_checkStylesheet = static_cast<wxCheckBox*>(find(IDC_CHECK_STYLESHEET));
}

bool CFormPanel::Read(FormValues* values) {
  values->checkHelpKeywords = m_checkHelpKeywords->GetValue() ? 1 : 0;
  values->checkSplitFiles = m_checkSplitFiles->GetValue() ? 1 : 0;
  values->checkStylesheet = m_checkStylesheet->GetValue() ? 1 : 0;
  values->radioMembers = SelectedIndex(m_radioMembers, 3);
  values->radioGlobals = SelectedIndex(m_radioGlobals, 2);
  values->editHeaderPath = ToPath(m_editHeaderPath->GetValue());
  values->editHtmlPath = ToPath(m_editHtmlPath->GetValue());
  values->editXmlPath = ToPath(m_editXmlPath->GetValue());
  return true;
}

void CFormPanel::Write(const FormValues& values) {
  m_checkHelpKeywords->SetValue(values.checkHelpKeywords != 0);
  m_checkSplitFiles->SetValue(values.checkSplitFiles != 0);
  m_checkStylesheet->SetValue(values.checkStylesheet != 0);
  Select(m_radioMembers, 3, values.radioMembers);
  Select(m_radioGlobals, 2, values.radioGlobals);
  m_editHeaderPath->ChangeValue(FromPath(values.editHeaderPath));
  m_editHtmlPath->ChangeValue(FromPath(values.editHtmlPath));
  m_editXmlPath->ChangeValue(FromPath(values.editXmlPath));
}

void CFormPanel::OnLocateHeader(wxCommandEvent&) {
  // Queued, so the command runs after the click as if chosen from the menu.
  wxWindow* frame = wxGetTopLevelParent(this);
  wxQueueEvent(frame, new wxCommandEvent(wxEVT_MENU, ID_FILE_OPEN));
}

void CFormPanel::OnLocateHtml(wxCommandEvent&) {
  if (m_pView)
    m_pView->OnLocateHtml();
}

void CFormPanel::OnLocateXml(wxCommandEvent&) {
  if (m_pView)
    m_pView->OnLocateXml();
}

void CFormPanel::OnReloadIni(wxCommandEvent&) {
  if (!m_pView || !m_iniPath)
    return;
  std::string message = m_pView->OnReloadIni(m_iniPath());
  if (!message.empty())
    ShowVarnelMessage(wxGetTopLevelParent(this), message);
}
