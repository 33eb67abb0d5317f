#include "html/html_escape.h"

namespace {

const char* EntityFor(unsigned char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case 0xE4: return "&auml;";
    case 0xC4: return "&Auml;";
    case 0xF6: return "&ouml;";
    case 0xD6: return "&Ouml;";
    case 0xFC: return "&uuml;";
    case 0xDC: return "&Uuml;";
    case 0xDF: return "&szlig;";
    case 0xA7: return "&sect;";
    default: return nullptr;
  }
}

}  // namespace

// Replacing each character in one pass gives the same text as replacing
// the twelve characters one after the other with "&" first: no entity
// contains any of the other replaced characters.
std::string HtmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const char* entity = EntityFor(static_cast<unsigned char>(c));
    if (entity)
      out += entity;
    else
      out += c;
  }
  return out;
}

void HtmlEscape(std::string* text) {
  *text = HtmlEscaped(*text);
}
