// The recent-file entries of the File menu: up to eight documents, kept in
// the configuration store, shown between two separators; while the list is
// empty a disabled "Recent File" stands in their place.
#ifndef VARNEL_APP_WX_RECENT_FILES_H_
#define VARNEL_APP_WX_RECENT_FILES_H_

#include <wx/filehistory.h>

#include <vector>

class wxConfigBase;
class wxMenu;
class wxMenuItem;

class CRecentFiles {
 public:
  CRecentFiles();

  void Load(wxConfigBase& config);
  void Save(wxConfigBase& config);

  // Shows the entries in `menu`, starting at `position`.
  void AttachMenu(wxMenu* menu, size_t position);
  // Forgets the menu, which is about to be destroyed with its window.
  void DetachMenu();

  void Add(const wxString& path);
  void Remove(size_t index);
  size_t GetCount() const { return m_history.GetCount(); }
  wxString GetFile(size_t index) const {
    return m_history.GetHistoryFile(index);
  }

 private:
  void RefreshMenu();

  wxFileHistory m_history;
  wxMenu* m_pMenu = nullptr;
  size_t m_position = 0;
  std::vector<wxMenuItem*> m_items;
};

#endif  // VARNEL_APP_WX_RECENT_FILES_H_
