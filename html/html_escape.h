// The escaping shared by the HTML and XML writers.
#ifndef VARNEL_HTML_HTML_ESCAPE_H_
#define VARNEL_HTML_HTML_ESCAPE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "model/line_buffer.h"

// "&", "<", ">", the double quote, the German umlauts, sharp s and the
// section sign become named entities (the ampersand first).
void HtmlEscape(std::string* text);
std::string HtmlEscaped(std::string_view text);

// A part of a line (see LineOut) written escaped as HtmlEscaped does,
// without an escaped copy of its own.
struct HtmlEscapedPart {
  std::string_view text;
};
void AppendLinePart(LineBuffer* line, const HtmlEscapedPart& part);

// An initialiser's text escaped, each comma followed by `lineBreak` (the
// page's "<br>", the XML's "<br/>"). No entity holds a comma, so breaking
// the escaped text or escaping the broken one is the same.
struct CommaBrokenPart {
  std::string_view text;
  std::string_view lineBreak;
};
void AppendLinePart(LineBuffer* line, const CommaBrokenPart& part);

// The most bytes `text` takes once written: escaped, and with a line break
// of up to five bytes after every comma as in an initialiser. No byte
// takes more than seven.
uint64_t WrittenBytesAtMost(std::string_view text);
const uint64_t kMostWrittenBytesPerByte = 7;

// The text HtmlEscaped was given: its entities become their characters
// again, every other byte (another entity included) stays as it is.
std::string HtmlUnescaped(std::string_view text);

#endif  // VARNEL_HTML_HTML_ESCAPE_H_
