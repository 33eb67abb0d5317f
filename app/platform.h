// What the window toolkit provides to the document: file dialogs, message
// boxes, the current folder and the document's first view. The windowed
// front end implements it; tests script it.
#ifndef VARNEL_APP_PLATFORM_H_
#define VARNEL_APP_PLATFORM_H_

#include <string>
#include <vector>

// One entry of a file dialog's type list, e.g. "Header File (*.h)", "*.h".
struct FileFilter {
  std::string strText;
  std::string strPattern;
};

struct FileDialogRequest {
  std::string strTitle;       // empty: the toolkit's own title
  std::string strFolder;      // the folder the dialog opens in; never empty
  std::string strFileName;    // initial name; may be a pattern like "*.h"
  std::string strDefaultExt;  // with its dot, e.g. ".h"
  FileFilter filterType;      // the file type, listed first
  FileFilter filterAll;       // all files, listed second
  bool bFileMustExist = false;
  bool bPathMustExist = false;
  bool bAskOverwrite = false;  // ask before an existing file is chosen
};

class CAppPlatform {
 public:
  virtual ~CAppPlatform() = default;

  // Each dialog returns true and sets `path` when the user chose a file,
  // false when the user cancelled.
  virtual bool AskOpenFile(const FileDialogRequest& request,
                           std::string* path) = 0;
  virtual bool AskSaveFile(const FileDialogRequest& request,
                           std::string* path) = 0;

  // A folder dialog starting in `folder`; true and `chosen` set when the
  // user chose one.
  virtual bool AskFolder(const std::string& title, const std::string& folder,
                         std::string* chosen) = 0;

  // A modal message box with only an OK button and no icon.
  virtual void ShowMessage(const std::string& text) = 0;

  virtual std::string CurrentFolder() = 0;

  // A short state of the document in the status bar, such as the coverage
  // of its descriptions; an empty text clears it.
  virtual void ShowStatus(const std::string& text) = 0;
  // A modal window listing lines (that can be read and copied), with a
  // title.
  virtual void ShowLines(const std::string& title,
                         const std::vector<std::string>& lines) = 0;

  // The document's first view. Without one, the commands do nothing.
  virtual bool HasView() = 0;
  // The view moves its controls into the document's options; false when
  // the view's data exchange failed.
  virtual bool StoreViewControls() = 0;
  // The view reloads all its controls from the document.
  virtual void LoadViewControls() = 0;
  // The view's three path fields; shown at the next LoadViewControls.
  virtual void SetViewHeaderPath(const std::string& path) = 0;
  virtual void SetViewHtmlPath(const std::string& path) = 0;
  virtual void SetViewXmlPath(const std::string& path) = 0;
};

#endif  // VARNEL_APP_PLATFORM_H_
