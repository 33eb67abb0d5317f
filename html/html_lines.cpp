#include "html/html_lines.h"

#include <algorithm>

#include "html/html_escape.h"

namespace {

const char kObjectLine[] =
    "<object type=\"application/x-oleobject\" "
    "classid=\"clsid:1e2a7bd0-dab9-11d0-b93a-00c04fc99f9e\">";

template <typename T>
std::span<const T> FirstRecords(const std::vector<T>& records, int count) {
  size_t n = count > 0 ? static_cast<size_t>(count) : 0;
  return std::span<const T>(records.data(), std::min(n, records.size()));
}

// Page files, titles and keywords carry names straight from the header
// (template arguments, operators), so they are escaped like any header
// text that lands in markup.
std::string ParamLine(const char* name, const std::string& value) {
  return "<param name=\"" + std::string(name) + "\" value=\"" +
         HtmlEscaped(value) + "\">";
}

// One <dt>/<dd> pair per entry; "void" stands alone, every other entry
// gets its description or the placeholder.
void WriteDescribedList(TextList* lines, const TextList& entries,
                        const TextList& descs, const std::string& placeholder) {
  lines->push_back("<dl>");
  for (size_t i = 0; i < entries.size(); ++i) {
    lines->push_back("<dt>" + HtmlEscaped(entries[i]) + "</dt>");
    if (entries[i] == "void")
      continue;
    lines->push_back("<dd>");
    lines->push_back(TextOr(DescAt(descs, i), placeholder));
    lines->push_back("</dd>");
  }
  lines->push_back("</dl>");
}

}  // namespace

std::span<const CDeclInfo> Records(const std::vector<CDeclInfo>& records,
                                   int count) {
  return FirstRecords(records, count);
}

std::span<const CClassInfo> Records(const std::vector<CClassInfo>& records,
                                    int count) {
  return FirstRecords(records, count);
}

std::string HtmlAnchorLine(const std::string& anchor) {
  return "<a id=\"" + anchor + "\" NAME=\"" + anchor + "\"></a>";
}

std::string HtmlLink(const CModuleInfo& module, const std::string& file,
                     const std::string& anchor, const std::string& label) {
  std::string target = "#" + anchor;
  // The page file holds the class name as written, "<" and ">" included.
  if (module.m_bSplitFiles)
    target = HtmlEscaped(file) + target;
  return "&nbsp;<a href=\"" + target + "\">" + label + "</A>&nbsp;";
}

void WriteSplitFileObject(TextList* lines, const CModuleInfo& module,
                          const std::string& file, const std::string& title) {
  if (!module.m_bSplitFiles)
    return;
  lines->push_back(kObjectLine);
  lines->push_back(ParamLine("New HTML file", file));
  lines->push_back(ParamLine("New HTML title", title));
  lines->push_back("</object>");
}

void WriteKeywordObject(TextList* lines, const CModuleInfo& module,
                        std::initializer_list<std::string> keywords) {
  if (!module.m_bHelpKeywords)
    return;
  lines->push_back(kObjectLine);
  for (const std::string& keyword : keywords)
    lines->push_back(ParamLine("Keyword", keyword));
  lines->push_back("</object>");
}

std::string CountedText(int count, const char* zero, const char* one,
                        const char* pluralTail) {
  if (count == 0)
    return zero;
  if (count == 1)
    return one;
  return std::to_string(count) + pluralTail;
}

void WriteCountLine(TextList* lines, int count, const char* one,
                    const char* pluralTail) {
  if (count <= 0)
    return;
  std::string text = CountedText(count, "", one, pluralTail);
  lines->push_back("&nbsp;" + HtmlEscaped(text) + "<br>");
}

std::string TextOr(const std::string& text, const std::string& placeholder) {
  return text.empty() ? placeholder : text;
}

const std::string& DescAt(const TextList& descs, size_t index) {
  static const std::string kEmpty;
  return index < descs.size() ? descs[index] : kEmpty;
}

void WriteVariableEntry(TextList* lines, const CDeclInfo& var) {
  static const std::string kPlaceholder =
      "Here should be a short description of the variable.";
  lines->push_back("<dt>" + HtmlEscaped(var.m_strName) + "</dt>");
  lines->push_back("<dd>");
  lines->push_back(TextOr(var.m_strShortDesc, kPlaceholder));
  if (!var.m_arrParams.empty()) {
    lines->push_back(HtmlEscaped("Initialization:") + "<br>");
    for (const std::string& init : var.m_arrParams) {
      std::string line = HtmlEscaped(init);
      ReplaceAll(&line, ",", ",<br>");
      lines->push_back(line + "<br>");
    }
  }
  lines->push_back("</dd>");
}

void WriteFunctionEntry(TextList* lines, const CModuleInfo& module,
                        const CDeclInfo& func) {
  static const std::string kPlaceholder =
      "Here should be a short description of the function.";
  std::string link = HtmlLink(module, func.m_strFile, func.m_strAnchor,
                              HtmlEscaped(func.m_strName));
  lines->push_back("<dt>" + link + "</dt>");
  lines->push_back("<dd>");
  lines->push_back(TextOr(func.m_strShortDesc, kPlaceholder));
  lines->push_back("</dd>");
}

void WriteBoldDeclarations(TextList* lines, const CDeclInfo& func) {
  const TextList& decls = func.m_arrDecls;
  for (size_t i = 0; i < decls.size(); ++i) {
    std::string line = "<b>" + HtmlEscaped(decls[i]) + "</b>";
    if (i + 1 < decls.size())
      line += "<br>";
    lines->push_back(line);
  }
}

void WriteFunctionDetails(TextList* lines, const CDeclInfo& func) {
  static const std::string kDescription =
      "Here should be a detailed description of the function.";
  static const std::string kReturn =
      "Here should be a description of the return value.";
  static const std::string kParam =
      "Here should be a description of the parameter";
  lines->push_back("<p>");
  lines->push_back(TextOr(func.m_strDescription, kDescription));
  lines->push_back("</p>");
  lines->push_back("<p>");
  lines->push_back(HtmlEscaped("Return values") + "<br>");
  WriteDescribedList(lines, func.m_arrReturns, func.m_arrReturnDescs, kReturn);
  lines->push_back("</p>");
  lines->push_back("<p>");
  lines->push_back(HtmlEscaped("Parameter") + "<br>");
  WriteDescribedList(lines, func.m_arrParams, func.m_arrParamDescs, kParam);
  lines->push_back("</p>");
}

void AppendLines(TextList* lines, const TextList& block) {
  lines->insert(lines->end(), block.begin(), block.end());
}
