#include "html/html_lines.h"

#include <algorithm>
#include <charconv>

#include "html/html_escape.h"
#include "html/naming.h"

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
void WriteParamLine(LineOut* out, std::string_view name,
                    std::string_view value) {
  out->Line("<param name=\"", name, "\" value=\"", HtmlEscapedPart{value},
            "\">");
}

void WriteKeywordLines(LineOut* out, std::span<const KeywordText> keywords) {
  out->Line(kObjectLine);
  // Escaping the joined keyword is escaping its texts one by one: every
  // character is replaced on its own.
  for (const KeywordText& keyword : keywords)
    out->Line("<param name=\"Keyword\" value=\"", HtmlEscapedPart{keyword.head},
              HtmlEscapedPart{keyword.middle}, HtmlEscapedPart{keyword.tail},
              "\">");
  out->Line("</object>");
}

// One <dt>/<dd> pair per entry; "void" stands alone, every other entry
// gets its description or the placeholder.
void WriteDescribedList(LineOut* out, TextSpan entries,
                        const TextList& descs, std::string_view placeholder) {
  out->Line("<dl>");
  for (size_t i = 0; i < entries.size(); ++i) {
    out->Line("<dt>", HtmlEscapedPart{entries[i]}, "</dt>");
    if (entries[i] == "void")
      continue;
    out->Line("<dd>");
    out->Line(TextOr(DescriptionAt(descs, i), placeholder));
    out->Line("</dd>");
  }
  out->Line("</dl>");
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

void AppendLinePart(LineBuffer* line, const HtmlAnchorPart& part) {
  line->append("<a id=\"");
  line->append(part.anchor);
  line->append("\" NAME=\"");
  line->append(part.anchor);
  line->append("\"></a>");
}

std::string HtmlAnchorLine(const std::string& anchor) {
  LineBuffer line;
  AppendLinePart(&line, HtmlAnchorPart{anchor});
  return line.str();
}

void AppendLinePart(LineBuffer* line, const HtmlLinkPart& link) {
  line->append("&nbsp;<a href=\"");
  // The page file holds the class name as written, "<" and ">" included.
  if (link.module.m_bSplitFiles)
    AppendLinePart(line, HtmlEscapedPart{link.file});
  line->push_back('#');
  line->append(link.anchor);
  line->append("\">");
  AppendLinePart(line, HtmlEscapedPart{link.label});
  line->append("</A>&nbsp;");
}

void WriteSplitFileObject(LineOut* out, const CModuleInfo& module,
                          std::string_view file, std::string_view title) {
  if (!module.m_bSplitFiles)
    return;
  out->Line(kObjectLine);
  WriteParamLine(out, "New HTML file", file);
  WriteParamLine(out, "New HTML title", title);
  out->Line("</object>");
}

void WriteFunctionPageObject(LineOut* out, const CModuleInfo& module,
                             const CClassInfo* owner, const CDeclInfo& func) {
  if (module.m_bSplitFiles)
    WriteSplitFileObject(out, module, FunctionPageFile(module, owner, func),
                         FunctionPageTitle(owner, func));
}

void WriteSplitFileObject(TextList* lines, const CModuleInfo& module,
                          const std::string& file, const std::string& title) {
  LineOut out(lines);
  WriteSplitFileObject(&out, module, file, title);
}

void WriteKeywordObject(LineOut* out, const CModuleInfo& module,
                        std::initializer_list<KeywordText> keywords) {
  if (module.m_bHelpKeywords)
    WriteKeywordLines(out, {keywords.begin(), keywords.size()});
}

void WriteKeywordObject(TextList* lines, const CModuleInfo& module,
                        std::initializer_list<std::string> keywords) {
  if (!module.m_bHelpKeywords)
    return;
  std::vector<KeywordText> texts;
  for (const std::string& keyword : keywords)
    texts.push_back({keyword});
  LineOut out(lines);
  WriteKeywordLines(&out, texts);
}

void AppendLinePart(LineBuffer* line, const CountedPart& part) {
  if (part.count == 0 || part.count == 1) {
    AppendLinePart(line,
                   HtmlEscapedPart{part.count == 0 ? part.zero : part.one});
    return;
  }
  char digits[16];
  char* end = std::to_chars(digits, digits + sizeof digits, part.count).ptr;
  line->append(digits, end - digits);
  AppendLinePart(line, HtmlEscapedPart{part.pluralTail});
}

void WriteCountLine(LineOut* out, int count, const char* one,
                    const char* pluralTail) {
  if (count > 0)
    out->Line("&nbsp;", CountedPart{count, "", one, pluralTail}, "<br>");
}

std::string_view BreakUnlessLast(size_t index, size_t count) {
  return index + 1 < count ? "<br>" : "";
}

std::string_view TextOr(std::string_view text, std::string_view placeholder) {
  return text.empty() ? placeholder : text;
}

void WriteVariableEntry(LineOut* out, const CDeclInfo& var) {
  out->Line("<dt>", HtmlEscapedPart{var.m_strName}, "</dt>");
  out->Line("<dd>");
  out->Line(TextOr(var.m_strShortDesc,
                   "Here should be a short description of the variable."));
  if (!var.m_arrParams.empty()) {
    out->Line(HtmlEscapedPart{"Initialization:"}, "<br>");
    for (const std::string& init : var.m_arrParams)
      out->Line(CommaBrokenPart{init, "<br>"}, "<br>");
  }
  out->Line("</dd>");
}

void WriteFunctionEntry(LineOut* out, const CModuleInfo& module,
                        const CClassInfo* owner, const CDeclInfo& func) {
  // The page file is named only with split files on.
  const std::string file = module.m_bSplitFiles
                               ? FunctionPageFile(module, owner, func)
                               : std::string();
  out->Line("<dt>",
            HtmlLinkPart{module, file, func.m_strAnchor, func.m_strName},
            "</dt>");
  out->Line("<dd>");
  out->Line(TextOr(func.m_strShortDesc,
                   "Here should be a short description of the function."));
  out->Line("</dd>");
}

void WriteBoldDeclarations(LineOut* out, const CDeclInfo& func) {
  const CompactTextList& decls = func.m_arrDecls;
  for (size_t i = 0; i < decls.size(); ++i)
    out->Line("<b>", HtmlEscapedPart{decls[i]}, "</b>",
              BreakUnlessLast(i, decls.size()));
}

void WriteFunctionDetails(LineOut* out, const CDeclInfo& func) {
  out->Line("<p>");
  out->Line(TextOr(func.m_strDescription,
                   "Here should be a detailed description of the function."));
  out->Line("</p>");
  out->Line("<p>");
  out->Line(HtmlEscapedPart{"Return values"}, "<br>");
  WriteDescribedList(out, func.m_arrReturns, func.m_arrReturnDescs,
                     "Here should be a description of the return value.");
  out->Line("</p>");
  out->Line("<p>");
  out->Line(HtmlEscapedPart{"Parameter"}, "<br>");
  WriteDescribedList(out, func.m_arrParams, func.m_arrParamDescs,
                     "Here should be a description of the parameter");
  out->Line("</p>");
}

void AppendLines(TextList* lines, const TextList& block) {
  lines->insert(lines->end(), block.begin(), block.end());
}
