// The options form, laid out as dialog template 101: the three paths with
// their "Locate..." buttons, the two filter groups, the three output
// switches and "Reload INI-file". It only copies values; CViewVarnel decides.
#ifndef VARNEL_APP_WX_FORM_PANEL_H_
#define VARNEL_APP_WX_FORM_PANEL_H_

#include <wx/panel.h>
#include <wx/scrolwin.h>

#include <functional>
#include <string>

#include "app/view_logic.h"

class wxCheckBox;
class wxRadioButton;
class wxTextCtrl;

class CFormPanel : public wxScrolled<wxPanel>, public CFormControls {
 public:
  explicit CFormPanel(wxWindow* parent);

  // The view whose logic the buttons run, and where "Reload INI-file"
  // finds the settings file name; set once the view exists.
  void SetView(CViewVarnel* view) { m_pView = view; }
  void SetIniPathSource(std::function<std::string()> source) {
    m_iniPath = std::move(source);
  }

  // The size of the whole form in pixels.
  wxSize GetFormSize() const { return m_formSize; }

  bool Read(FormValues* values) override;
  void Write(const FormValues& values) override;

 private:
  void CreateControls();
  void OnLocateHeader(wxCommandEvent& event);
  void OnLocateHtml(wxCommandEvent& event);
  void OnLocateXml(wxCommandEvent& event);
  void OnReloadIni(wxCommandEvent& event);

  CViewVarnel* m_pView = nullptr;
  std::function<std::string()> m_iniPath;
  wxSize m_formSize;
  wxTextCtrl* m_editHeaderPath = nullptr;
  wxTextCtrl* m_editHtmlPath = nullptr;
  wxTextCtrl* m_editXmlPath = nullptr;
  wxRadioButton* m_radioMembers[3] = {};
  wxRadioButton* m_radioGlobals[2] = {};
  wxCheckBox* m_checkHelpKeywords = nullptr;
  wxCheckBox* m_checkSplitFiles = nullptr;
  wxCheckBox* m_checkStylesheet = nullptr;
};

#endif  // VARNEL_APP_WX_FORM_PANEL_H_
