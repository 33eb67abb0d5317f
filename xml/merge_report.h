// What a merge could not place: descriptions whose entry the header no
// longer has, descriptions refused because their entry already had
// another, and texts the model holds that the XML written with the
// current filters leaves out. Nothing of it may be lost, so the report
// keeps every such text with what is needed to write it again.
#ifndef VARNEL_XML_MERGE_REPORT_H_
#define VARNEL_XML_MERGE_REPORT_H_

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/module_info.h"
#include "model/text.h"

enum class EntryKind { kModule, kVariable, kFunction, kClass, kMember, kMethod };

// Which text of an entry.
enum class TextField {
  kDescription,   // module text, class description, detailed description
  kShort,         // short description of a variable, function, member, method
  kVarListText,   // introduction of the variable list or the member list
  kFuncListText,  // introduction of the function list or the method list
  kParameter,     // description of one parameter
  kReturnValue,   // description of one return value
};

enum class UnplacedReason {
  kNoEntry,   // the header no longer has the entry
  kNoItem,    // the entry no longer has the parameter, return value or list
  kNotTaken,  // the entry already had another text
  kFiltered,  // the model holds it; the XML written with the filters omits it
};

struct UnplacedText {
  TextField field;
  UnplacedReason reason;
  std::string item;  // the parameter or return-value text
  std::string text;  // as it is written back: markup and entities kept
  std::string source;  // the file it came from; empty for kFiltered
};

// One entry of the read file (or of the model) with its unplaced texts.
struct UnplacedEntry {
  EntryKind kind = EntryKind::kModule;
  std::string key;        // its anchor, as the merge looked it up
  std::string name;       // bare name; a declaration line for variables
  std::string classKey;   // the owning class of a member or method
  std::string className;
  int scope = 0;          // SCOPE_... as the file's attributes say
  TextList decls;         // declaration lines of a function or method
  TextList params;        // every parameter text the entry had
  TextList returns;       // every return-value text
  std::vector<UnplacedText> texts;
};

class MergeReport {
 public:
  // The entry of that kind and key (within its class), made on first use.
  UnplacedEntry* Entry(EntryKind kind, const std::string& classKey,
                       const std::string& key);

  // The entry of a record of the model (a variable or function when `cls`
  // is null, else a member or method of `cls`), named after it.
  UnplacedEntry* RecordEntry(EntryKind kind, const CDeclInfo& decl,
                             const CClassInfo* cls);
  UnplacedEntry* ClassEntry(const CClassInfo& cls);

  // Adds a text unless the entry already keeps the same one.
  void Add(UnplacedEntry* entry, UnplacedText text);

  // Entries that keep at least one text, in the order first met.
  std::vector<const UnplacedEntry*> Entries() const;

  // Texts for which `pick` is true.
  template <typename Pick>
  int CountTexts(Pick pick) const {
    int n = 0;
    for (const auto& entry : entries_)
      for (const auto& text : entry.texts)
        n += pick(text) ? 1 : 0;
    return n;
  }
  int TextCount() const {
    return CountTexts([](const UnplacedText&) { return true; });
  }
  // Texts that are lost to the header: no entry, no item or not taken.
  int OrphanCount() const {
    return CountTexts([](const UnplacedText& t) {
      return t.reason != UnplacedReason::kFiltered;
    });
  }

  // Appends everything `other` keeps.
  void Absorb(const MergeReport& other);

 private:
  // Entries stay where they are while others are added: callers keep
  // pointers to them.
  std::deque<UnplacedEntry> entries_;
  std::unordered_map<std::string, size_t> byKey_;
};

// The writer's placeholder for a field of an entry kind; "" where there
// is none.
const char* PlaceholderFor(EntryKind kind, TextField field);

// True when `text` is something a writer wrote: not empty, not the
// placeholder the writers put in its place, not the " - none -" of a
// "void" parameter or return value. Nothing is written for a parameter
// or return value `item` of "void": the format carries " - none -" there.
bool IsWrittenText(std::string_view text, EntryKind kind, TextField field,
                   std::string_view item = std::string_view());

// Adds the texts the model holds that an XML file written with the
// model's filters would leave out: the short descriptions of members and
// methods that the member filter hides, and everything of the local
// globals that the global filter hides.
void CollectFilteredTexts(const CModuleInfo& module, MergeReport* report);

// The identifier a variable or data member declaration declares: "m_x"
// for "int m_x;", "s_an" for "static const int s_an[] = { 1 };".
std::string DeclaredIdentifier(std::string_view declaration);

#endif  // VARNEL_XML_MERGE_REPORT_H_
