// Merging the descriptions of an XML export into a freshly parsed model.
#ifndef VARNEL_XML_XML_MERGE_H_
#define VARNEL_XML_XML_MERGE_H_

#include "model/module_info.h"
#include "xml/xml_tree.h"

// The message shown when MergeXmlDocument refuses a file.
extern const char kWrongXmlMessage[];

// Fills the empty description fields of `module` from the loaded `xml`.
// Returns false, touching nothing, when the root is not Varnel or the
// module title differs from the module name.
bool MergeXmlDocument(CXmlTree* xml, CModuleInfo* module);

void MergeXmlModule(CXmlTree* xml, CModuleInfo* module);
void MergeXmlGlobalVars(CXmlTree* xml, CModuleInfo* module);
void MergeXmlGlobalFuncs(CXmlTree* xml, CModuleInfo* module);
void MergeXmlClasses(CXmlTree* xml, CModuleInfo* module);

#endif  // VARNEL_XML_XML_MERGE_H_
