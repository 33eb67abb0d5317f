// Files dropped on a window go to one handler. The program the files come
// from waits for the drop's answer, so the handler only takes the names
// and leaves the work, with its message boxes, for later.
#ifndef VARNEL_APP_WX_FILE_DROP_TARGET_H_
#define VARNEL_APP_WX_FILE_DROP_TARGET_H_

#include <wx/dnd.h>

#include <functional>

using FileDropHandler = std::function<void(const wxArrayString& files)>;

class CFileDropTarget : public wxFileDropTarget {
 public:
  explicit CFileDropTarget(FileDropHandler handler)
      : m_handler(std::move(handler)) {}

  bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

 private:
  FileDropHandler m_handler;
};

// Gives `window` and all its children a target of their own, so that an
// edit field does not take a dropped file as text.
void AcceptFileDrops(wxWindow* window, const FileDropHandler& handler);

#endif  // VARNEL_APP_WX_FILE_DROP_TARGET_H_
