// How the merge reads texts and keys out of the elements of a Varnel file.
#ifndef VARNEL_XML_MERGE_TEXT_H_
#define VARNEL_XML_MERGE_TEXT_H_

#include <string>
#include <string_view>

#include "xml/xml_tree.h"

// The description held by the current element (a Description, or the
// module's Text): its markup as written, without its own tags, trimmed.
// A variable's initialiser block, which the writer appends to its
// description, is cut when `cutInitializer` is set.
std::string DescriptionText(const CXmlTree& xml, bool cutInitializer = false);
std::string ModuleText(const CXmlTree& xml);

// The umlaut, sharp s and section sign entities the writer puts into names
// and includes, back to their bytes.
void DecodeUmlauts(std::string* text);

// A key attribute of the current element; leading "#" removed if asked.
std::string KeyAttribute(const CXmlTree& xml, const char* attribute,
                         bool stripHash);

// The text of the current element's child `child`, as a name: decoded,
// umlauts included. The cursor is left where it was.
std::string ChildName(CXmlTree* xml, const char* child = "Name");

// The text of the next Description at the current level, as
// DescriptionText gives it; the cursor is left where it was. False when there is none.
bool PeekDescription(CXmlTree* xml, bool cutInitializer, std::string* text);

#endif  // VARNEL_XML_MERGE_TEXT_H_
