#include "app/header_job.h"

#include <memory>

#include "app/help_book_job.h"
#include "app/merge_messages.h"
#include "app/path_info.h"
#include "html/html_writer.h"
#include "html/output_limit.h"
#include "model/file_io.h"
#include "parser/declaration_lines.h"
#include "parser/parse_header.h"
#include "xml/merge_session.h"
#include "xml/renames.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_writer.h"

namespace {

const char kNoElementMessage[] = "The XML file is empty or holds no element.";

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

bool IsMergeOption(const HeaderJob& job, const std::string& path) {
  for (const auto& merge : job.merges)
    if (merge == path || SameExistingFile(merge, path))
      return true;
  return false;
}

// Every merge file in order, each followed by its side file when it has
// one that is not merged anyway.
bool MergeAll(const HeaderJob& job, MergeSession* session, JobLog* log) {
  MergeFailure failure;
  for (const auto& path : job.merges) {
    if (!session->MergeFile(path, &failure)) {
      PrintMergeFailure(failure, log->Err());
      return false;
    }
    const std::string side = session->UnmergedSideFileOf(path);
    if (side.empty() || IsMergeOption(job, side))
      continue;
    if (!session->MergeFile(side, &failure)) {
      PrintMergeFailure(failure, log->Err());
      log->Err() << "varnel: " << side << " was read as the side file of "
                 << path << "; mend it, or move it away if it is not one\n";
      return false;
    }
    log->Err() << "varnel: merged " << side << " after " << path << "\n";
  }
  return true;
}

// A rename whose old name no merged file has is a mistake to stop at
// before anything is written.
bool CheckRenamesUsed(const RenameMap& renames, JobLog* log) {
  const std::vector<std::string> unused = renames.Unused();
  for (const auto& renameArg : unused)
    log->Err() << "varnel: --rename " << renameArg
               << ": the merged files have no entry of the old name\n";
  for (const auto& renameArg : renames.Unresolved())
    log->Err() << "varnel: --rename " << renameArg
               << " moved nothing: the header has no entry of the new name\n";
  return unused.empty();
}

KeptWhere DescribeKeeping(const HeaderJob& job, const SideFilePlan& plan) {
  KeptWhere where;
  if (plan.action == SideFilePlan::kWrite)
    where.sideFile = plan.path;
  where.xmlFile = job.xmlPath == "-" ? "the XML output" : job.xmlPath;
  where.membersOption = job.options.bShowProtected ? "--members protected"
                                                   : "--members public";
  where.globalsOption = "--globals extern";
  return where;
}

// Where the lines of an output go: a file, replaced only when complete,
// or standard output for the path "-".
class Output {
 public:
  Output(const std::string& path, std::ostream* out) : path_(path), out_(out) {}

  bool Open(std::string* err) {
    if (path_ != "-")
      return file_.Open(path_, err);
    if (!out_)
      *err = kCannotSaveMessage;
    return out_ != nullptr;
  }

  bool Write(std::string_view bytes, std::string* err) {
    if (path_ != "-")
      return file_.WriteBytes(bytes, err);
    out_->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!*out_) {
      *err = kCannotSaveMessage;
      return false;
    }
    return true;
  }

  bool Close(std::string* err) {
    if (path_ != "-")
      return file_.Commit(err);
    out_->flush();
    return static_cast<bool>(*out_);
  }

 private:
  std::string path_;
  std::ostream* out_;
  SafeFileWriter file_;
};

// WriteNamedXmlDocumentBytes or WriteNamedHtmlPageBytes.
using ByteBuilder = bool (*)(const CModuleInfo&, const ByteSink&);

// The outputs go out piece by piece: the page can be far larger than the
// header (every block repeats a bar of all classes), and neither needs to
// be held whole.
bool WriteOutput(ByteBuilder build, const CModuleInfo& module,
                 const std::string& path, std::ostream* stdoutStream,
                 JobLog* log) {
  std::string message;
  Output output(path, stdoutStream);
  const ByteSink sink = [&](std::string_view bytes) {
    return output.Write(bytes, &message);
  };
  if (output.Open(&message) && build(module, sink) && output.Close(&message))
    return true;
  log->Err() << path << ": " << message << "\n";
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

// The summary, or the outputs asked for and where they went.
int WriteOutputs(const HeaderJob& job, CModuleInfo* module,
                 std::ostream* stdoutStream, JobLog* log) {
  if (!job.html && !job.xml) {
    if (!job.showLines && !job.check && job.helpBookDir.empty())
      PrintSummary(*module, log->Out());
    return 0;
  }
  if (job.xml && !WriteOutput(WriteNamedXmlDocumentBytes, *module,
                              job.xmlPath, stdoutStream, log))
    return 1;
  if (job.html && !WriteOutput(WriteNamedHtmlPageBytes, *module,
                               job.htmlPath, stdoutStream, log))
    return 1;
  // Say where the files are, unless standard output carries one of them.
  const bool toStdout =
      (job.xml && job.xmlPath == "-") || (job.html && job.htmlPath == "-");
  if (!toStdout) {
    if (job.xml)
      log->Out() << "Wrote " << job.xmlPath << "\n";
    if (job.html)
      log->Out() << "Wrote " << job.htmlPath << "\n";
  }
  return 0;
}

// A page or XML file over the limit is refused before anything is written.
// The model is named for the outputs.
bool WithinLimit(const CModuleInfo& module, const HeaderJob& job,
                 JobLog* log) {
  const std::string allow = "Use --max-output to allow it, or";
  if (job.html) {
    const std::string reason =
        HtmlTooLargeReason(module, job.maxOutputBytes, allow);
    if (!reason.empty()) {
      log->Err() << job.header << ": " << reason << "\n";
      return false;
    }
  }
  if (job.xml) {
    const std::string reason =
        XmlTooLargeReason(module, job.maxOutputBytes, allow);
    if (!reason.empty()) {
      log->Err() << job.header << ": " << reason << "\n";
      return false;
    }
  }
  return true;
}

void NoteModule(const CModuleInfo& module, HeaderJobResult* result) {
  result->parsed = true;
  result->moduleName = module.m_strName;
  result->classes = module.m_nClasses;
  result->functions = module.m_nFuncs;
  result->variables = module.m_nVars;
}

// What is missing and what lost its entry, for the check.
void CheckDocumentation(const HeaderJob& job, const MergeReport& report,
                        const std::string& keptIn, HeaderJobResult* result) {
  std::string text;
  ReadWholeFile(job.header, &text);
  const DeclarationLines lines(text);
  result->missing = MissingFindings(result->coverage, lines, job.header);
  // The findings say it all; the list goes before the next header's.
  std::vector<MissingDescription>().swap(result->coverage.missing);
  result->orphaned = OrphanFindings(report, keptIn);
  result->checked = true;
}

// Parse, merge, keep, write; returns the exit status.
int Run(const HeaderJob& job, CModuleInfo* model, std::ostream* stdoutStream,
        HeaderJobResult* result) {
  JobLog* log = &result->log;
  RenameMap renames;
  std::string message;
  for (const auto& renameArg : job.renames) {
    if (!renames.Add(renameArg, &message)) {
      log->Err() << "varnel: " << message << "\n";
      return 2;
    }
  }
  CModuleInfo& module = *model;
  module.SetOptions(job.options);
  module.m_strName = PathStem(job.header);
  TextList lines;
  static const TextList kNone;
  // The naming follows the HTML path, as in the window.
  if (!ParseHeader(job.header, job.htmlPath,
                   job.macros ? *job.macros : kNone,
                   job.notReturns ? *job.notReturns : kNone, &lines, &module,
                   &message)) {
    log->Err() << job.header << ": " << message << "\n";
    return 1;
  }
  NoteModule(module, result);
  if (job.showLines)
    for (const auto& line : lines)
      log->Out() << line << "\n";
  renames.Resolve(module);
  MergeSession session(&module, &renames);
  if (!MergeAll(job, &session, log))
    return 1;
  if (!CheckRenamesUsed(renames, log))
    return 2;
  // The parse named the model for these paths, and only a merge changes
  // records. The check of the sizes and the outputs change nothing the
  // names depend on.
  if (!job.merges.empty()) {
    module.MakeNames(job.header, job.htmlPath);
  }
  if (!WithinLimit(module, job, log))
    return 1;

  // The side file is written first: once the XML file is replaced, it is
  // the only place of the texts the new XML does not carry.
  SideFilePlan plan;
  if (job.xml) {
    if (!session.PlanSideFile(job.xmlPath, &plan, &message)) {
      log->Err() << "varnel: " << message << "\n";
      return 1;
    }
  } else {
    plan.kept.Absorb(session.Report());
  }
  if (!WriteSideFile(plan, module.m_strName, &message)) {
    log->Err() << plan.path << ": " << message << "\n";
    return 1;
  }
  if (int status = WriteOutputs(job, &module, stdoutStream, log))
    return status;
  RemoveSideFileIfPlanned(plan);
  if (!job.helpBookDir.empty()) {
    HelpBookJob book;
    book.headerPath = job.header;
    book.dir = job.helpBookDir;
    book.stylesheetPath = job.stylesheetPath;
    book.compile = job.compileHelpBook;
    const HelpBookOutcome outcome =
        WriteHelpBook(&module, book, log->Out(), log->Err());
    if (outcome == HelpBookOutcome::kFailed)
      return 1;
    result->helpBookWritten = true;
  }
  if (job.check || job.countCoverage)
    result->coverage = CountCoverage(module, job.checkAll, job.check);
  if (job.check) {
    CheckDocumentation(
        job, session.Report(),
        plan.action == SideFilePlan::kWrite ? plan.path : std::string(),
        result);
  } else {
    PrintKeptTexts(plan, DescribeKeeping(job, plan),
                   SuggestRenames(plan.kept, module), log->Err());
  }
  if (plan.action == SideFilePlan::kRemove)
    log->Err() << "varnel: every description of " << plan.path
               << " found its entry; removed it\n";
  return job.strict && plan.kept.OrphanCount() > 0 ? 1 : 0;
}

// Keeps the model of a process's last job until the process ends. The
// system takes its memory back at once then, while freeing a large
// header's records one by one costs about a tenth of its whole job.
void LeaveUntilExit(std::unique_ptr<CModuleInfo> model) {
  static CModuleInfo* left = nullptr;
  delete left;
  left = model.release();
}

// `settings` is the settings file's, with an empty path when there is none.
bool CheckPaths(const HeaderJob& job, const PathInfo& settings,
                PathInfos* known, std::string* err) {
  const PathInfo& header = known->Of(job.header);
  const PathInfo& html = known->Of(job.html ? job.htmlPath : std::string());
  const PathInfo& xml = known->Of(job.xml ? job.xmlPath : std::string());
  if (SamePath(html, header)) {
    *err = "the HTML output would overwrite the header " + html.path;
    return false;
  }
  if (SamePath(xml, header)) {
    *err = "the XML output would overwrite the header " + xml.path;
    return false;
  }
  if (SamePath(html, xml)) {
    *err = "the HTML and the XML output have the same path " + html.path;
    return false;
  }
  // The XML output may replace a merged file (that is the round trip), but
  // the page would lose its descriptions.
  for (const auto& merge : job.merges) {
    if (job.html && SamePath(html, known->Of(merge))) {
      *err = "the HTML output would overwrite the merged file " + html.path;
      return false;
    }
  }
  if (job.check && ((job.xml && xml.path == "-") ||
                    (job.html && html.path == "-"))) {
    *err = "--check writes its report to standard output; write the outputs "
           "to files";
    return false;
  }
  const std::string side = job.xml ? SideFilePath(xml.path) : std::string();
  if (job.html && !side.empty() && SamePath(html, known->Of(side))) {
    *err = "the HTML output would overwrite the side file " + side +
           " of the XML output";
    return false;
  }
  if (SamePath(html, settings) || SamePath(xml, settings)) {
    *err = "an output would overwrite the settings file " + settings.path;
    return false;
  }
  return true;
}

}  // namespace

bool CheckJobsPaths(const std::vector<HeaderJob>& jobs,
                    const std::string& settingsPath, PathInfos* known,
                    std::string* err) {
  const PathInfo settings =
      settingsPath.empty() ? PathInfo() : known->Of(settingsPath);
  for (const HeaderJob& job : jobs)
    if (!CheckPaths(job, settings, known, err))
      return false;
  return true;
}

HeaderJobResult RunHeaderJob(const HeaderJob& job,
                             std::ostream* stdoutStream) {
  HeaderJobResult result;
  auto model = std::make_unique<CModuleInfo>();
  result.status = Run(job, model.get(), stdoutStream, &result);
  if (job.leaveModelUntilExit)
    LeaveUntilExit(std::move(model));
  return result;
}
