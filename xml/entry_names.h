// How messages name entries and their descriptions: "method CFoo::Bar",
// "the description of parameter 'int x'".
#ifndef VARNEL_XML_ENTRY_NAMES_H_
#define VARNEL_XML_ENTRY_NAMES_H_

#include <string>

#include "xml/merge_report.h"

// "global variable", "data member", "method".
const char* EntryKindName(EntryKind kind);

// "CFoo::Bar", "g_nCount": members and methods with their class,
// variables and members by the identifier they declare.
std::string QualifiedEntryName(EntryKind kind, const std::string& className,
                               const std::string& name);

// The kind and the name: "method CFoo::Bar", "global variable g_nCount"
// (variables and members by the identifier they declare).
std::string EntryTitle(EntryKind kind, const std::string& className,
                       const std::string& name);
std::string EntryTitle(const UnplacedEntry& entry);

// "short description", "detailed description", "description of parameter
// 'int x'", "introduction of the global variables".
std::string FieldName(EntryKind kind, TextField field, const std::string& item);

#endif  // VARNEL_XML_ENTRY_NAMES_H_
