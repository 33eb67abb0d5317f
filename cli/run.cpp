#include "cli/run.h"

#include <filesystem>

#include "cli/check_json.h"
#include "cli/merge_messages.h"
#include "html/html_writer.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/declaration_lines.h"
#include "parser/parse_header.h"
#include "xml/check_report.h"
#include "xml/coverage.h"
#include "xml/merge_session.h"
#include "xml/renames.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace {

const char kNoElementMessage[] = "The XML file is empty or holds no element.";

bool SamePath(const std::string& a, const std::string& b) {
  if (a == "-" || b == "-")
    return false;
  // Hard links and other spellings of one existing file.
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec) && !ec)
    return true;
  std::error_code ec1, ec2;
  auto ca = std::filesystem::weakly_canonical(a, ec1);
  auto cb = std::filesystem::weakly_canonical(b, ec2);
  if (ec1 || ec2)
    return a == b;
  return ca == cb;
}

// The settings file that will be read, or "" when there is none.
std::string SettingsPath(const CliOptions& opts) {
  if (!opts.iniPath.empty())
    return opts.iniPath;
  std::string path = SettingsFileNameFor("varnel");
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) ? path : std::string();
}

bool ReadSettings(const CliOptions& opts, std::ostream& err) {
  std::string message;
  if (!opts.iniPath.empty()) {
    if (ReadParserSettings(opts.iniPath, &message))
      return true;
    err << message << "\n";
    return false;
  }
  // The settings file named after the program, if the folder has one.
  std::string path = SettingsFileNameFor("varnel");
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec))
    ReadParserSettings(path, &message);
  return true;
}

void PrintMergeFailure(const MergeFailure& failure, std::ostream& err) {
  err << failure.path << ":";
  switch (failure.kind) {
    case MergeFailure::kCannotOpen:
      err << " " << kCannotOpenMessage;
      break;
    case MergeFailure::kCannotRead:
      err << " " << kCannotReadMessage;
      break;
    case MergeFailure::kMalformed:
      if (failure.message.empty())
        err << " " << kNoElementMessage;
      else
        err << failure.line << ":" << failure.column << ": "
            << failure.message;
      break;
    case MergeFailure::kWrongModule:
      err << " " << kWrongXmlMessage;
      break;
  }
  err << "\n";
}

bool IsMergeOption(const CliOptions& opts, const std::string& path) {
  for (const auto& merge : opts.merges)
    if (merge == path || SameExistingFile(merge, path))
      return true;
  return false;
}

// Every --merge file in order, each followed by its side file when it has
// one that is not merged anyway.
bool MergeAll(const CliOptions& opts, MergeSession* session,
              std::ostream& err) {
  MergeFailure failure;
  for (const auto& path : opts.merges) {
    if (!session->MergeFile(path, &failure)) {
      PrintMergeFailure(failure, err);
      return false;
    }
    const std::string side = session->UnmergedSideFileOf(path);
    if (side.empty() || IsMergeOption(opts, side))
      continue;
    if (!session->MergeFile(side, &failure)) {
      PrintMergeFailure(failure, err);
      err << "varnel: " << side << " was read as the side file of " << path
          << "; mend it, or move it away if it is not one\n";
      return false;
    }
    err << "varnel: merged " << side << " after " << path << "\n";
  }
  return true;
}

// The renames in the options; false after a message when one is not of
// the form OLD=NEW.
bool ReadRenames(const CliOptions& opts, RenameMap* renames,
                 std::ostream& err) {
  std::string message;
  for (const auto& spec : opts.renames) {
    if (!renames->Add(spec, &message)) {
      err << "varnel: " << message << "\n";
      return false;
    }
  }
  return true;
}

// A rename whose old name no merged file has is a mistake to stop at
// before anything is written.
bool CheckRenamesUsed(const RenameMap& renames, std::ostream& err) {
  const std::vector<std::string> unused = renames.Unused();
  for (const auto& spec : unused)
    err << "varnel: --rename " << spec
        << ": the merged files have no entry of the old name\n";
  for (const auto& spec : renames.Unresolved())
    err << "varnel: --rename " << spec
        << " moved nothing: the header has no entry of the new name\n";
  return unused.empty();
}

KeptWhere DescribeKeeping(const CliOptions& opts, const SideFilePlan& plan,
                          const std::string& xmlPath) {
  KeptWhere where;
  if (plan.action == SideFilePlan::kWrite)
    where.sideFile = plan.path;
  where.xmlFile = xmlPath == "-" ? "the XML output" : xmlPath;
  where.membersOption = opts.options.bShowProtected ? "--members protected"
                                                    : "--members public";
  where.globalsOption = "--globals extern";
  return where;
}

// Where the lines of an output go: a file, replaced only when complete,
// or standard output for the path "-".
class Output {
 public:
  Output(const std::string& path, std::ostream& out) : path_(path), out_(out) {}

  bool Open(std::string* err) { return path_ == "-" || file_.Open(path_, err); }

  bool Write(TextList* lines, std::string* err) {
    bool ok = true;
    if (path_ == "-") {
      for (const auto& line : *lines)
        out_ << line << "\r\n";
      ok = static_cast<bool>(out_);
      if (!ok)
        *err = kCannotSaveMessage;
    } else {
      ok = file_.Write(*lines, err);
    }
    lines->clear();
    return ok;
  }

  bool Close(std::string* err) {
    if (path_ != "-")
      return file_.Commit(err);
    out_.flush();
    return static_cast<bool>(out_);
  }

 private:
  std::string path_;
  std::ostream& out_;
  SafeFileWriter file_;
};

// BuildXmlDocumentInPieces or BuildHtmlPageInPieces.
using PieceBuilder = bool (*)(CModuleInfo*, const std::string&,
                              const std::string&,
                              const LineSink&);

// The outputs go out piece by piece: the page can be far larger than the
// header (every block repeats a bar of all classes), and neither needs to
// be held whole.
bool WriteOutput(PieceBuilder build, CModuleInfo* module,
                 const CliOptions& opts, const std::string& htmlPath,
                 const std::string& path, std::ostream& out,
                 std::ostream& err) {
  std::string message;
  Output output(path, out);
  if (output.Open(&message) &&
      build(module, opts.header, htmlPath,
            [&](TextList* piece) { return output.Write(piece, &message); }) &&
      output.Close(&message))
    return true;
  err << path << ": " << message << "\n";
  return false;
}

// Prints up to kListed names of a list, then how many more there are.
template <typename Records, typename Name>
void PrintNames(const Records& records, Name name, std::ostream& out) {
  const size_t kListed = 20;
  for (size_t i = 0; i < records.size() && i < kListed; ++i)
    out << "    " << name(records[i]) << "\n";
  if (records.size() > kListed)
    out << "    ... and " << records.size() - kListed << " more\n";
}

void PrintSummary(const CModuleInfo& m, std::ostream& out) {
  out << "Module " << m.m_strName << "\n";
  out << "  " << m.m_nClasses << " classes and structs\n";
  PrintNames(m.m_pClasses, [](const CClassInfo& c) {
    return c.m_strName + ": " + std::to_string(c.m_nVars) +
           " data members, " + std::to_string(c.m_nFuncs) + " methods";
  }, out);
  out << "  " << m.m_nFuncs << " global functions (" << m.m_nFuncCount
      << " declarations)\n";
  PrintNames(m.m_pFuncs, [](const CDeclInfo& f) { return f.m_strName; }, out);
  out << "  " << m.m_nVars << " global variables\n";
  PrintNames(m.m_pVars, [](const CDeclInfo& v) { return v.m_strName; }, out);
}

// Refuses outputs that would overwrite the header or each other.
bool CheckOutputs(const CliOptions& opts, const std::string& html,
                  const std::string& xml, std::ostream& err) {
  if (opts.html && SamePath(html, opts.header)) {
    err << "varnel: the HTML output would overwrite the header " << html
        << "\n";
    return false;
  }
  if (opts.xml && SamePath(xml, opts.header)) {
    err << "varnel: the XML output would overwrite the header " << xml << "\n";
    return false;
  }
  if (opts.html && opts.xml && (html == xml || SamePath(html, xml))) {
    err << "varnel: the HTML and the XML output have the same path " << html
        << "\n";
    return false;
  }
  // The XML output may replace a merged file (that is the round trip), but
  // the page would lose its descriptions.
  for (const auto& merge : opts.merges) {
    if (opts.html && SamePath(html, merge)) {
      err << "varnel: the HTML output would overwrite the merged file " << html
          << "\n";
      return false;
    }
  }
  if (opts.check != CliOptions::Check::kNone &&
      ((opts.xml && xml == "-") || (opts.html && html == "-"))) {
    err << "varnel: --check writes its report to standard output; write "
           "the outputs to files\n";
    return false;
  }
  const std::string side = opts.xml ? SideFilePath(xml) : std::string();
  if (opts.html && !side.empty() && SamePath(html, side)) {
    err << "varnel: the HTML output would overwrite the side file " << side
        << " of the XML output\n";
    return false;
  }
  std::string settings = SettingsPath(opts);
  if (!settings.empty() && ((opts.html && SamePath(html, settings)) ||
                            (opts.xml && SamePath(xml, settings)))) {
    err << "varnel: an output would overwrite the settings file " << settings
        << "\n";
    return false;
  }
  return true;
}

// The summary, or the outputs asked for and where they went.
int WriteOutputs(const CliOptions& opts, CModuleInfo* module,
                 const std::string& htmlPath, const std::string& xmlPath,
                 std::ostream& out, std::ostream& err) {
  if (!opts.html && !opts.xml) {
    if (!opts.showLines)
      PrintSummary(*module, out);
    return 0;
  }
  if (opts.xml && !WriteOutput(BuildXmlDocumentInPieces, module, opts,
                               htmlPath, xmlPath, out, err))
    return 1;
  if (opts.html && !WriteOutput(BuildHtmlPageInPieces, module, opts, htmlPath,
                                htmlPath, out, err))
    return 1;
  // Say where the files are, unless standard output carries one of them.
  bool toStdout = (opts.xml && xmlPath == "-") || (opts.html && htmlPath == "-");
  if (!toStdout) {
    if (opts.xml)
      out << "Wrote " << xmlPath << "\n";
    if (opts.html)
      out << "Wrote " << htmlPath << "\n";
  }
  return 0;
}

// The documentation check: what is missing, what lost its entry, the
// coverage; the exit status says whether the documentation passes.
int CheckDocumentation(const CliOptions& opts, const CModuleInfo& module,
                       const MergeReport& report, const std::string& keptIn,
                       std::ostream& out) {
  const Coverage coverage = CountCoverage(module, opts.checkAll);
  std::string text;
  ReadWholeFile(opts.header, &text);
  const DeclarationLines lines(text);
  const std::vector<CheckFinding> missing =
      MissingFindings(coverage, lines, opts.header);
  const std::vector<CheckFinding> orphaned = OrphanFindings(report, keptIn);
  if (opts.check == CliOptions::Check::kJson) {
    out << CheckJson(opts.header, coverage, missing, orphaned);
  } else {
    for (const CheckFinding& finding : missing)
      out << FindingLine(finding) << "\n";
    for (const CheckFinding& finding : orphaned)
      out << FindingLine(finding) << "\n";
    out << CoverageSummary(coverage) << "\n";
  }
  if (!orphaned.empty())
    return 1;
  if (opts.minCoverage >= 0)
    return coverage.Percent() >= opts.minCoverage ? 0 : 1;
  return missing.empty() ? 0 : 1;
}

}  // namespace

int RunVarnel(const CliOptions& opts, std::ostream& out, std::ostream& err) {
  std::string htmlPath = HtmlOutputPath(opts);
  std::string xmlPath = XmlOutputPath(opts);
  if (!CheckOutputs(opts, htmlPath, xmlPath, err))
    return 2;
  RenameMap renames;
  if (!ReadRenames(opts, &renames, err))
    return 2;
  if (!ReadSettings(opts, err))
    return 1;

  CModuleInfo module;
  module.SetOptions(opts.options);
  module.m_strName = PathStem(opts.header);
  TextList lines;
  std::string message;
  // The naming follows the HTML path, as in the window.
  if (!ParseHeader(opts.header, htmlPath, g_arrMacros, g_arrNotReturns, &lines,
                   &module, &message)) {
    err << opts.header << ": " << message << "\n";
    return 1;
  }
  if (opts.showLines)
    for (const auto& line : lines)
      out << line << "\n";
  renames.Resolve(module);
  MergeSession session(&module, &renames);
  if (!MergeAll(opts, &session, err))
    return 1;
  if (!CheckRenamesUsed(renames, err))
    return 2;

  // The side file is written first: once the XML file is replaced, it is
  // the only place of the texts the new XML does not carry.
  SideFilePlan plan;
  if (opts.xml) {
    if (!session.PlanSideFile(xmlPath, &plan, &message)) {
      err << "varnel: " << message << "\n";
      return 1;
    }
  } else {
    plan.kept.Absorb(session.Report());
  }
  if (!WriteSideFile(plan, module.m_strName, &message)) {
    err << plan.path << ": " << message << "\n";
    return 1;
  }
  const bool checking = opts.check != CliOptions::Check::kNone;
  if (!checking || opts.html || opts.xml) {
    int status = WriteOutputs(opts, &module, htmlPath, xmlPath, out, err);
    if (status != 0)
      return status;
  }
  RemoveSideFileIfPlanned(plan);
  if (checking)
    return CheckDocumentation(
        opts, module, session.Report(),
        plan.action == SideFilePlan::kWrite ? plan.path : std::string(), out);
  PrintKeptTexts(plan, DescribeKeeping(opts, plan, xmlPath),
                 SuggestRenames(plan.kept, module), err);
  if (plan.action == SideFilePlan::kRemove)
    err << "varnel: every description of " << plan.path
        << " found its entry; removed it\n";
  return opts.strict && plan.kept.OrphanCount() > 0 ? 1 : 0;
}
