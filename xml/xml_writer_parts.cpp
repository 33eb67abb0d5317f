#include <algorithm>

#include "html/html_escape.h"
#include "model/text.h"
#include "xml/xml_writer_internal.h"

namespace xml_writer {

const char kModuleDescPlaceholder[] =
    "Here should be a description of the module";
const char kClassDescPlaceholder[] =
    "Here should be a description of the class.";
const char kVarShortDescPlaceholder[] =
    "Here should be a short description of the variable.";
const char kFuncShortDescPlaceholder[] =
    "Here should be a short description of the function.";
const char kReturnDescPlaceholder[] =
    "Here should be a description of the return value.";
const char kParamDescPlaceholder[] =
    "Here should be a description of the parameter";
const char kFuncDescPlaceholder[] =
    "Here should be a detailed description of the function.";
const char kVarListPlaceholder[] =
    "This is the list of variables, that are not assigned to any class.";
const char kFuncListPlaceholder[] = "This is the list of global functions.";
const char kNone[] = " - none -";
const char kUnknown[] = " - unknown -";

namespace {

const char kInitializationLine[] = "<br/>Initialization:<br/>";
const char kBreak[] = "<br/>";
const char kVoid[] = "void";

// The return values or the parameters of a function: a heading, then one
// entry with its description per text.
void AppendDescribedList(TextList* lines, const char* listTag,
                         const char* heading, const char* entryTag,
                         const TextList& texts, const TextList& descs,
                         std::string_view placeholder) {
  lines->push_back(std::string("<") + listTag + ">");
  lines->push_back(InlineElement("Header", heading));
  for (size_t i = 0; i < texts.size(); ++i) {
    lines->push_back(std::string("<") + entryTag + ">");
    lines->push_back(InlineElement("Name", HtmlEscaped(texts[i])));
    if (texts[i] == kVoid)
      AppendDescriptionBlock(lines, kNone);
    else
      AppendDescriptionBlock(
          lines, OrPlaceholder(DescriptionAt(descs, i), placeholder));
    lines->push_back(EndTag(entryTag));
  }
  lines->push_back(EndTag(listTag));
}

}  // namespace

std::string InlineElement(std::string_view tag, std::string_view text) {
  std::string line;
  line.reserve(2 * tag.size() + text.size() + 5);
  line.append("<").append(tag).append(">");
  line.append(text);
  line.append("</").append(tag).append(">");
  return line;
}

std::string MarkupEscaped(std::string_view text) {
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

std::string AnchoredStartTag(std::string_view tag, std::string_view anchor) {
  std::string escaped = HtmlEscaped(anchor);
  std::string line = "<";
  line.append(tag).append(" anchor=\"").append(escaped);
  line.append("\" NAME=\"").append(escaped).append("\">");
  return line;
}

std::string EndTag(std::string_view tag) {
  std::string line = "</";
  line.append(tag).append(">");
  return line;
}

std::string_view OrPlaceholder(std::string_view stored,
                               std::string_view placeholder) {
  return stored.empty() ? placeholder : stored;
}

std::string_view DescriptionAt(const TextList& descs, size_t i) {
  return i < descs.size() ? std::string_view(descs[i]) : std::string_view();
}

void AppendDescriptionBlock(TextList* lines, std::string_view text) {
  lines->push_back("<Description>");
  lines->push_back(std::string(text));
  lines->push_back("</Description>");
}

void AppendInitializerBlock(TextList* lines, const TextList& initializers) {
  lines->push_back(kInitializationLine);
  for (const std::string& initializer : initializers) {
    // Escaped first, so that the line breaks added after the commas stay
    // markup.
    std::string line = HtmlEscaped(initializer);
    ReplaceAll(&line, ",", ",<br/>");
    line += kBreak;
    lines->push_back(std::move(line));
  }
}

void AppendStatistics(TextList* lines, const std::string& subject,
                      const CountWording& total,
                      std::initializer_list<ShareWording> shares) {
  lines->push_back("<Statistics>");
  std::string sentence = subject;
  if (total.count == 0)
    sentence += total.none;
  else if (total.count == 1)
    sentence += total.one;
  else
    sentence += std::to_string(total.count) + total.many;
  lines->push_back(InlineElement("Line1", HtmlEscaped(sentence)));
  for (const ShareWording& share : shares) {
    if (share.count <= 0)
      continue;
    std::string line = share.count == 1
                           ? std::string(share.one)
                           : std::to_string(share.count) + share.many;
    lines->push_back(InlineElement("Line2", HtmlEscaped(line)));
  }
  lines->push_back("</Statistics>");
}

void AppendFunctionBody(TextList* lines, const CDeclInfo& func) {
  for (const std::string& decl : func.m_arrDecls) {
    lines->push_back("<Header>");
    lines->push_back(HtmlEscaped(decl));
    lines->push_back("</Header>");
  }
  AppendDescribedList(lines, "ReturnValues", "Return values", "ReturnValue",
                      func.m_arrReturns, func.m_arrReturnDescs,
                      kReturnDescPlaceholder);
  AppendDescribedList(lines, "Parameters", "Parameter", "Parameter",
                      func.m_arrParams, func.m_arrParamDescs,
                      kParamDescPlaceholder);
  AppendDescriptionBlock(
      lines, OrPlaceholder(func.m_strDescription, kFuncDescPlaceholder));
}

size_t UsableCount(int count, size_t size) {
  return count <= 0 ? 0 : std::min(static_cast<size_t>(count), size);
}

bool IsListedMember(const CDeclInfo& member, const CModuleInfo& module) {
  if (member.m_nScope == SCOPE_PROTECTED)
    return module.m_bShowProtected || module.m_bShowPrivate;
  if (member.m_nScope == SCOPE_PRIVATE)
    return module.m_bShowPrivate;
  return true;
}

bool IsListedGlobal(const CDeclInfo& global, const CModuleInfo& module) {
  return global.m_nScope != SCOPE_LOCAL || module.m_bShowLocal;
}

}  // namespace xml_writer
