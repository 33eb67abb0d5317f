#include "app/wx/help_book.h"

#include <wx/filename.h>
#include <wx/html/helpctrl.h>

wxString HelpBookBesideExecutable(const wxString& executable) {
  wxFileName book(executable);
  book.SetExt("htb");
  return book.GetFullPath();
}

wxString HelpBookInstalled(const wxString& executable) {
  wxFileName book(HelpBookBesideExecutable(executable));
  book.AppendDir("..");
  book.AppendDir("share");
  book.AppendDir("varnel");
  book.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
  return book.GetFullPath();
}

wxString FindHelpBook(const wxString& executable) {
  wxString beside = HelpBookBesideExecutable(executable);
  if (wxFileName::FileExists(beside))
    return beside;
  wxString installed = HelpBookInstalled(executable);
  return wxFileName::FileExists(installed) ? installed : beside;
}

CHelpBook::CHelpBook(wxWindow* owner, const wxString& bookPath)
    : m_pOwner(owner), m_strBook(bookPath) {}

CHelpBook::~CHelpBook() = default;

void CHelpBook::ShowContents() {
  if (!m_pController) {
    m_pController = std::make_unique<wxHtmlHelpController>(
        wxHF_DEFAULT_STYLE, m_pOwner);
    m_pController->SetTitleFormat("Varnel Help: %s");
  }
  if (!m_bLoaded)
    m_bLoaded = m_pController->AddBook(wxFileName(m_strBook));
  if (m_bLoaded)
    m_pController->DisplayContents();
}
