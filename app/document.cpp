#include "app/document.h"

#include <algorithm>
#include <sstream>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/file_kinds.h"
#include "app/help_book_job.h"
#include "app/page_preview.h"
#include "app/strings.h"
#include "html/html_writer.h"
#include "html/output_limit.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "model/text.h"
#include "parser/parse_header.h"
#include "parser/declaration_lines.h"
#include "xml/check_report.h"
#include "xml/coverage.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_writer.h"

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Stores the folder of `path` (the text before its last separator) into
// `folder`; a path without a separator leaves `folder` as it was.
void TakeFolder(const std::string& path, std::string* folder) {
  size_t sep = path.find_last_of("/\\");
  if (sep != std::string::npos)
    *folder = path.substr(0, sep);
}

// The text after the last separator, or all of it.
std::string AfterLastSeparator(const std::string& path) {
  size_t sep = path.find_last_of("/\\");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsSeparator(folder.back()))
    return folder + name;
  return folder + "/" + name;
}

// True when both paths name one existing file, however they are spelled.
bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty())
    return false;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

// The message with "%d" and "%s" replaced, whatever their lengths.
std::string Format(const char* message, const std::string& text,
                   int number = 0) {
  std::string out = message;
  size_t at = out.find("%d");
  if (at != std::string::npos)
    out.replace(at, 2, std::to_string(number));
  at = out.find("%s");
  if (at != std::string::npos)
    out.replace(at, 2, text);
  return out;
}

const FileFilter kAllFilesCapital = {"All Files (*.*)", "*.*"};
const FileFilter kAllFilesSmall = {"All files (*.*)", "*.*"};

}  // namespace

const CDocVarnel::OutputFile CDocVarnel::kHtmlOutput = {
    &CDocVarnel::m_strHtmlPath, &CDocVarnel::m_strHtmlDir,
    &CDocVarnel::BuildHtml,     &CAppPlatform::SetViewHtmlPath,
    "Save as HTML File",        "*.htm",
    ".htm",                     "HTML files (*.htm)",
    "HTML-Document (*.htm)",
};

const CDocVarnel::OutputFile CDocVarnel::kXmlOutput = {
    &CDocVarnel::m_strXmlPath, &CDocVarnel::m_strXmlDir,
    &CDocVarnel::BuildXml,     &CAppPlatform::SetViewXmlPath,
    "Save as XML File",        "*.xml",
    ".xml",                    "XML files (*.xml)",
    "XML-Document (*.xml)",
};

CDocVarnel::CDocVarnel(CAppPlatform* platform)
    : m_pPlatform(platform), m_nMaxOutputBytes(kDefaultMaxOutputBytes) {
  m_module.Clear();
  m_xml.Load(std::string());
}

bool CDocVarnel::OnNewDocument() {
  m_arrLines.clear();
  m_module.Clear();
  ForgetXml();
  m_bParsed = false;
  m_pMerges.reset();
  ShowCoverage();
  return true;
}

bool CDocVarnel::FormFirst() {
  return m_pPlatform->HasView() && m_pPlatform->StoreViewControls();
}

std::string CDocVarnel::InitialFolder(const std::string& folder) {
  return folder.empty() ? m_pPlatform->CurrentFolder() : folder;
}

void CDocVarnel::ForgetXml() {
  m_strXmlText.clear();
  // A fresh reader also drops the message of an earlier failure, so that
  // a later failure without a message of its own is not reported with it.
  m_xml = CXmlTree();
  m_xml.Load(m_strXmlText);
}

bool CDocVarnel::AskOpenFile(const std::string& folder, const char* pattern,
                             const char* ext, const char* filterText,
                             std::string* chosen) {
  FileDialogRequest request;
  request.strFolder = InitialFolder(folder);
  request.strFileName = pattern;
  request.strDefaultExt = ext;
  request.filterType = {filterText, pattern};
  request.filterAll = kAllFilesCapital;
  request.bFileMustExist = true;
  request.bPathMustExist = true;
  return m_pPlatform->AskOpenFile(request, chosen);
}

bool CDocVarnel::OnOpenHeaderFile() {
  if (!FormFirst())
    return false;
  std::string chosen;
  if (!AskOpenFile(m_strHeaderDir, "*.h", ".h", "Header File (*.h)", &chosen))
    return false;
  return OpenHeader(chosen);
}

bool CDocVarnel::OpenHeaderPath(const std::string& path) {
  return FormFirst() && OpenHeader(path);
}

bool CDocVarnel::OpenHeader(const std::string& path) {
  CModuleInfo::Options options = m_module.GetOptions();
  m_module.Clear();
  m_module.SetOptions(options);

  m_strHeaderPath = path;
  TakeFolder(m_strHeaderPath, &m_strHeaderDir);
  if (m_strHtmlDir.empty())
    m_strHtmlDir = m_strHeaderDir;
  if (m_strXmlDir.empty())
    m_strXmlDir = m_strHeaderDir;
  // An output file chosen earlier keeps only its folder: the name always
  // follows the header.
  std::string stem = PathStem(m_strHeaderPath);
  m_strHtmlPath = JoinPath(m_strHtmlDir, stem + ".htm");
  m_module.m_strName = stem;
  m_strXmlPath = JoinPath(m_strXmlDir, stem + ".xml");

  if (!ParseHeader()) {
    ShowCoverage();
    return false;
  }
  m_pPlatform->SetViewHeaderPath(m_strHeaderPath);
  m_pPlatform->SetViewHtmlPath(m_strHtmlPath);
  m_pPlatform->SetViewXmlPath(m_strXmlPath);
  m_pPlatform->LoadViewControls();
  ShowCoverage();
  return true;
}

void CDocVarnel::OnReadXmlFile() {
  if (!FormFirst())
    return;
  ForgetXml();
  std::string chosen;
  if (!AskOpenFile(m_strXmlInDir, "*.xml", ".xml", "XML File (*.xml)",
                   &chosen))
    return;
  ReadXml(chosen);
}

bool CDocVarnel::ReadXmlPath(const std::string& path) {
  if (!m_bParsed) {
    m_pPlatform->ShowMessage(Format(kReadXmlNeedsParseMessage, path));
    return false;
  }
  if (!FormFirst())
    return false;
  ForgetXml();
  return ReadXml(path);
}

bool CDocVarnel::OnDropFiles(const std::vector<std::string>& files) {
  const DropPlan plan = PlanDrop(files);
  const std::string ignored = IgnoredFilesMessage(plan);
  if (!ignored.empty())
    m_pPlatform->ShowMessage(ignored);
  const bool opened = !plan.header.empty() && OpenHeaderPath(plan.header);
  // XML files dropped with a header that failed would only repeat that
  // nothing is parsed.
  if (plan.header.empty() || opened)
    for (const std::string& xml : plan.xml)
      ReadXmlPath(xml);
  return opened;
}

bool CDocVarnel::ReadXml(const std::string& path) {
  m_strXmlInPath = path;
  TakeFolder(m_strXmlInPath, &m_strXmlInDir);

  std::string raw;
  switch (ReadWholeFile(m_strXmlInPath, &raw)) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kCannotOpen:
      m_pPlatform->ShowMessage(LoadString(IDS_CANNOT_OPEN));
      return false;
    case ReadStatus::kReadError:
      m_pPlatform->ShowMessage(LoadString(IDS_CANNOT_READ));
      return false;
  }
  m_strXmlText = CrLfToLf(std::move(raw));

  if (!m_xml.Load(m_strXmlText)) {
    std::string error = m_xml.GetError();
    if (error.empty())
      error = kXmlWithoutElementMessage;
    else
      error += "\nLine " + std::to_string(m_xml.GetErrorLine()) +
               ", column " + std::to_string(m_xml.GetErrorColumn());
    m_pPlatform->ShowMessage(error);
    ForgetXml();
    return false;
  }
  const int orphansBefore = m_pMerges ? m_pMerges->Report().OrphanCount() : 0;
  if (!MergeXml()) {
    m_pPlatform->ShowMessage(LoadString(IDS_WRONG_XML));
    ForgetXml();
    return false;
  }
  MergeSideFileAndTell(orphansBefore);
  m_pPlatform->LoadViewControls();
  ShowCoverage();
  return true;
}

void CDocVarnel::MergeSideFileAndTell(int orphansBefore) {
  if (!m_pMerges)
    return;
  std::string text;
  const std::string side = m_pMerges->UnmergedSideFileOf(m_strXmlInPath);
  MergeFailure failure;
  if (!side.empty()) {
    if (m_pMerges->MergeFile(side, &failure))
      text = Format(kSideFileReadMessage, side);
    else
      m_pPlatform->ShowMessage(side + ":\n" +
                               (failure.message.empty()
                                    ? std::string(LoadString(IDS_WRONG_XML))
                                    : failure.message));
  }
  const int orphans = m_pMerges->Report().OrphanCount() - orphansBefore;
  if (orphans <= 0)
    return;
  const std::string keptIn = PathFileName(SideFilePath(m_strXmlPath));
  if (!text.empty())
    text += "\n";
  m_pPlatform->ShowMessage(
      text + Format(kOrphansAfterReadMessage,
                    keptIn.empty() ? "STEM.orphans.xml" : keptIn, orphans));
}

bool CDocVarnel::WriteSideFileFor(const std::string& xmlPath,
                                  SideFilePlan* plan) {
  if (!m_pMerges)
    return true;
  std::string err;
  if (!m_pMerges->PlanSideFile(xmlPath, plan, &err)) {
    m_pPlatform->ShowMessage(err);
    return false;
  }
  if (!WriteSideFile(*plan, m_module.m_strName, &err)) {
    m_pPlatform->ShowMessage(LoadString(IDS_CANNOT_SAVE));
    return false;
  }
  return true;
}

void CDocVarnel::TellSideFile(const SideFilePlan& plan) {
  RemoveSideFileIfPlanned(plan);
  if (plan.action == SideFilePlan::kWrite)
    m_pPlatform->ShowMessage(Format(kSideFileWrittenMessage, plan.path,
                                    plan.kept.TextCount() +
                                        plan.carried.TextCount()));
  else if (plan.action == SideFilePlan::kRemove)
    m_pPlatform->ShowMessage(Format(kSideFileRemovedMessage, plan.path));
}

std::string CDocVarnel::CoverageStatus() const {
  if (!m_bParsed)
    return std::string();
  return CoverageCountText(CountCoverage(m_module, false, false));
}

void CDocVarnel::ShowCoverage() { m_pPlatform->ShowStatus(CoverageStatus()); }

void CDocVarnel::OnViewMissingDescriptions() {
  if (!m_bParsed || !FormFirst())
    return;
  const Coverage coverage = CountCoverage(m_module, false);
  std::string text;
  ReadWholeFile(m_strHeaderPath, &text);
  const DeclarationLines lines(text);
  std::vector<std::string> listed;
  const std::string header = PathFileName(m_strHeaderPath);
  for (const CheckFinding& finding :
       MissingFindings(coverage, lines, header))
    listed.push_back(FindingLine(finding));
  if (m_pMerges)
    for (const CheckFinding& finding :
         OrphanFindings(m_pMerges->Report(), std::string()))
      listed.push_back(FindingLine(finding));
  if (listed.empty())
    listed.push_back(kNothingMissingLine);
  listed.push_back(CoverageSummary(coverage));
  ShowCoverage();
  m_pPlatform->ShowLines(kMissingDescriptionsTitle, listed);
}

void CDocVarnel::OnSaveHelpBook() {
  if (!m_bParsed || !FormFirst())
    return;
  std::string dir;
  if (!m_pPlatform->AskFolder(
          kSaveHelpBookTitle,
          InitialFolder(m_strHelpDir.empty() ? m_strHtmlDir : m_strHelpDir),
          &dir))
    return;
  m_strHelpDir = dir;
  HelpBookJob job;
  job.headerPath = m_strHeaderPath;
  job.dir = dir;
  job.stylesheetPath = FindProgramData("Varnel.css", RunningExecutablePath());
  std::ostringstream out, err;
  const HelpBookOutcome outcome = WriteHelpBook(&m_module, job, out, err);
  const std::string project =
      JoinPath(dir, PathStem(m_strHeaderPath) + ".hhp");
  switch (outcome) {
    case HelpBookOutcome::kCompiled:
    case HelpBookOutcome::kProjectOnly:
      m_strHelpProject = project;
      m_pPlatform->ShowMessage(Format(kHelpBookCompiledMessage, project));
      break;
    case HelpBookOutcome::kNoCompiler:
      m_strHelpProject = project;
      m_pPlatform->ShowMessage(Format(kHelpBookProjectMessage, project) +
                               err.str());
      break;
    case HelpBookOutcome::kFailed:
      m_pPlatform->ShowMessage(err.str());
      break;
  }
}

void CDocVarnel::OnSaveXmlFile() { SaveOutput(kXmlOutput); }

void CDocVarnel::OnSaveHtmlFile() { SaveOutput(kHtmlOutput); }

void CDocVarnel::SaveOutput(const OutputFile& output) {
  if (!FormFirst())
    return;
  // A page too large for memory is never empty; it is written piece by
  // piece straight into its file.
  // A build over the limit refuses itself, with its message.
  uint64_t bytes = 0;
  if (&output == &kHtmlOutput && RefuseHugeHtml())
    return;
  bool stream = &output == &kHtmlOutput && IsHtmlTooLarge(&bytes);
  if (!stream && !(this->*output.build)())
    return;
  if (!stream && m_arrLines.empty()) {
    m_pPlatform->ShowMessage(LoadString(IDS_NO_DATA_TO_SAVE));
    return;
  }
  std::string& path = this->*output.path;
  FileDialogRequest request;
  request.strTitle = output.saveTitle;
  request.strFolder = InitialFolder(this->*output.dir);
  request.strFileName = path.empty() ? output.pattern : path;
  request.strDefaultExt = output.ext;
  request.filterType = {output.saveFilterText, output.pattern};
  request.filterAll = kAllFilesSmall;
  request.bPathMustExist = true;
  request.bAskOverwrite = true;
  std::string chosen;
  if (!m_pPlatform->AskSaveFile(request, &chosen))
    return;
  path = chosen;

  // Built again because the page names of the HTML follow its path.
  bool saved;
  SideFilePlan plan;
  std::string err;
  // An output never replaces what it is made from: the header, and for the
  // page the XML file whose descriptions it carries. Saving the XML over
  // the XML file read last is the usual round trip.
  if (SameFile(path, m_strHeaderPath) ||
      (&output == &kHtmlOutput && SameFile(path, m_strXmlInPath))) {
    saved = false;
  } else if (stream) {
    saved = StreamHtml(path);
  } else {
    // The side file first: once the XML file is replaced, it is the only
    // place of the descriptions the new file does not carry.
    if (&output == &kXmlOutput && !WriteSideFileFor(path, &plan))
      return;
    // The page's names follow its new path, and may take it over the
    // limit: a refused build writes nothing.
    if (!(this->*output.build)())
      return;
    saved = SaveLines(path, m_arrLines, &err);
  }
  if (!saved) {
    m_pPlatform->ShowMessage(LoadString(IDS_CANNOT_SAVE));
    return;
  }
  TellSideFile(plan);
  (m_pPlatform->*output.setViewPath)(path);
  m_pPlatform->LoadViewControls();
}

void CDocVarnel::LocateHtmlFile() { LocateOutput(kHtmlOutput); }

void CDocVarnel::LocateXmlFile() { LocateOutput(kXmlOutput); }

void CDocVarnel::LocateOutput(const OutputFile& output) {
  if (!FormFirst())
    return;
  std::string& path = this->*output.path;
  FileDialogRequest request;
  request.strFolder = InitialFolder(this->*output.dir);
  request.strFileName = path.empty() ? output.pattern : AfterLastSeparator(path);
  request.strDefaultExt = output.ext;
  request.filterType = {output.locateFilterText, output.pattern};
  request.filterAll = kAllFilesCapital;
  request.bPathMustExist = true;
  std::string chosen;
  if (!m_pPlatform->AskSaveFile(request, &chosen))
    return;
  path = chosen;
  TakeFolder(path, &(this->*output.dir));
  (m_pPlatform->*output.setViewPath)(path);
  m_pPlatform->LoadViewControls();
}

bool CDocVarnel::ParseHeader() {
  m_bParsed = false;
  m_pMerges.reset();
  std::string err;
  if (!::ParseHeader(m_strHeaderPath, m_strHtmlPath, g_arrMacros,
                     g_arrNotReturns, &m_arrLines, &m_module, &err)) {
    m_pPlatform->ShowMessage(err);
    return false;
  }
  m_bParsed = true;
  m_pMerges = std::make_unique<MergeSession>(&m_module, nullptr);
  return true;
}

bool CDocVarnel::IsHtmlTooLarge(uint64_t* bytes) {
  m_module.MakeNames(m_strHeaderPath, m_strHtmlPath);
  *bytes = EstimateHtmlPageBytes(m_module);
  return *bytes > m_nHtmlMemoryLimit;
}

bool CDocVarnel::StreamHtml(const std::string& path) {
  m_arrLines.clear();
  std::string err;
  return SaveBytePieces(
      path,
      [&](const ByteSink& save) {
        return WriteHtmlPageBytes(&m_module, m_strHeaderPath, m_strHtmlPath,
                                  save);
      },
      &err);
}

namespace {

const char kAllowLargerOutput[] =
    "The command line's --max-output allows it, or";

}  // namespace

bool CDocVarnel::RefuseHugeHtml() {
  m_module.MakeNames(m_strHeaderPath, m_strHtmlPath);
  return Refuse(
      HtmlTooLargeReason(m_module, m_nMaxOutputBytes, kAllowLargerOutput));
}

bool CDocVarnel::RefuseHugeXml() {
  m_module.MakeNames(m_strHeaderPath, m_strHtmlPath);
  return Refuse(
      XmlTooLargeReason(m_module, m_nMaxOutputBytes, kAllowLargerOutput));
}

bool CDocVarnel::Refuse(const std::string& reason) {
  if (reason.empty())
    return false;
  m_arrLines.clear();
  m_pPlatform->ShowMessage(reason);
  return true;
}

bool CDocVarnel::BuildHtml() {
  uint64_t bytes = 0;
  if (RefuseHugeHtml())
    return false;
  if (IsHtmlTooLarge(&bytes)) {
    m_arrLines.clear();
    char text[512];
    std::snprintf(text, sizeof text, kHtmlTooLargeMessage,
                  static_cast<int>(std::min<uint64_t>(bytes >> 20, INT32_MAX)));
    m_pPlatform->ShowMessage(text);
    return false;
  }
  BuildHtmlPage(&m_module, m_strHeaderPath, m_strHtmlPath, &m_arrLines);
  return true;
}

bool CDocVarnel::BuildPreviewPage(std::string* page) {
  if (!m_bParsed || !FormFirst() || !BuildHtml())
    return false;
  *page = JoinedWithLineFeeds(m_arrLines);
  return true;
}

bool CDocVarnel::BuildXml() {
  if (RefuseHugeXml())
    return false;
  BuildXmlDocument(&m_module, m_strHeaderPath, m_strHtmlPath, &m_arrLines);
  return true;
}

bool CDocVarnel::MergeXml() {
  if (!m_pMerges)
    return MergeXmlDocument(&m_xml, &m_module);
  return m_pMerges->MergeLoaded(&m_xml, m_strXmlInPath);
}
