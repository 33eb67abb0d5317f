// Renames of entries, given as OLD=NEW, that move the descriptions of a
// read file from the old name of an entry to the new one before the merge
// looks them up: "CFoo=CBar" moves a class with everything under it,
// "CFoo::Get=CFoo::Fetch", "Func=NewFunc", "g_nVar=g_nNew" and
// "CFoo::m_a=CFoo::m_b" move one entry.
#ifndef VARNEL_XML_RENAMES_H_
#define VARNEL_XML_RENAMES_H_

#include <string>
#include <string_view>
#include <vector>

#include "model/module_info.h"

class RenameMap {
 public:
  // Adds "OLD=NEW"; false with a message when it is not of that form.
  bool Add(std::string_view renameArg, std::string* err);
  bool empty() const { return renames_.empty(); }

  // Works out the anchors of the new names in the parsed model; a rename
  // whose new name the header does not have moves nothing.
  void Resolve(const CModuleInfo& module);

  // The key the merge looks up for an element of the read file. Every
  // rename whose old name the element bears counts as used.
  std::string MapClass(const std::string& key);
  std::string MapFunction(const std::string& key);
  // Variables and members are renamed by the identifier they declare,
  // which only their Name text says.
  bool RenamesVariables() const { return hasVariables_; }
  std::string MapVariable(const std::string& key, std::string_view name);

  // Members and methods of a Class element whose key in the file was
  // `fileClassKey` and is looked up as `classKey`.
  bool RenamesMembersOf(const std::string& fileClassKey,
                        const std::string& classKey) const;
  std::string MapMember(const std::string& fileClassKey,
                        const std::string& classKey, const std::string& key,
                        std::string_view name);
  std::string MapMethod(const std::string& fileClassKey,
                        const std::string& classKey, const std::string& key);
  // A Class element whose class the header does not have: renames of its
  // members and methods name something, but can move nothing.
  void NoteOrphanClass(const std::string& fileClassKey);

  // After the merges: the renames whose old name no read file had, and
  // those whose new name the header does not have.
  std::vector<std::string> Unused() const;
  std::vector<std::string> Unresolved() const;

 private:
  struct Rename {
    std::string renameArg;
    std::string from, to;
    std::string fromClass, fromMember;  // split at the last "::", if any
    std::string toClass, toMember;
    // Anchors the old name may have in a file, and the model's anchors
    // of the new name (empty when the header lacks it).
    std::string fromClassKey, toClassKey;    // as a class
    std::string fromFuncKey, toFuncKey;      // as a global function
    std::string toVarKey;                    // as a global variable
    std::string fromOwnerKey;                // the class of a member or method
    std::string fromMethodKey, toMethodKey;  // as a method
    std::string toMemberKey;                 // as a data member
    bool used = false;
    bool resolvedUse = false;
    bool unresolvedUse = false;
  };

  // Records a use; gives the new key, or `key` when there is none.
  static std::string Use(Rename* r, const std::string& newKey,
                         const std::string& key);

  std::vector<Rename> renames_;
  bool hasVariables_ = false;
};

class MergeReport;

// For every function or method the header no longer has, the rename
// OLD=NEW that would move its texts, when exactly one entry of the same
// class (or of the globals) has no description yet and the same parameter
// and return-value texts.
std::vector<std::string> SuggestRenames(const MergeReport& report,
                                        const CModuleInfo& module);

// The anchor the writers give an entry with this prefix and name.
std::string AnchorFor(std::string_view prefix, std::string_view name);

#endif  // VARNEL_XML_RENAMES_H_
