#include "app/wx/wx_platform.h"

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <wx/frame.h>

#include "app/view_logic.h"
#include "app/wx/lines_dialog.h"
#include "app/wx/wx_text.h"

namespace {

// "*.*" is how the other desktops write "every file"; here it would hide
// files without an extension.
wxString Pattern(const std::string& pattern) {
  return pattern == "*.*" ? wxString("*") : FromLatin1(pattern);
}

wxString Wildcard(const FileDialogRequest& request) {
  return FromLatin1(request.filterType.strText) + "|" +
         Pattern(request.filterType.strPattern) + "|" +
         FromLatin1(request.filterAll.strText) + "|" +
         Pattern(request.filterAll.strPattern);
}

bool IsPattern(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

}  // namespace

void ShowVarnelMessage(wxWindow* parent, const std::string& text) {
  wxMessageBox(FromLatin1(text), wxTheApp->GetAppName(), wxOK | wxICON_NONE,
               parent);
}

bool CWxPlatform::AskOpenFile(const FileDialogRequest& request,
                              std::string* path) {
  return AskFile(false, request, path);
}

bool CWxPlatform::AskSaveFile(const FileDialogRequest& request,
                              std::string* path) {
  return AskFile(true, request, path);
}

bool CWxPlatform::AskFile(bool save, const FileDialogRequest& request,
                          std::string* path) {
  wxString folder = FromPath(request.strFolder);
  wxString name;
  // A pattern is a filter, not a name; a full path names the folder too.
  if (!IsPattern(request.strFileName)) {
    wxFileName initial(FromPath(request.strFileName));
    if (initial.IsAbsolute())
      folder = initial.GetPath();
    name = initial.GetFullName();
  }
  wxString title = FromLatin1(request.strTitle);
  if (title.empty())
    title = save ? "Save As" : "Open";
  long style = save ? wxFD_SAVE : wxFD_OPEN;
  if (request.bFileMustExist)
    style |= wxFD_FILE_MUST_EXIST;
  if (request.bAskOverwrite)
    style |= wxFD_OVERWRITE_PROMPT;
  wxFileDialog dialog(m_pParent, title, folder, name, Wildcard(request),
                      style);
  if (dialog.ShowModal() != wxID_OK)
    return false;
  wxFileName chosen(dialog.GetPath());
  if (save && !chosen.HasExt() && !request.strDefaultExt.empty())
    chosen.SetFullName(chosen.GetFullName() +
                       FromLatin1(request.strDefaultExt));
  *path = ToPath(chosen.GetFullPath());
  return true;
}

bool CWxPlatform::AskFolder(const std::string& title, const std::string& folder,
                            std::string* chosen) {
  wxDirDialog dialog(m_pParent, FromLatin1(title), FromPath(folder));
  if (dialog.ShowModal() != wxID_OK)
    return false;
  *chosen = ToPath(dialog.GetPath());
  return true;
}

void CWxPlatform::ShowMessage(const std::string& text) {
  ShowVarnelMessage(m_pParent, text);
}

std::string CWxPlatform::CurrentFolder() { return ToPath(wxGetCwd()); }

// The frame's status bar keeps the document's state in its second field;
// the first shows the menu prompts.
void CWxPlatform::ShowStatus(const std::string& text) {
  wxFrame* frame = wxDynamicCast(m_pParent, wxFrame);
  if (frame && frame->GetStatusBar() &&
      frame->GetStatusBar()->GetFieldsCount() > 1)
    frame->SetStatusText(FromLatin1(text), 1);
}

void CWxPlatform::ShowLines(const std::string& title,
                            const std::vector<std::string>& lines) {
  ShowLinesDialog(m_pParent, title, lines);
}

bool CWxPlatform::HasView() { return m_pView != nullptr; }

bool CWxPlatform::StoreViewControls() {
  return m_pView && m_pView->UpdateData(true);
}

void CWxPlatform::LoadViewControls() {
  if (m_pView)
    m_pView->UpdateData(false);
}

void CWxPlatform::SetViewHeaderPath(const std::string& path) {
  if (m_pView)
    m_pView->m_editHeaderPath = path;
}

void CWxPlatform::SetViewHtmlPath(const std::string& path) {
  if (m_pView)
    m_pView->m_editHtmlPath = path;
}

void CWxPlatform::SetViewXmlPath(const std::string& path) {
  if (m_pView)
    m_pView->m_editXmlPath = path;
}
