// Collects the written texts of the elements of a read file that have no
// entry in the model, so that the merge can report and keep them.
#ifndef VARNEL_XML_ORPHAN_HARVEST_H_
#define VARNEL_XML_ORPHAN_HARVEST_H_

#include <string>

#include "xml/merge_report.h"
#include "xml/xml_tree.h"

class OrphanHarvest {
 public:
  // All three must outlive the harvest.
  OrphanHarvest(CXmlTree* xml, MergeReport* report, const std::string& source);

  // Each of these starts on the element (found, not entered) and ends on
  // it again. Keys are those the merge looked up.
  // Variable, FunctionShort, Member or MethodShort.
  void ShortEntry(EntryKind kind, const std::string& classKey,
                  const std::string& className, const std::string& key);
  // ModuleFunction or Method.
  void Function(EntryKind kind, const std::string& classKey,
                const std::string& className, const std::string& key);
  void Class(const std::string& key);

  // Inside a Varnel or Class element whose record lacks the section: the
  // list's introduction goes to `owner` with `reason`, its entries are
  // entries the header no longer has.
  void VariableList(UnplacedEntry* owner, UnplacedReason reason);
  void FunctionLists(UnplacedEntry* owner, UnplacedReason reason);
  void MemberList(UnplacedEntry* cls, UnplacedReason reason);
  void MethodLists(UnplacedEntry* cls, UnplacedReason reason);

  // A written text of an entry, with its reason.
  void Keep(UnplacedEntry* entry, TextField field, UnplacedReason reason,
            const std::string& item, const std::string& text);

 private:
  // Inside a list element: every entry element of `entryTag`.
  void Entries(const char* entryTag, EntryKind kind, bool function,
               const std::string& classKey, const std::string& className,
               const char* keyAttribute, bool stripHash);
  // The list's own introduction, then its entries. The cursor ends where
  // it started.
  void List(const char* listTag, UnplacedEntry* owner, TextField field,
            UnplacedReason reason, const char* entriesTag,
            const char* entryTag, EntryKind kind);
  // The full entries of functions or methods, under `listTag`.
  void FunctionEntries(const char* listTag, const char* entryTag,
                       EntryKind kind, const std::string& classKey,
                       const std::string& className, bool stripHash);
  // ReturnValues or Parameters of a function element.
  void Items(UnplacedEntry* entry, const char* listTag, const char* itemTag,
             TextField field, TextList* texts);

  CXmlTree* xml_;
  MergeReport* report_;
  const std::string& source_;
};

// Every written text of a loaded Varnel file, as texts whose entries the
// header does not have: for keeping a file's texts without merging them.
// False when the root is not Varnel or its title is not `moduleName`.
bool HarvestXmlDocument(CXmlTree* xml, const std::string& moduleName,
                        const std::string& source, MergeReport* report);

#endif  // VARNEL_XML_ORPHAN_HARVEST_H_
