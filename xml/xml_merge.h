// Merging the descriptions of an XML export into a freshly parsed model.
#ifndef VARNEL_XML_XML_MERGE_H_
#define VARNEL_XML_XML_MERGE_H_

#include <string>

#include "model/module_info.h"
#include "xml/merge_report.h"
#include "xml/renames.h"
#include "xml/xml_tree.h"

// The message shown when MergeXmlDocument refuses a file.
extern const char kWrongXmlMessage[];

// What a merge needs beyond the file and the model: the renames to apply
// to the file's keys, and where to report what it could not place. Either
// may be null.
struct MergeContext {
  std::string source;  // the file's name, as the report gives it
  RenameMap* renames = nullptr;
  MergeReport* report = nullptr;
};

// Fills the empty description fields of `module` from the loaded `xml`; a
// field that holds only its placeholder sentence counts as empty. Returns
// false, touching nothing, when the root is not Varnel or the module title
// differs from the module name.
bool MergeXmlDocument(CXmlTree* xml, CModuleInfo* module,
                      const MergeContext& context = MergeContext());

void MergeXmlModule(CXmlTree* xml, CModuleInfo* module);
void MergeXmlGlobalVars(CXmlTree* xml, CModuleInfo* module);
void MergeXmlGlobalFuncs(CXmlTree* xml, CModuleInfo* module);
void MergeXmlClasses(CXmlTree* xml, CModuleInfo* module);

#endif  // VARNEL_XML_XML_MERGE_H_
