// A scripted platform for the tests: dialogs answer from a queue, and every
// dialog request, message and view call is recorded.
#ifndef VARNEL_APP_FAKE_PLATFORM_H_
#define VARNEL_APP_FAKE_PLATFORM_H_

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/view_logic.h"

class FakePlatform : public CAppPlatform {
 public:
  struct Dialog {
    bool bSave;
    FileDialogRequest request;
  };

  // Queues the next dialog's answer: a path, or cancel.
  void Choose(const std::string& path) { answers.push_back(path); }
  void Cancel() { answers.push_back(std::nullopt); }

  bool AskOpenFile(const FileDialogRequest& request,
                   std::string* path) override {
    return Answer(false, request, path);
  }
  bool AskSaveFile(const FileDialogRequest& request,
                   std::string* path) override {
    return Answer(true, request, path);
  }
  bool AskFolder(const std::string& title, const std::string& folder,
                 std::string* chosen) override {
    FileDialogRequest request;
    request.strTitle = title;
    request.strFolder = folder;
    return Answer(false, request, chosen);
  }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
  }
  std::string CurrentFolder() override { return currentFolder; }
  void ShowStatus(const std::string& text) override { status = text; }
  void ShowLines(const std::string& title,
                 const std::vector<std::string>& lines) override {
    listTitle = title;
    listed = lines;
  }

  bool HasView() override { return bHasView; }
  bool StoreViewControls() override {
    viewCalls.push_back("store");
    if (bStoreFails)
      return false;
    return pView ? pView->UpdateData(true) : true;
  }
  void LoadViewControls() override {
    viewCalls.push_back("load");
    if (pView)
      pView->UpdateData(false);
  }
  void SetViewHeaderPath(const std::string& path) override {
    viewCalls.push_back("header " + path);
    if (pView)
      pView->m_editHeaderPath = path;
  }
  void SetViewHtmlPath(const std::string& path) override {
    viewCalls.push_back("html " + path);
    if (pView)
      pView->m_editHtmlPath = path;
  }
  void SetViewXmlPath(const std::string& path) override {
    viewCalls.push_back("xml " + path);
    if (pView)
      pView->m_editXmlPath = path;
  }

  const FileDialogRequest& LastDialog() const {
    return dialogs.back().request;
  }
  void Forget() {
    dialogs.clear();
    messages.clear();
    viewCalls.clear();
  }

  std::deque<std::optional<std::string>> answers;
  std::vector<Dialog> dialogs;
  std::vector<std::string> messages;
  std::vector<std::string> viewCalls;
  std::string status;
  std::string listTitle;
  std::vector<std::string> listed;
  std::string currentFolder = "/current";
  bool bHasView = true;
  bool bStoreFails = false;
  CViewVarnel* pView = nullptr;  // when set, view calls reach it

 private:
  bool Answer(bool save, const FileDialogRequest& request,
              std::string* path) {
    dialogs.push_back({save, request});
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected dialog " << request.strFileName;
      return false;
    }
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    if (!answer)
      return false;
    *path = *answer;
    return true;
  }
};

#endif  // VARNEL_APP_FAKE_PLATFORM_H_
