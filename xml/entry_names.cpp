#include "xml/entry_names.h"

const char* EntryKindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::kModule: return "module";
    case EntryKind::kVariable: return "global variable";
    case EntryKind::kFunction: return "global function";
    case EntryKind::kClass: return "class";
    case EntryKind::kMember: return "data member";
    case EntryKind::kMethod: return "method";
  }
  return "";
}

std::string QualifiedEntryName(EntryKind kind, const std::string& className,
                               const std::string& name) {
  std::string shown = name;
  if (kind == EntryKind::kVariable || kind == EntryKind::kMember)
    shown = DeclaredIdentifier(shown);
  if (kind == EntryKind::kMember || kind == EntryKind::kMethod)
    shown = className + "::" + shown;
  return shown;
}

std::string EntryTitle(EntryKind kind, const std::string& className,
                       const std::string& name) {
  return std::string(EntryKindName(kind)) + " " +
         QualifiedEntryName(kind, className, name);
}

std::string EntryTitle(const UnplacedEntry& entry) {
  return EntryTitle(entry.kind, entry.className, entry.name);
}

std::string FieldName(EntryKind kind, TextField field, const std::string& item) {
  const bool inClass = kind == EntryKind::kClass;
  switch (field) {
    case TextField::kDescription:
      return kind == EntryKind::kFunction || kind == EntryKind::kMethod
                 ? "detailed description"
                 : "description";
    case TextField::kShort:
      return kind == EntryKind::kVariable || kind == EntryKind::kMember
                 ? "description"
                 : "short description";
    case TextField::kVarListText:
      return inClass ? "introduction of the data members"
                     : "introduction of the global variables";
    case TextField::kFuncListText:
      return inClass ? "introduction of the methods"
                     : "introduction of the global functions";
    case TextField::kParameter:
      return "description of parameter '" + item + "'";
    case TextField::kReturnValue:
      return "description of return value '" + item + "'";
  }
  return "";
}
