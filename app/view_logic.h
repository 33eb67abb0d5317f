// The form view without its window: the fields behind the controls, the
// data exchange with the document, the preview switches and the layout of
// the plain-text pages that preview and printing draw.
#ifndef VARNEL_APP_VIEW_LOGIC_H_
#define VARNEL_APP_VIEW_LOGIC_H_

#include <string>

class CDocVarnel;

// What the form's controls show, as plain values.
struct FormValues {
  int checkHelpKeywords = 0;
  int checkSplitFiles = 0;
  int checkStylesheet = 0;
  int radioMembers = -1;  // 0 all, 1 protected and public, 2 only public
  int radioGlobals = -1;  // 0 all, 1 only external
  std::string editHeaderPath;
  std::string editHtmlPath;
  std::string editXmlPath;
};

// The real controls, implemented by the toolkit: it only copies values.
class CFormControls {
 public:
  virtual ~CFormControls() = default;
  // False when a control refuses to give its value.
  virtual bool Read(FormValues* values) = 0;
  virtual void Write(const FormValues& values) = 0;
};

// What begin printing tells the toolkit.
struct PrintLayout {
  bool bContinue = false;  // false: do not print at all
  int nLinesPerPage = 1;
  int nLastPage = 1;  // the last page number offered
};

// One page: the lines [nFirst, nEnd) of the document's line list.
struct PrintPage {
  bool bContinue = false;  // false: this page ends printing
  int nFirst = 0;
  int nEnd = 0;
};

class CViewVarnel {
 public:
  // Either may be null: without a document nothing reaches the model,
  // without controls the fields stand for them.
  CViewVarnel(CDocVarnel* doc, CFormControls* controls);

  CDocVarnel* GetDocument() const { return m_pDoc; }

  // The data exchange in one direction: true moves the controls into the
  // fields and the fields into the document's options; false sets the
  // fields from the options and shows them in the controls. The paths only
  // ever go from the fields to the controls: the document writes them.
  bool UpdateData(bool bSaveAndValidate);

  // The output commands are enabled exactly while the document is parsed.
  bool OnUpdateNeedsParse() const;

  // The preview switches; the toolkit opens the preview afterwards.
  void OnShowOutputXml();
  void OnShowOutputHtml();

  // The "Locate..." buttons of the HTML and XML paths.
  void OnLocateHtml();
  void OnLocateXml();

  // "Reload INI-file": reads the parser settings again. Gives the message
  // to show, or an empty text.
  std::string OnReloadIni(const std::string& iniPath);

  // Page layout for a drawing area `drawHeight` high in which one line of
  // text is `textHeight` high. Begin printing stores the controls and
  // builds the output the last Show command asked for.
  PrintLayout OnBeginPrinting(int drawHeight, int textHeight);
  PrintPage OnPrintPage(int page, int drawHeight, int textHeight) const;
  // Where line `k` of a page is drawn.
  static int LineLeft() { return 10; }
  static int LineTop(int k, int textHeight) { return 10 + k * (textHeight + 20); }
  static int LinesPerPage(int drawHeight, int textHeight);

  int m_checkHelpKeywords = 0;
  int m_checkSplitFiles = 0;
  int m_checkStylesheet = 0;
  int m_radioMembers = -1;
  int m_radioGlobals = -1;
  std::string m_editHeaderPath;
  std::string m_editHtmlPath;
  std::string m_editXmlPath;
  bool m_bPreviewXml = false;
  bool m_bPreviewHtml = false;

 private:
  FormValues Fields() const;
  void SetFields(const FormValues& values);
  void FieldsFromOptions();
  void FieldsToOptions();

  CDocVarnel* m_pDoc;
  CFormControls* m_pControls;
};

#endif  // VARNEL_APP_VIEW_LOGIC_H_
