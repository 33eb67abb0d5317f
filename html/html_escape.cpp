#include "html/html_escape.h"

#include <algorithm>
#include <cstdint>

#include "model/byte_scan.h"

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

// EntityFor of every byte, looked up once per byte of the text.
// With what each byte may grow by once written: its entity, or a comma's
// line break.
struct EntityTable {
  std::string_view entity[256];
  uint8_t grown[256] = {};
  EntityTable() {
    for (int c = 0; c < 256; ++c)
      if (const char* e = EntityFor(static_cast<unsigned char>(c))) {
        entity[c] = e;
        grown[c] = static_cast<uint8_t>(entity[c].size() - 1);
      }
    grown[static_cast<unsigned char>(',')] = 5;
  }
};

const EntityTable kEntities;

const char kEscapedChars[] = "&<>\"\xE4\xC4\xF6\xD6\xFC\xDC\xDF\xA7";

// The escaped character whose entity starts `text`, or 0 with no such
// entity there.
char CharOfEntityAt(std::string_view text) {
  for (const char* c = kEscapedChars; *c; ++c) {
    std::string_view entity = EntityFor(static_cast<unsigned char>(*c));
    if (text.starts_with(entity))
      return *c;
  }
  return 0;
}

// Whether a byte of the word may have an entity: one of the four markup
// characters, or a byte above 0x7F, where the letters with entities are.
bool MayHoldEntityChar(uint64_t w) {
  return ((w & EveryByte(0x80)) | BytesEqual(w, EveryByte('&')) |
          BytesEqual(w, EveryByte('<')) | BytesEqual(w, EveryByte('>')) |
          BytesEqual(w, EveryByte('"'))) != 0;
}

}  // namespace

// Replacing each character in one pass gives the same text as replacing
// the twelve characters one after the other with "&" first: no entity
// contains any of the other replaced characters. Most text has none of
// them: it is looked at eight bytes at a time, and the stretches between
// are copied whole.
void AppendLinePart(LineBuffer* line, const HtmlEscapedPart& part) {
  const char* const text = part.text.data();
  const size_t size = part.text.size();
  size_t plain = 0;
  for (size_t i = 0; i < size;) {
    if (i + 8 <= size && !MayHoldEntityChar(WordAt(text + i))) {
      i += 8;
      continue;
    }
    for (const size_t stop = std::min(size, i + 8); i < stop; ++i) {
      std::string_view entity =
          kEntities.entity[static_cast<unsigned char>(text[i])];
      if (entity.empty())
        continue;
      line->append(text + plain, i - plain);
      line->append(entity);
      plain = i + 1;
    }
  }
  line->append(text + plain, size - plain);
}

std::string HtmlEscaped(std::string_view text) {
  LineBuffer out;
  out.reserve(text.size());
  AppendLinePart(&out, HtmlEscapedPart{text});
  return out.str();
}

void HtmlEscape(std::string* text) {
  *text = HtmlEscaped(*text);
}

uint64_t WrittenBytesAtMost(std::string_view text) {
  uint64_t bytes = text.size();
  for (char c : text)
    bytes += kEntities.grown[static_cast<unsigned char>(c)];
  return bytes;
}

std::string HtmlUnescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i] == '&' ? CharOfEntityAt(text.substr(i)) : 0;
    if (c == 0) {
      out += text[i];
      continue;
    }
    out += c;
    i += std::string_view(EntityFor(static_cast<unsigned char>(c))).size() - 1;
  }
  return out;
}

void AppendLinePart(LineBuffer* line, const CommaBrokenPart& part) {
  std::string_view rest = part.text;
  for (size_t comma = rest.find(','); comma != std::string_view::npos;
       comma = rest.find(',')) {
    AppendLinePart(line, HtmlEscapedPart{rest.substr(0, comma)});
    line->push_back(',');
    line->append(part.lineBreak);
    rest.remove_prefix(comma + 1);
  }
  AppendLinePart(line, HtmlEscapedPart{rest});
}
