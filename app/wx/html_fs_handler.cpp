#include "app/wx/html_fs_handler.h"

#include <wx/filename.h>

namespace {

bool IsPageName(const wxString& location) {
  const wxString ext = wxFileName(location).GetExt().Lower();
  return ext == "htm" || ext == "html";
}

}  // namespace

bool CHtmlPageFSHandler::CanOpen(const wxString& location) {
  return GetProtocol(location) == "file" &&
         IsPageName(GetRightLocation(location));
}

wxFSFile* CHtmlPageFSHandler::OpenFile(wxFileSystem& fs,
                                       const wxString& location) {
  wxFSFile* file = wxLocalFSHandler::OpenFile(fs, location);
  if (!file)
    return nullptr;
  // The type is given only when a file is made, so the page is made again
  // around the same stream.
  wxFSFile* page = new wxFSFile(file->DetachStream(), file->GetLocation(),
                                "text/html", file->GetAnchor(),
                                file->GetModificationTime());
  delete file;
  return page;
}

void InstallHtmlPageHandler() {
  wxFileSystem::AddHandler(new CHtmlPageFSHandler);
}
