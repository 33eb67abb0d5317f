#include "app/wx/main_frame.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/toolbar.h>

#include <algorithm>

#include "app/document.h"
#include "app/file_kinds.h"
#include "app/view_logic.h"
#include "app/wx/about_dialog.h"
#include "app/wx/art.h"
#include "app/wx/command_ids.h"
#include "app/wx/file_drop_target.h"
#include "app/wx/form_panel.h"
#include "app/wx/page_preview_frame.h"
#include "app/wx/page_printout.h"
#include "app/wx/recent_files.h"
#include "app/wx/wx_platform.h"
#include "app/wx/wx_text.h"

namespace {

const char kWindowTitle[] = "C++ Varnel";
const char kUntitled[] = "Untitled";

}  // namespace

CMainFrame::CMainFrame(CDocVarnel* doc, CRecentFiles* recent,
                       const wxString& helpBook)
    : wxFrame(nullptr, wxID_ANY, kWindowTitle),
      m_pDoc(doc),
      m_pRecent(recent),
      m_help(this, helpBook) {
  SetIcon(ProgramIcon());
  CreateMenus();
  CreateBars();
  m_pForm = new CFormPanel(this);

  Bind(wxEVT_MENU, &CMainFrame::OnFileNew, this, ID_FILE_NEW);
  Bind(wxEVT_MENU, &CMainFrame::OnOpenHeaderFile, this, ID_FILE_OPEN);
  Bind(wxEVT_MENU, &CMainFrame::OnReadXmlFile, this, ID_FILE_READXML);
  Bind(wxEVT_MENU, &CMainFrame::OnSaveXmlFile, this, ID_FILE_SAVE);
  Bind(wxEVT_MENU, &CMainFrame::OnSaveHtmlFile, this, ID_FILE_SAVE_AS);
  Bind(wxEVT_MENU, &CMainFrame::OnShowOutputXml, this, ID_FILE_PRINT_PREVIEW);
  Bind(wxEVT_MENU, &CMainFrame::OnShowOutputHtml, this, ID_VIEW_OUTPUT_HTML);
  Bind(wxEVT_MENU, &CMainFrame::OnPagePreview, this, ID_VIEW_PAGE_PREVIEW);
  Bind(wxEVT_MENU, &CMainFrame::OnPrint, this, ID_FILE_PRINT);
  Bind(wxEVT_MENU, &CMainFrame::OnRecentFile, this, ID_FILE_MRU_FILE1,
       ID_FILE_MRU_FILE1 + kRecentFileCount - 1);
  Bind(wxEVT_MENU, &CMainFrame::OnExit, this, ID_APP_EXIT);
  Bind(wxEVT_MENU, &CMainFrame::OnViewToolbar, this, ID_VIEW_TOOLBAR);
  Bind(wxEVT_MENU, &CMainFrame::OnViewStatusBar, this, ID_VIEW_STATUS_BAR);
  Bind(wxEVT_MENU, &CMainFrame::OnViewMissingDescriptions, this,
       ID_VIEW_MISSING_DESCRIPTIONS);
  Bind(wxEVT_MENU, &CMainFrame::OnSaveHelpBook, this, ID_FILE_SAVE_HELP_BOOK);
  Bind(wxEVT_MENU, &CMainFrame::OnOpenHelpBook, this, ID_HELP_OPEN_BOOK);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateOpenHelpBook, this,
       ID_HELP_OPEN_BOOK);
  Bind(wxEVT_MENU, &CMainFrame::OnHelp, this, ID_HELP_FINDER);
  Bind(wxEVT_MENU, &CMainFrame::OnHelp, this, ID_HELP);
  Bind(wxEVT_HELP, &CMainFrame::OnHelpRequest, this);
  Bind(wxEVT_MENU, &CMainFrame::OnAbout, this, ID_APP_ABOUT);
  for (int id : {ID_FILE_READXML, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                 ID_FILE_PRINT_PREVIEW, ID_VIEW_OUTPUT_HTML,
                 ID_VIEW_MISSING_DESCRIPTIONS, ID_FILE_SAVE_HELP_BOOK,
                 ID_VIEW_PAGE_PREVIEW})
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateNeedsParse, this, id);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateViewToolbar, this,
       ID_VIEW_TOOLBAR);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateViewStatusBar, this,
       ID_VIEW_STATUS_BAR);
  Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
  Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
}

CMainFrame::~CMainFrame() { m_pRecent->DetachMenu(); }

void CMainFrame::SetView(CViewVarnel* view) {
  m_pView = view;
  m_pForm->SetView(view);
  SetClientSize(m_pForm->GetFormSize());
  // Once the form has its controls; the bars take drops too.
  AcceptFileDrops(this, [this](const wxArrayString& files) {
    CallAfter([this, files] { DropFiles(files); });
  });
}

void CMainFrame::SetDocumentTitle(const wxString& name) {
  SetTitle((name.empty() ? wxString(kUntitled) : name) + " - " +
           kWindowTitle);
}

void CMainFrame::NewDocument() {
  m_pDoc->OnNewDocument();
  SetDocumentTitle(wxString());
  m_pView->UpdateData(false);
}

bool CMainFrame::FindDocumentFile(const wxString& path, wxFileName* found) {
  wxFileName file(path);
  file.MakeAbsolute();
  if (!file.FileExists() || !wxFile::Access(file.GetFullPath(), wxFile::read)) {
    ShowVarnelMessage(IsShown() ? this : nullptr,
                      ToPath(file.GetFullPath()) +
                          "\nCannot find this file.\nPlease verify that the "
                          "correct path and file name are given.");
    return false;
  }
  *found = file;
  return true;
}

bool CMainFrame::OpenDocumentFile(const wxString& path) {
  wxFileName file;
  if (!FindDocumentFile(path, &file))
    return false;
  if (KindOfFile(ToPath(file.GetFullPath())) == FileKind::kHeader) {
    if (m_pDoc->OpenHeaderPath(ToPath(file.GetFullPath())))
      HeaderOpened();
    return true;
  }
  SetDocumentTitle(file.GetFullName());
  m_pRecent->Add(file.GetFullPath());
  m_pView->UpdateData(false);
  return true;
}

void CMainFrame::DropFiles(const wxArrayString& files) {
  std::vector<std::string> paths;
  for (const wxString& file : files)
    paths.push_back(ToPath(file));
  if (m_pDoc->OnDropFiles(paths))
    HeaderOpened();
}

void CMainFrame::HeaderOpened() {
  const wxString header = FromPath(m_pDoc->m_strHeaderPath);
  wxFileName file(header);
  file.MakeAbsolute();
  SetDocumentTitle(file.GetFullName());
  m_pRecent->Add(file.GetFullPath());
}

void CMainFrame::OnFileNew(wxCommandEvent&) { NewDocument(); }

void CMainFrame::OnOpenHeaderFile(wxCommandEvent&) {
  if (m_pDoc->OnOpenHeaderFile())
    HeaderOpened();
}

void CMainFrame::OnReadXmlFile(wxCommandEvent&) { m_pDoc->OnReadXmlFile(); }

void CMainFrame::OnSaveXmlFile(wxCommandEvent&) { m_pDoc->OnSaveXmlFile(); }

void CMainFrame::OnSaveHelpBook(wxCommandEvent&) { m_pDoc->OnSaveHelpBook(); }

void CMainFrame::OnOpenHelpBook(wxCommandEvent&) {
  const wxString project = FromPath(m_pDoc->GetHelpBookProject());
  if (project.empty())
    return;
  // A book saved again elsewhere is a new book to the viewer.
  if (!m_pSavedBook || project != m_strSavedBook) {
    m_pSavedBook = std::make_unique<CHelpBook>(this, project);
    m_strSavedBook = project;
  }
  m_pSavedBook->ShowContents();
}

void CMainFrame::OnUpdateOpenHelpBook(wxUpdateUIEvent& event) {
  event.Enable(!m_pDoc->GetHelpBookProject().empty());
}

void CMainFrame::OnViewMissingDescriptions(wxCommandEvent&) {
  m_pDoc->OnViewMissingDescriptions();
}

void CMainFrame::OnSaveHtmlFile(wxCommandEvent&) { m_pDoc->OnSaveHtmlFile(); }

void CMainFrame::OnShowOutputXml(wxCommandEvent&) {
  m_pView->OnShowOutputXml();
  ShowOutputPreview();
}

void CMainFrame::OnShowOutputHtml(wxCommandEvent&) {
  m_pView->OnShowOutputHtml();
  ShowOutputPreview();
}

void CMainFrame::ShowOutputPreview() {
  wxPrintPreview* preview =
      new wxPrintPreview(new CPagePrintout(m_pView),
                         new CPagePrintout(m_pView), &m_printData);
  if (!preview->IsOk()) {
    delete preview;
    return;
  }
  wxSize size(std::max(GetSize().x, 700), std::max(GetSize().y, 800));
  wxPreviewFrame* frame =
      new wxPreviewFrame(preview, this, "Print Preview", GetPosition(), size);
  // The preview disables the frame while it is open, which takes the focus
  // from the form; give it back once the frame is enabled again.
  frame->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    event.Skip();
    CallAfter([this] { m_pForm->SetFocus(); });
  });
  frame->Initialize();
  frame->Show();
}

void CMainFrame::OnPagePreview(wxCommandEvent&) {
  std::string page;
  if (!m_pDoc->BuildPreviewPage(&page))
    return;
  if (!m_pPagePreview)
    m_pPagePreview = new CPagePreviewFrame(
        this, GetPosition(),
        wxSize(std::max(GetSize().x, 700), std::max(GetSize().y, 600)));
  m_pPagePreview->ShowPage(page);
  m_pPagePreview->Show();
  m_pPagePreview->Raise();
}

void CMainFrame::OnPrint(wxCommandEvent&) {
  wxPrinter printer(&m_printData);
  CPagePrintout printout(m_pView);
  if (printer.Print(this, &printout, true))
    m_printData = printer.GetPrintDialogData();
}

void CMainFrame::OnRecentFile(wxCommandEvent& event) {
  size_t index = static_cast<size_t>(event.GetId() - ID_FILE_MRU_FILE1);
  if (index >= m_pRecent->GetCount())
    return;
  if (!OpenDocumentFile(m_pRecent->GetFile(index)))
    m_pRecent->Remove(index);
}

// The document is never modified, so nothing asks before closing.
void CMainFrame::OnExit(wxCommandEvent&) { Close(true); }

void CMainFrame::OnViewToolbar(wxCommandEvent&) {
  wxToolBar* tools = GetToolBar();
  tools->Show(!tools->IsShown());
  SendSizeEvent();
}

void CMainFrame::OnViewStatusBar(wxCommandEvent&) {
  wxStatusBar* status = GetStatusBar();
  status->Show(!status->IsShown());
  SendSizeEvent();
}

void CMainFrame::OnHelp(wxCommandEvent&) { m_help.ShowContents(); }

void CMainFrame::OnHelpRequest(wxHelpEvent&) { m_help.ShowContents(); }

void CMainFrame::OnAbout(wxCommandEvent&) {
  CAboutDlg about(this);
  about.ShowModal();
}

void CMainFrame::OnUpdateNeedsParse(wxUpdateUIEvent& event) {
  event.Enable(m_pView && m_pView->OnUpdateNeedsParse());
}

void CMainFrame::OnUpdateViewToolbar(wxUpdateUIEvent& event) {
  event.Check(GetToolBar() && GetToolBar()->IsShown());
}

void CMainFrame::OnUpdateViewStatusBar(wxUpdateUIEvent& event) {
  event.Check(GetStatusBar() && GetStatusBar()->IsShown());
}
