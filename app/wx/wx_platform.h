// The toolkit's side of the document's platform: file dialogs, message
// boxes, the current folder and the calls that reach the form view.
#ifndef VARNEL_APP_WX_WX_PLATFORM_H_
#define VARNEL_APP_WX_WX_PLATFORM_H_

#include <string>

#include "app/platform.h"

class CViewVarnel;
class wxWindow;

// A modal message box with only an OK button and no icon, titled with the
// application's name.
void ShowVarnelMessage(wxWindow* parent, const std::string& text);

class CWxPlatform : public CAppPlatform {
 public:
  // The window the dialogs belong to, and the view; either may be null.
  void SetParent(wxWindow* parent) { m_pParent = parent; }
  void SetView(CViewVarnel* view) { m_pView = view; }

  bool AskOpenFile(const FileDialogRequest& request,
                   std::string* path) override;
  bool AskSaveFile(const FileDialogRequest& request,
                   std::string* path) override;
  bool AskFolder(const std::string& title, const std::string& folder,
                 std::string* chosen) override;
  void ShowMessage(const std::string& text) override;
  std::string CurrentFolder() override;
  void ShowStatus(const std::string& text) override;
  void ShowLines(const std::string& title,
                 const std::vector<std::string>& lines) override;

  bool HasView() override;
  bool StoreViewControls() override;
  void LoadViewControls() override;
  void SetViewHeaderPath(const std::string& path) override;
  void SetViewHtmlPath(const std::string& path) override;
  void SetViewXmlPath(const std::string& path) override;

 private:
  bool AskFile(bool save, const FileDialogRequest& request,
               std::string* path);

  wxWindow* m_pParent = nullptr;
  CViewVarnel* m_pView = nullptr;
};

#endif  // VARNEL_APP_WX_WX_PLATFORM_H_
