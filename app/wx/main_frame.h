// The main window: menu bar, key table, toolbar and status bar around the
// form, and the commands that are not the document's own (New, recent
// files, previews, printing, help, About).
#ifndef VARNEL_APP_WX_MAIN_FRAME_H_
#define VARNEL_APP_WX_MAIN_FRAME_H_

#include <wx/cmndata.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include <memory>

#include "app/wx/help_book.h"

class CDocVarnel;
class wxFileName;
class CFormPanel;
class CPagePreviewFrame;
class CRecentFiles;
class CViewVarnel;

class CMainFrame : public wxFrame {
 public:
  // `doc` and `recent` must outlive the frame.
  CMainFrame(CDocVarnel* doc, CRecentFiles* recent, const wxString& helpBook);
  ~CMainFrame() override;

  CFormPanel* GetForm() const { return m_pForm; }
  // Connects the view once it exists, and sizes the frame to the form.
  void SetView(CViewVarnel* view);

  // New: an empty model, the title "Untitled", the form reloaded.
  void NewDocument();
  // A header is opened as Open Header File opens it. Any other document
  // of this kind stores nothing, so opening one only renames it and lists
  // it among the recent files. False when the file can't be read; a
  // header that fails to parse has said why and is not false.
  bool OpenDocumentFile(const wxString& path);
  // The absolute name of a readable file; otherwise says it can't be found
  // and is false.
  bool FindDocumentFile(const wxString& path, wxFileName* found);
  // Files dropped on the frame or the form, after the drop has ended.
  void DropFiles(const wxArrayString& files);

 private:
  void CreateMenus();
  void CreateBars();
  void SetDocumentTitle(const wxString& name);
  void ShowOutputPreview();
  // After a header is opened: the title names it, the recent files list it.
  void HeaderOpened();

  void OnFileNew(wxCommandEvent& event);
  void OnOpenHeaderFile(wxCommandEvent& event);
  void OnReadXmlFile(wxCommandEvent& event);
  void OnSaveXmlFile(wxCommandEvent& event);
  void OnSaveHtmlFile(wxCommandEvent& event);
  void OnShowOutputXml(wxCommandEvent& event);
  void OnShowOutputHtml(wxCommandEvent& event);
  void OnPagePreview(wxCommandEvent& event);
  void OnPrint(wxCommandEvent& event);
  void OnRecentFile(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  void OnViewToolbar(wxCommandEvent& event);
  void OnViewStatusBar(wxCommandEvent& event);
  void OnViewMissingDescriptions(wxCommandEvent& event);
  void OnSaveHelpBook(wxCommandEvent& event);
  void OnOpenHelpBook(wxCommandEvent& event);
  void OnUpdateOpenHelpBook(wxUpdateUIEvent& event);
  void OnHelp(wxCommandEvent& event);
  void OnHelpRequest(wxHelpEvent& event);
  void OnAbout(wxCommandEvent& event);
  void OnUpdateNeedsParse(wxUpdateUIEvent& event);
  void OnUpdateViewToolbar(wxUpdateUIEvent& event);
  void OnUpdateViewStatusBar(wxUpdateUIEvent& event);
  void OnIdle(wxIdleEvent& event);
  void OnCharHook(wxKeyEvent& event);

  CDocVarnel* m_pDoc;
  CRecentFiles* m_pRecent;
  CViewVarnel* m_pView = nullptr;
  CFormPanel* m_pForm = nullptr;
  CHelpBook m_help;
  // The book the user saved, shown by Open Help Book.
  std::unique_ptr<CHelpBook> m_pSavedBook;
  wxString m_strSavedBook;
  wxPrintDialogData m_printData;
  // One page preview at a time; shown again with the page built anew.
  wxWeakRef<CPagePreviewFrame> m_pPagePreview;
};

#endif  // VARNEL_APP_WX_MAIN_FRAME_H_
