// The About box of dialog template 100.
#ifndef VARNEL_APP_WX_ABOUT_DIALOG_H_
#define VARNEL_APP_WX_ABOUT_DIALOG_H_

#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
 public:
  explicit CAboutDlg(wxWindow* parent);
};

#endif  // VARNEL_APP_WX_ABOUT_DIALOG_H_
