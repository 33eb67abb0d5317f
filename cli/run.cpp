#include "cli/run.h"

#include <filesystem>

#include "html/html_writer.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"
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

bool Merge(const std::string& path, CModuleInfo* module, std::ostream& err) {
  std::string text;
  if (ReadWholeFile(path, &text) != ReadStatus::kOk) {
    err << path << ": " << kCannotOpenMessage << "\n";
    return false;
  }
  CXmlTree xml;
  if (!xml.Load(CrLfToLf(std::move(text)))) {
    std::string message = xml.GetError();
    err << path << ":";
    if (message.empty())
      message = kNoElementMessage;
    else
      err << xml.GetErrorLine() << ":" << xml.GetErrorColumn() << ":";
    err << " " << message << "\n";
    return false;
  }
  if (!MergeXmlDocument(&xml, module)) {
    err << path << ": " << kWrongXmlMessage << "\n";
    return false;
  }
  return true;
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
  std::string settings = SettingsPath(opts);
  if (!settings.empty() && ((opts.html && SamePath(html, settings)) ||
                            (opts.xml && SamePath(xml, settings)))) {
    err << "varnel: an output would overwrite the settings file " << settings
        << "\n";
    return false;
  }
  return true;
}

}  // namespace

int RunVarnel(const CliOptions& opts, std::ostream& out, std::ostream& err) {
  std::string htmlPath = HtmlOutputPath(opts);
  std::string xmlPath = XmlOutputPath(opts);
  if (!CheckOutputs(opts, htmlPath, xmlPath, err))
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
  for (const auto& path : opts.merges)
    if (!Merge(path, &module, err))
      return 1;
  if (!opts.html && !opts.xml) {
    if (!opts.showLines)
      PrintSummary(module, out);
    return 0;
  }
  if (opts.xml && !WriteOutput(BuildXmlDocumentInPieces, &module, opts,
                               htmlPath, xmlPath, out, err))
    return 1;
  if (opts.html && !WriteOutput(BuildHtmlPageInPieces, &module, opts,
                                htmlPath, htmlPath, out, err))
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
