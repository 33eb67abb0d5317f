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
  std::error_code ec1, ec2;
  auto ca = std::filesystem::weakly_canonical(a, ec1);
  auto cb = std::filesystem::weakly_canonical(b, ec2);
  if (ec1 || ec2)
    return a == b;
  return ca == cb;
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
  if (!xml.Load(CrLfToLf(text))) {
    std::string message = xml.GetError();
    err << path << ": " << (message.empty() ? kNoElementMessage : message)
        << "\n";
    return false;
  }
  if (!MergeXmlDocument(&xml, module)) {
    err << path << ": " << kWrongXmlMessage << "\n";
    return false;
  }
  return true;
}

bool Write(const std::string& path, const TextList& lines, std::ostream& out,
           std::ostream& err) {
  if (path == "-") {
    for (const auto& line : lines)
      out << line << "\r\n";
    out.flush();
    return static_cast<bool>(out);
  }
  std::string message;
  if (SaveLines(path, lines, &message))
    return true;
  err << path << ": " << message << "\n";
  return false;
}

void PrintSummary(const CModuleInfo& m, std::ostream& out) {
  out << "Module " << m.m_strName << "\n";
  out << "  " << m.m_nClasses << " classes and structs\n";
  for (const auto& cls : m.m_pClasses)
    out << "    " << cls.m_strName << ": " << cls.m_nVars
        << " data members, " << cls.m_nFuncs << " methods\n";
  out << "  " << m.m_nFuncs << " global functions (" << m.m_nFuncCount
      << " declarations)\n";
  for (const auto& func : m.m_pFuncs)
    out << "    " << func.m_strName << "\n";
  out << "  " << m.m_nVars << " global variables\n";
  for (const auto& var : m.m_pVars)
    out << "    " << var.m_strName << "\n";
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
  if (opts.xml) {
    BuildXmlDocument(&module, opts.header, htmlPath, &lines);
    if (!Write(xmlPath, lines, out, err))
      return 1;
  }
  if (opts.html) {
    BuildHtmlPage(&module, opts.header, htmlPath, &lines);
    if (!Write(htmlPath, lines, out, err))
      return 1;
  }
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
