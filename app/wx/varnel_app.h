// The application: start-up in its fixed order, the single document with
// its view, the recent-file list and the settings file name.
#ifndef VARNEL_APP_WX_VARNEL_APP_H_
#define VARNEL_APP_WX_VARNEL_APP_H_

#include <wx/app.h>

#include <memory>
#include <string>

#include "app/wx/recent_files.h"
#include "app/wx/wx_platform.h"

class CDocVarnel;
class CMainFrame;
class CViewVarnel;

class CVarnelApp : public wxApp {
 public:
  CVarnelApp();
  ~CVarnelApp() override;

  bool OnInit() override;
  int OnExit() override;
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;

  std::string GetIniPath() const { return m_strIniPath; }

 private:
  // Creates the document, the frame and the view, then starts a new
  // document or opens the one the command line names.
  bool ProcessCommandLine();

  std::string m_strIniPath;
  wxString m_strHelpBook;
  wxString m_strDocumentFile;  // from the command line
  bool m_bOpenHeader = false;  // it is a header, opened after the settings
  wxArrayString m_arrDropped;  // --drop
  CWxPlatform m_platform;
  CRecentFiles m_recent;
  std::unique_ptr<CDocVarnel> m_pDoc;
  std::unique_ptr<CViewVarnel> m_pView;
  CMainFrame* m_pFrame = nullptr;
};

#endif  // VARNEL_APP_WX_VARNEL_APP_H_
