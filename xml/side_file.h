// The side file of an XML file: "A.orphans.xml" beside "A.xml" keeps the
// descriptions that the XML file could not carry (their entries are gone
// from the header, or the filters leave them out), in the same Varnel
// format, so that merging it brings them back once their entries exist.
#ifndef VARNEL_XML_SIDE_FILE_H_
#define VARNEL_XML_SIDE_FILE_H_

#include <string>

#include "model/text.h"
#include "xml/merge_report.h"

// "dir/A.orphans.xml" for "dir/A.xml"; empty for "-" and for a path that
// is a side file itself.
std::string SideFilePath(const std::string& xmlPath);

bool IsSideFilePath(const std::string& path);

// The side file's lines: every text the report keeps, under its entry,
// for the module `moduleName`.
void BuildSideFile(const MergeReport& report, const std::string& moduleName,
                   TextList* lines);

#endif  // VARNEL_XML_SIDE_FILE_H_
