// The program's help book: found beside the executable, or where an
// installed program keeps it, and shown in the toolkit's HTML help viewer.
#ifndef VARNEL_APP_WX_HELP_BOOK_H_
#define VARNEL_APP_WX_HELP_BOOK_H_

#include <wx/string.h>

#include <memory>

class wxHtmlHelpController;
class wxWindow;

// The executable's path with the book's extension ".htb".
wxString HelpBookBesideExecutable(const wxString& executable);
// The same book where an installed program keeps it: ../share/varnel/
// relative to the executable's folder.
wxString HelpBookInstalled(const wxString& executable);
// The first of the two that exists; the one beside the executable when
// neither does, so that the viewer reports that name.
wxString FindHelpBook(const wxString& executable);

class CHelpBook {
 public:
  CHelpBook(wxWindow* owner, const wxString& bookPath);
  ~CHelpBook();

  // Opens the book at its default topic. A missing book is the viewer's
  // to report.
  void ShowContents();

 private:
  wxWindow* m_pOwner;
  wxString m_strBook;
  std::unique_ptr<wxHtmlHelpController> m_pController;
  bool m_bLoaded = false;
};

#endif  // VARNEL_APP_WX_HELP_BOOK_H_
