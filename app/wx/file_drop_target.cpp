#include "app/wx/file_drop_target.h"

#include <wx/window.h>

bool CFileDropTarget::OnDropFiles(wxCoord, wxCoord,
                                  const wxArrayString& files) {
  if (files.empty())
    return false;
  m_handler(files);
  return true;
}

void AcceptFileDrops(wxWindow* window, const FileDropHandler& handler) {
  window->SetDropTarget(new CFileDropTarget(handler));
  for (wxWindow* child : window->GetChildren())
    if (!child->IsTopLevel())
      AcceptFileDrops(child, handler);
}
