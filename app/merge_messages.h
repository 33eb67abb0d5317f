// What varnel says on standard error about the descriptions that a merge
// could not place, and where they are kept.
#ifndef VARNEL_APP_MERGE_MESSAGES_H_
#define VARNEL_APP_MERGE_MESSAGES_H_

#include <ostream>
#include <string>
#include <vector>

#include "xml/merge_report.h"
#include "xml/merge_session.h"

// "1 description", "4 descriptions".
std::string CountOfDescriptions(int count);

// How the texts of an entry are kept, for the messages.
struct KeptWhere {
  std::string sideFile;  // where they are kept; empty: nowhere new
  std::string xmlFile;   // the XML file written, for the filtered ones
  std::string membersOption;  // "--members public" when it hides members
  std::string globalsOption;  // "--globals extern" when it hides globals
};

// One line per entry and reason (per text for parameters, return values
// and refused texts), the suggested renames, then a summary line. Prints
// nothing when nothing is kept.
void PrintKeptTexts(const SideFilePlan& plan, const KeptWhere& where,
                    const std::vector<std::string>& suggestions,
                    std::ostream& err);

#endif  // VARNEL_APP_MERGE_MESSAGES_H_
