#include "app/wx/varnel_app.h"

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/filename.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/stdpaths.h>

#include "app/document.h"
#include "app/file_kinds.h"
#include "app/view_logic.h"
#include "app/wx/form_panel.h"
#include "app/wx/help_book.h"
#include "app/wx/html_fs_handler.h"
#include "app/wx/main_frame.h"
#include "app/wx/wx_text.h"
#include "model/parser_settings.h"

wxIMPLEMENT_APP(CVarnelApp);

namespace {

const char kAppName[] = "Varnel";
const char kSettingsKey[] = "Local AppWizard-Generated Applications";
const char kDropOption[] = "drop";

}  // namespace

CVarnelApp::CVarnelApp() = default;

CVarnelApp::~CVarnelApp() = default;

void CVarnelApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddParam("document", wxCMD_LINE_VAL_STRING,
                  wxCMD_LINE_PARAM_OPTIONAL);
  // A virtual display without a window manager cannot drag; the window
  // tests drop files through this instead.
  parser.AddOption("", kDropOption,
                   "testing aid: once started, take FILE as if it were "
                   "dropped on the window (repeatable)",
                   wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_MULTIPLE);
}

bool CVarnelApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (parser.GetParamCount() > 0)
    m_strDocumentFile = parser.GetParam(0);
  for (const wxCmdLineArg& arg : parser.GetArguments())
    if (arg.GetKind() == wxCMD_LINE_OPTION && arg.GetLongName() == kDropOption)
      m_arrDropped.push_back(arg.GetStrVal());
  return wxApp::OnCmdLineParsed(parser);
}

bool CVarnelApp::OnInit() {
  wxInitAllImageHandlers();
  wxFileSystem::AddHandler(new wxArchiveFSHandler);
  InstallHtmlPageHandler();

  SetAppName(kAppName);
  SetVendorName(kSettingsKey);
  wxConfigBase::Set(new wxConfig(kAppName, kSettingsKey));
  m_recent.Load(*wxConfigBase::Get());

  if (!wxApp::OnInit())  // parses the command line
    return false;

  wxString executable = wxStandardPaths::Get().GetExecutablePath();
  m_strHelpBook = FindHelpBook(executable);

  if (!ProcessCommandLine())
    return false;
  m_pFrame->Show();
  m_pFrame->Update();

  m_strIniPath = SettingsFileNameFor(ToPath(executable));
  std::string err;
  if (!ReadParserSettings(m_strIniPath, &err))
    ShowVarnelMessage(m_pFrame, err);
  // A header is parsed with the settings just read.
  if (m_bOpenHeader)
    m_pFrame->OpenDocumentFile(m_strDocumentFile);
  if (!m_arrDropped.empty())
    m_pFrame->CallAfter([frame = m_pFrame, files = m_arrDropped] {
      frame->DropFiles(files);
    });
  return true;
}

bool CVarnelApp::ProcessCommandLine() {
  m_pDoc = std::make_unique<CDocVarnel>(&m_platform);
  m_pFrame = new CMainFrame(m_pDoc.get(), &m_recent, m_strHelpBook);
  m_pView = std::make_unique<CViewVarnel>(m_pDoc.get(), m_pFrame->GetForm());
  m_platform.SetParent(m_pFrame);
  m_platform.SetView(m_pView.get());
  m_pFrame->GetForm()->SetIniPathSource([this] { return GetIniPath(); });
  m_pFrame->SetView(m_pView.get());

  m_pFrame->NewDocument();
  if (m_strDocumentFile.empty())
    return true;
  wxFileName found;
  m_bOpenHeader =
      KindOfFile(ToPath(m_strDocumentFile)) == FileKind::kHeader;
  if (m_bOpenHeader ? !m_pFrame->FindDocumentFile(m_strDocumentFile, &found)
                    : !m_pFrame->OpenDocumentFile(m_strDocumentFile)) {
    m_pFrame->Destroy();
    m_pFrame = nullptr;
    return false;
  }
  return true;
}

int CVarnelApp::OnExit() {
  m_recent.Save(*wxConfigBase::Get());
  return wxApp::OnExit();
}
