#include "app/wx/recent_files.h"

#include <wx/config.h>
#include <wx/menu.h>

#include "app/wx/command_ids.h"

namespace {

const char kConfigGroup[] = "/Recent File List";

}  // namespace

CRecentFiles::CRecentFiles()
    : m_history(kRecentFileCount, ID_FILE_MRU_FILE1) {}

void CRecentFiles::Load(wxConfigBase& config) {
  wxString oldPath = config.GetPath();
  config.SetPath(kConfigGroup);
  m_history.Load(config);
  config.SetPath(oldPath);
  RefreshMenu();
}

void CRecentFiles::Save(wxConfigBase& config) {
  wxString oldPath = config.GetPath();
  config.SetPath(kConfigGroup);
  m_history.Save(config);
  config.SetPath(oldPath);
}

void CRecentFiles::AttachMenu(wxMenu* menu, size_t position) {
  m_pMenu = menu;
  m_position = position;
  RefreshMenu();
}

void CRecentFiles::DetachMenu() {
  m_pMenu = nullptr;
  m_items.clear();
}

void CRecentFiles::Add(const wxString& path) {
  m_history.AddFileToHistory(path);
  RefreshMenu();
}

void CRecentFiles::Remove(size_t index) {
  m_history.RemoveFileFromHistory(index);
  RefreshMenu();
}

void CRecentFiles::RefreshMenu() {
  if (!m_pMenu)
    return;
  for (wxMenuItem* item : m_items)
    m_pMenu->Destroy(item);
  m_items.clear();
  size_t count = m_history.GetCount();
  if (count == 0) {
    wxMenuItem* placeholder = m_pMenu->Insert(
        m_position, ID_FILE_MRU_FILE1, "Recent File", "Open this document");
    placeholder->Enable(false);
    m_items.push_back(placeholder);
    return;
  }
  for (size_t i = 0; i < count; ++i) {
    // An ampersand in a path is text, not a mnemonic.
    wxString path = m_history.GetHistoryFile(i);
    path.Replace("&", "&&");
    wxString label = wxString::Format("&%zu %s", i + 1, path);
    m_items.push_back(m_pMenu->Insert(m_position + i,
                                      ID_FILE_MRU_FILE1 + static_cast<int>(i),
                                      label, "Open this document"));
  }
}
