#include "xml/xml_writer.h"

#include <string_view>
#include <unordered_map>

#include "html/html_escape.h"
#include "xml/xml_writer_internal.h"

using namespace xml_writer;

namespace {

// The module name goes back to the reader unchanged only if it survives as
// plain XML: the four markup characters become entities, nothing else does.
std::string XmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

void AppendModuleStatistics(TextList* lines, const CModuleInfo& module) {
  const std::string subject = "The module " + module.m_strName + " contains ";
  AppendStatistics(
      lines, subject,
      {module.m_nVarCount, "no global variables.", "one global variable.",
       " global variables."},
      {{module.m_nVarsLocal, "One variable has local binding.",
        " variables have local binding."},
       {module.m_nVarsExtern, "One variable has external binding.",
        " variables have external binding."}});
  AppendStatistics(
      lines, subject,
      {module.m_nFuncCount, "no global functions.", "one global function.",
       " global functions."},
      {{module.m_nFuncsLocal, "One function has local binding.",
        " functions have local binding."},
       {module.m_nFuncsExtern, "One function has external binding.",
        " functions have external binding."}});
  AppendStatistics(lines, subject,
                   {module.m_nClasses, "no class definition.",
                    "one class definition.", " class definitions."},
                   {});
}

// HIncludesList or CPPIncludesList: a heading and one entry per include, or
// the single placeholder entry.
void AppendIncludeList(TextList* lines, const char* listTag,
                       const std::string& heading, const char* entriesTag,
                       const char* entryTag, const TextList& includes,
                       const char* placeholder) {
  lines->push_back(std::string("<") + listTag + ">");
  lines->push_back(InlineElement("Header", HtmlEscaped(heading)));
  lines->push_back(std::string("<") + entriesTag + ">");
  for (const std::string& include : includes)
    lines->push_back(InlineElement(entryTag, HtmlEscaped(include)));
  if (includes.empty())
    lines->push_back(InlineElement(entryTag, placeholder));
  lines->push_back(EndTag(entriesTag));
  lines->push_back(EndTag(listTag));
}

void AppendClassList(TextList* lines, const CModuleInfo& module) {
  size_t count = UsableCount(module.m_nClasses, module.m_pClasses.size());
  if (count == 0)
    return;
  lines->push_back("<ClassList>");
  lines->push_back(InlineElement("Header", "Class definitions:"));
  lines->push_back("<ClassDefinitions>");
  for (size_t i = 0; i < count; ++i) {
    const CClassInfo& cls = module.m_pClasses[i];
    lines->push_back(
        InlineElement("ClassDefinition", HtmlEscaped(cls.m_strName)));
    lines->push_back(InlineElement(
        "Baseclass", cls.m_strBase.empty() ? std::string(kNone)
                                           : HtmlEscaped(cls.m_strBase)));
  }
  lines->push_back("</ClassDefinitions>");
  lines->push_back("</ClassList>");
}

}  // namespace

bool BuildXmlDocumentInPieces(CModuleInfo* module,
                              const std::string& headerPath,
                              const std::string& htmlPath,
                              const LineSink& flush) {
  module->MakeAnchors();
  module->MakeFileNames(headerPath, htmlPath);
  TextList lines;
  WriteXmlHead(&lines, *module);
  WriteXmlModule(&lines, *module);
  if (!AppendGlobalVars(&lines, *module, &flush) ||
      !AppendGlobalFuncs(&lines, *module, &flush) || !flush(&lines))
    return false;

  // Each class is written as the first record of its name; one index built
  // here keeps that lookup linear over many classes.
  size_t count = UsableCount(module->m_nClasses, module->m_pClasses.size());
  std::unordered_map<std::string_view, const CClassInfo*> firstByName;
  firstByName.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const CClassInfo& cls = module->m_pClasses[i];
    firstByName.emplace(cls.m_strName, &cls);
  }
  for (size_t i = 0; i < count; ++i) {
    if (!AppendClass(&lines, *firstByName.at(module->m_pClasses[i].m_strName),
                     *module, &flush) ||
        !flush(&lines))
      return false;
  }
  WriteXmlEnd(&lines, *module);
  return flush(&lines);
}

void BuildXmlDocument(CModuleInfo* module, const std::string& headerPath,
                      const std::string& htmlPath, TextList* lines) {
  lines->clear();
  BuildXmlDocumentInPieces(module, headerPath, htmlPath, AppendingTo(lines));
}

void WriteXmlHead(TextList* lines, const CModuleInfo& /*module*/) {
  lines->push_back("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>");
  lines->push_back("<!DOCTYPE Varnel SYSTEM \".\\Varnel.dtd\" >");
  lines->push_back("<!-- This file was generated by Varnel -->");
}

void WriteXmlModule(TextList* lines, const CModuleInfo& module) {
  const std::string name = XmlEscaped(module.m_strName);
  lines->push_back("<Varnel anchor=\"Modul" + name + "\" NAME=\"Modul" + name +
                   "\" class=\"Technik\">");
  lines->push_back(InlineElement("Module.Title", name));
  lines->push_back("<Module.Description>");
  lines->push_back("<Text>");
  lines->push_back(module.m_strDescription.empty() ? kModuleDescPlaceholder
                                                   : module.m_strDescription);
  lines->push_back("</Text>");
  AppendModuleStatistics(lines, module);
  AppendIncludeList(lines, "HIncludesList",
                    "Included files by " + module.m_strName + ".h:",
                    "HIncludes", "HInclude", module.m_arrHIncludes, kNone);
  AppendIncludeList(lines, "CPPIncludesList",
                    "Included files by " + module.m_strName + ".cpp:",
                    "CPPIncludes", "CPPInclude", module.m_arrCppIncludes,
                    kUnknown);
  AppendClassList(lines, module);
  lines->push_back("</Module.Description>");
}

void WriteXmlEnd(TextList* lines, const CModuleInfo& /*module*/) {
  lines->push_back("</Varnel>");
}
