// The merges of one parsed header, and the side file that keeps what they
// could not place: a file merged with its side file right after it, the
// report of every text without a place, and before an XML file is
// replaced, the side file beside it written, updated or removed, so that
// no description is ever lost.
#ifndef VARNEL_XML_MERGE_SESSION_H_
#define VARNEL_XML_MERGE_SESSION_H_

#include <string>
#include <vector>

#include "model/module_info.h"
#include "xml/merge_report.h"
#include "xml/renames.h"
#include "xml/xml_tree.h"

// Why a file was not merged.
struct MergeFailure {
  enum Kind { kCannotOpen, kCannotRead, kMalformed, kWrongModule };
  Kind kind = kCannotOpen;
  std::string path;
  std::string message;  // the reader's message for kMalformed
  int line = 0;         // where the reader stopped, for kMalformed
  int column = 0;
};

// What happens to the side file of an XML file about to be written.
struct SideFilePlan {
  enum Action { kNone, kWrite, kRemove };
  Action action = kNone;
  std::string path;
  // What it keeps: the merges' texts without a place and the texts the
  // filters leave out; and an earlier side file's texts, not merged in
  // this session, carried over as they were.
  MergeReport kept;
  MergeReport carried;
};

class MergeSession {
 public:
  // The module must be parsed; it and `renames` (which may be null) must
  // outlive the session.
  MergeSession(CModuleInfo* module, RenameMap* renames);

  // Merges a loaded file, reporting what finds no place under `source`.
  // False, touching nothing, when it is for another module or kind.
  bool MergeLoaded(CXmlTree* xml, const std::string& source);

  // Reads, loads and merges the file at `path`.
  bool MergeFile(const std::string& path, MergeFailure* failure);

  // The side file beside `path` when one exists that this session has not
  // merged, and `path` is no side file itself; otherwise empty.
  std::string UnmergedSideFileOf(const std::string& path) const;

  bool WasMerged(const std::string& path) const;
  const MergeReport& Report() const { return report_; }

  // Before the XML file at `xmlPath` is written with the module's options:
  // works out the side file beside it. An earlier side file there that was
  // not merged keeps its texts in the new one; one that was merged and
  // whose every text found a place is to be removed. False with a message
  // when an earlier side file there cannot be read as one of this module.
  bool PlanSideFile(const std::string& xmlPath, SideFilePlan* plan,
                    std::string* err) const;

 private:
  CModuleInfo* module_;
  RenameMap* renames_;
  MergeReport report_;
  std::vector<std::string> merged_;
};

// Carries out a plan's writing before its XML file is written (false with
// the save's message on failure), and its removal after.
bool WriteSideFile(const SideFilePlan& plan, const std::string& moduleName,
                   std::string* err);
void RemoveSideFileIfPlanned(const SideFilePlan& plan);

// Loads a read file's text; false with `failure` filled when it is not
// well-formed.
bool LoadXmlText(std::string text, const std::string& path, CXmlTree* xml,
                 MergeFailure* failure);

// True when both paths name one existing file, however spelled.
bool SameExistingFile(const std::string& a, const std::string& b);

#endif  // VARNEL_XML_MERGE_SESSION_H_
