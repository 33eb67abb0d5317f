// The single document: the model of one header, the shared line list, the
// file paths the form shows and the XML file read last, with the commands
// of the File menu.
#ifndef VARNEL_APP_DOCUMENT_H_
#define VARNEL_APP_DOCUMENT_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/platform.h"
#include "model/module_info.h"
#include "model/text.h"
#include "xml/merge_session.h"
#include "xml/xml_tree.h"

class CDocVarnel {
 public:
  // `platform` must outlive the document.
  explicit CDocVarnel(CAppPlatform* platform);

  // New and program start, after the toolkit's own new-document step: back
  // to an empty model with default options. Paths and folders are kept so
  // that the next dialogs open where the last ones did.
  bool OnNewDocument();

  // The File commands. Each first has the view store its controls into the
  // options, does nothing without a view, and ends at its first failure
  // after one message, keeping what it had already stored. Open Header
  // File is true when the chosen header is parsed.
  bool OnOpenHeaderFile();
  void OnReadXmlFile();
  // The same two commands on a path given without a dialog (the command
  // line, a recent file, a dropped file). Reading an XML file needs a
  // parse: before one, ReadXmlPath says so and reads nothing. Both are
  // true when the file was parsed or merged.
  bool OpenHeaderPath(const std::string& path);
  bool ReadXmlPath(const std::string& path);
  // Files dropped on the window: the first header is opened, then the XML
  // files are read into it; other files are named in one message. True
  // when a header was opened (m_strHeaderPath names it).
  bool OnDropFiles(const std::vector<std::string>& files);
  void OnSaveXmlFile();
  void OnSaveHtmlFile();
  // File, Save Help Book...: the pages, the help project and, when the
  // help compiler is installed, the compiled book, into a chosen folder.
  // Says the result in one message.
  void OnSaveHelpBook();
  // The project of the book saved last, for Help, Open Help Book; empty
  // before one is saved.
  const std::string& GetHelpBookProject() const { return m_strHelpProject; }

  // View, Page Preview: the HTML page as one text, built as Show Output
  // HTML builds it, with the options the form shows. False, after the
  // message, when the page is refused as too large; false without a parse
  // or a view.
  bool BuildPreviewPage(std::string* page);

  // View, Missing descriptions...: every description the outputs would
  // show as a placeholder, at the header line of its entry, and every one
  // that lost its entry.
  void OnViewMissingDescriptions();
  // The coverage line of the status bar, under the options shown.
  std::string CoverageStatus() const;

  // The form's "Locate..." buttons: choose an output file, write nothing.
  void LocateHtmlFile();
  void LocateXmlFile();

  // Read XML File, both Save commands and both previews need a parse.
  bool OnUpdateNeedsParse() const { return m_bParsed; }
  bool IsParsed() const { return m_bParsed; }

  // Parses m_strHeaderPath into the model; on failure shows the message.
  bool ParseHeader();
  // Replace the line list with the HTML page or the XML document, naming
  // the output after the current header and HTML paths. BuildHtml refuses,
  // with a message and an empty list, a page too large to hold.
  bool BuildHtml();
  bool BuildXml();
  // Merges the descriptions of the loaded XML into the model; false when
  // the file is of another kind or another module (nothing merged then).
  bool MergeXml();
  const TextList& GetLines() const { return m_arrLines; }
  // What the merges since the last parse could not place; null before a
  // parse.
  const MergeReport* GetMergeReport() const {
    return m_pMerges ? &m_pMerges->Report() : nullptr;
  }

  bool GetHelpKeywords() const { return m_module.m_bHelpKeywords; }
  bool GetSplitFiles() const { return m_module.m_bSplitFiles; }
  bool GetStylesheet() const { return m_module.m_bStylesheet; }
  bool GetShowPublic() const { return m_module.m_bShowPublic; }
  bool GetShowProtected() const { return m_module.m_bShowProtected; }
  bool GetShowPrivate() const { return m_module.m_bShowPrivate; }
  bool GetShowExtern() const { return m_module.m_bShowExtern; }
  bool GetShowLocal() const { return m_module.m_bShowLocal; }
  void SetHelpKeywords(bool on) { m_module.m_bHelpKeywords = on; }
  void SetSplitFiles(bool on) { m_module.m_bSplitFiles = on; }
  void SetStylesheet(bool on) { m_module.m_bStylesheet = on; }
  void SetShowPublic(bool on) { m_module.m_bShowPublic = on; }
  void SetShowProtected(bool on) { m_module.m_bShowProtected = on; }
  void SetShowPrivate(bool on) { m_module.m_bShowPrivate = on; }
  void SetShowExtern(bool on) { m_module.m_bShowExtern = on; }
  void SetShowLocal(bool on) { m_module.m_bShowLocal = on; }

  // Pages estimated above this size are written to their file piece by
  // piece and never built in memory (there is no preview of them).
  void SetHtmlMemoryLimit(uint64_t bytes) { m_nHtmlMemoryLimit = bytes; }
  // A page or XML file over this size is refused, as the command line's
  // --max-output refuses it.
  void SetMaxOutputBytes(uint64_t bytes) { m_nMaxOutputBytes = bytes; }

  TextList m_arrLines;
  CModuleInfo m_module;
  bool m_bParsed = false;
  std::string m_strHeaderPath;
  std::string m_strHtmlPath;
  std::string m_strXmlPath;
  std::string m_strXmlInPath;
  std::string m_strHtmlDir;
  std::string m_strXmlDir;
  std::string m_strHeaderDir;
  std::string m_strXmlInDir;
  std::string m_strXmlText;
  CXmlTree m_xml;
  std::string m_strHelpDir;
  std::string m_strHelpProject;

 private:
  // One of the two outputs, as the Save and Locate commands see it.
  struct OutputFile {
    std::string CDocVarnel::*path;
    std::string CDocVarnel::*dir;
    bool (CDocVarnel::*build)();
    void (CAppPlatform::*setViewPath)(const std::string&);
    const char* saveTitle;
    const char* pattern;  // "*.htm"
    const char* ext;      // ".htm"
    const char* saveFilterText;
    const char* locateFilterText;
  };
  static const OutputFile kHtmlOutput;
  static const OutputFile kXmlOutput;

  bool FormFirst();
  // The open-file dialog of Open Header File and Read XML File.
  bool AskOpenFile(const std::string& folder, const char* pattern,
                   const char* ext, const char* filterText,
                   std::string* chosen);
  std::string InitialFolder(const std::string& folder);
  void ForgetXml();
  // The steps of the two commands after their dialogs.
  bool OpenHeader(const std::string& path);
  bool ReadXml(const std::string& path);
  void SaveOutput(const OutputFile& output);
  void LocateOutput(const OutputFile& output);
  bool IsHtmlTooLarge(uint64_t* bytes);
  // Shows why a page over the largest ever written is refused, and says
  // whether it is.
  bool RefuseHugeHtml();
  bool RefuseHugeXml();
  // False for an empty reason; otherwise shown, with the lines emptied.
  bool Refuse(const std::string& reason);
  bool StreamHtml(const std::string& path);
  // Read XML File's second step: the side file kept beside the file read,
  // then one message about the descriptions that found no entry.
  void MergeSideFileAndTell(int orphansBefore);
  // Save XML File's side file, before and after the file is written.
  bool WriteSideFileFor(const std::string& xmlPath, SideFilePlan* plan);
  void TellSideFile(const SideFilePlan& plan);
  void ShowCoverage();

  CAppPlatform* m_pPlatform;
  // The merges of the current parse and what they could not place.
  std::unique_ptr<MergeSession> m_pMerges;
  uint64_t m_nHtmlMemoryLimit = uint64_t(512) << 20;
  uint64_t m_nMaxOutputBytes;
};

#endif  // VARNEL_APP_DOCUMENT_H_
