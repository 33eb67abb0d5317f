#include "xml/merge_text.h"

#include "model/text.h"

namespace {

const char kInitializationLine[] = "<br/>Initialization:<br/>";

// The writer puts a variable's initialiser block into its description;
// reading it back as part of the description would double it on every
// round trip.
void CutInitializerBlock(std::string* text) {
  size_t start = 0;
  for (;;) {
    size_t end = text->find('\n', start);
    size_t stop = end == std::string::npos ? text->size() : end;
    if (Trimmed(std::string_view(*text).substr(start, stop - start)) ==
        kInitializationLine) {
      text->resize(start);
      Trim(text);
      return;
    }
    if (end == std::string::npos)
      return;
    start = end + 1;
  }
}

// True when `text`, written between `open` and `close` the way the writers
// write a description, reads back as exactly that text.
bool ReadsBack(const std::string& text, std::string_view open,
               std::string_view close) {
  if (text.find('<') == std::string::npos)
    return true;
  const std::string inner = "\n" + text + "\n";
  CXmlTree xml;
  return xml.Load(std::string(open) + inner + std::string(close)) &&
         xml.FindNext() && xml.GetInnerSource() == inner;
}

// The source of the current element without its own tags and without the
// usual tags of its kind inside it; markup and entity references are kept
// as written. The element's own tags are cut where the reader found them
// rather than by their usual spelling, so that a start tag such as
// "<Description >" or "<Description/>" does not stay in the text.
//
// The text must come back unchanged from the next export and read: it must
// read back between the tags, and cleaning it again must change nothing.
// When the removal of inner tags (or of the initialiser block) cannot give
// such a text, the text is kept as written instead. A variable's text then
// has its initialiser line spelled differently, so that the next read cuts
// the block the writer appends and not this one, and its inner tags
// spelled differently too: with the writer's block after it, removing them
// on the next read could otherwise give a text that reads back, and the
// round trip would change it.
std::string CleanedSource(const CXmlTree& xml, std::string_view open,
                          std::string_view close, bool cutInitializer) {
  const std::string inner = xml.GetInnerSource();
  std::string text = inner;
  ReplaceAll(&text, open, "");
  ReplaceAll(&text, close, "");
  Trim(&text);
  if (cutInitializer)
    CutInitializerBlock(&text);
  if (!Contains(text, open) && !Contains(text, close) &&
      ReadsBack(text, open, close))
    return text;
  text = Trimmed(inner);
  if (cutInitializer) {
    // "<Description>" becomes "<Description >": the same tag to the reader.
    ReplaceAll(&text, open,
               std::string(open.substr(0, open.size() - 1)) + " >");
    ReplaceAll(&text, close,
               std::string(close.substr(0, close.size() - 1)) + " >");
    ReplaceAll(&text, kInitializationLine, "<br />Initialization:<br />");
  }
  return ReadsBack(text, open, close) ? text : std::string();
}

}  // namespace

std::string DescriptionText(const CXmlTree& xml, bool cutInitializer) {
  return CleanedSource(xml, "<Description>", "</Description>", cutInitializer);
}

std::string ModuleText(const CXmlTree& xml) {
  return CleanedSource(xml, "<Text>", "</Text>", false);
}

// The writer escapes umlauts, sharp s and the section sign into entities
// that the reader leaves alone; without this, keys holding them would
// never match and include names would grow an "&amp;" per round trip.
void DecodeUmlauts(std::string* text) {
  static const struct {
    const char* entity;
    const char* byte;
  } kEntities[] = {
      {"&auml;", "\xE4"},  {"&Auml;", "\xC4"}, {"&ouml;", "\xF6"},
      {"&Ouml;", "\xD6"},  {"&uuml;", "\xFC"}, {"&Uuml;", "\xDC"},
      {"&szlig;", "\xDF"}, {"&sect;", "\xA7"},
  };
  if (text->find('&') == std::string::npos)
    return;
  for (const auto& e : kEntities)
    ReplaceAll(text, e.entity, e.byte);
}

std::string KeyAttribute(const CXmlTree& xml, const char* attribute,
                         bool stripHash) {
  std::string key = xml.GetAttribute(attribute);
  if (stripHash)
    key.erase(0, key.find_first_not_of('#'));
  // Anchors the naming made never hold an entity; one kept from a read
  // file and written again reads back as it was.
  DecodeUmlauts(&key);
  return key;
}

std::string ChildName(CXmlTree* xml, const char* child) {
  const CXmlTree::Cursor cursor = xml->GetCursor();
  std::string name;
  if (xml->FindChild(child))
    name = xml->GetChildText();
  xml->SetCursor(cursor);
  DecodeUmlauts(&name);
  return name;
}

bool PeekDescription(CXmlTree* xml, bool cutInitializer, std::string* text) {
  const CXmlTree::Cursor cursor = xml->GetCursor();
  const bool found = xml->FindNext("Description");
  if (found)
    *text = DescriptionText(*xml, cutInitializer);
  xml->SetCursor(cursor);
  return found;
}
