// Local pages for the toolkit's HTML windows. The toolkit asks the desktop's
// MIME database what a file is, and that database may call an ".htm" page
// XHTML, which the HTML windows then show as plain text. This handler
// serves local ".htm" and ".html" files as text/html whatever the database
// says. Installed once at start-up, it comes before the toolkit's own
// handler of local files.
#ifndef VARNEL_APP_WX_HTML_FS_HANDLER_H_
#define VARNEL_APP_WX_HTML_FS_HANDLER_H_

#include <wx/filesys.h>

class CHtmlPageFSHandler : public wxLocalFSHandler {
 public:
  bool CanOpen(const wxString& location) override;
  wxFSFile* OpenFile(wxFileSystem& fs, const wxString& location) override;
};

// Adds the handler to every wxFileSystem of the program.
void InstallHtmlPageHandler();

#endif  // VARNEL_APP_WX_HTML_FS_HANDLER_H_
