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

// The entity of a markup character, or null.
const char* MarkupEntity(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return nullptr;
  }
}
const char kVoid[] = "void";

// The return values or the parameters of a function: a heading, then one
// entry with its description per text.
void AppendDescribedList(LineOut* out, const char* listTag,
                         const char* heading, const char* entryTag,
                         TextSpan texts, const TextList& descs,
                         std::string_view placeholder) {
  AppendStartTag(out, listTag);
  AppendInlineElement(out, "Header", std::string_view(heading));
  for (size_t i = 0; i < texts.size(); ++i) {
    AppendStartTag(out, entryTag);
    AppendInlineElement(out, "Name", HtmlEscapedPart{texts[i]});
    if (texts[i] == kVoid)
      AppendDescriptionBlock(out, kNone);
    else
      AppendDescriptionBlock(
          out, OrPlaceholder(DescriptionAt(descs, i), placeholder));
    AppendEndTag(out, entryTag);
  }
  AppendEndTag(out, listTag);
}

// The wording for one, or the decimal count and the wording after it.
struct CountPart {
  int count;
  const char* one;
  const char* many;
};

void AppendLinePart(LineBuffer* line, const CountPart& part) {
  if (part.count == 1) {
    AppendLinePart(line, HtmlEscapedPart{part.one});
    return;
  }
  line->append(std::to_string(part.count));
  AppendLinePart(line, HtmlEscapedPart{part.many});
}

}  // namespace

void AppendLinePart(LineBuffer* line, const MarkupEscapedPart& part) {
  const std::string_view text = part.text;
  size_t plain = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* entity = MarkupEntity(text[i]);
    if (!entity)
      continue;
    line->append(text.substr(plain, i - plain));
    line->append(entity);
    plain = i + 1;
  }
  line->append(text.substr(plain));
}

void AppendAnchoredStartTag(LineOut* out, std::string_view tag,
                            std::string_view anchor) {
  const HtmlEscapedPart escaped{anchor};
  out->Line('<', tag, " anchor=\"", escaped, "\" NAME=\"", escaped, "\">");
}

void AppendStartTag(LineOut* out, std::string_view tag) {
  out->Line('<', tag, '>');
}

void AppendEndTag(LineOut* out, std::string_view tag) {
  out->Line("</", tag, '>');
}

std::string_view OrPlaceholder(std::string_view stored,
                               std::string_view placeholder) {
  return stored.empty() ? placeholder : stored;
}

void AppendDescriptionBlock(LineOut* out, std::string_view text) {
  out->Line("<Description>");
  out->Line(text);
  out->Line("</Description>");
}

void AppendInitializerBlock(LineOut* out, const TextList& initializers) {
  out->Line(kInitializationLine);
  for (const std::string& initializer : initializers)
    out->Line(CommaBrokenPart{initializer, kBreak}, kBreak);
}

void AppendStatistics(LineOut* out, std::string_view owner,
                      std::string_view name, const CountWording& total,
                      std::initializer_list<ShareWording> shares) {
  out->Line("<Statistics>");
  const HtmlEscapedPart ownerPart{owner};
  const HtmlEscapedPart namePart{name};
  if (total.count == 0)
    out->Line("<Line1>", ownerPart, namePart, " contains ",
              HtmlEscapedPart{total.none}, "</Line1>");
  else
    out->Line("<Line1>", ownerPart, namePart, " contains ",
              CountPart{total.count, total.one, total.many}, "</Line1>");
  for (const ShareWording& share : shares) {
    if (share.count > 0)
      AppendInlineElement(out, "Line2",
                          CountPart{share.count, share.one, share.many});
  }
  out->Line("</Statistics>");
}

void AppendFunctionBody(LineOut* out, const CDeclInfo& func) {
  for (const std::string& decl : func.m_arrDecls) {
    out->Line("<Header>");
    out->Line(HtmlEscapedPart{decl});
    out->Line("</Header>");
  }
  AppendDescribedList(out, "ReturnValues", "Return values", "ReturnValue",
                      func.m_arrReturns, func.m_arrReturnDescs,
                      kReturnDescPlaceholder);
  AppendDescribedList(out, "Parameters", "Parameter", "Parameter",
                      func.m_arrParams, func.m_arrParamDescs,
                      kParamDescPlaceholder);
  AppendDescriptionBlock(
      out, OrPlaceholder(func.m_strDescription, kFuncDescPlaceholder));
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
