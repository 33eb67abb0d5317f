// The document model: one module, its classes and its declarations.
#ifndef VARNEL_MODEL_MODULE_INFO_H_
#define VARNEL_MODEL_MODULE_INFO_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/compact_text_list.h"
#include "model/shared_text.h"
#include "model/sparse_text.h"
#include "model/text.h"

// Scope codes. A record declared several times keeps the largest code seen,
// so the order of the values matters.
const int SCOPE_LOCAL = 16;
const int SCOPE_EXTERN = 32;
const int SCOPE_PRIVATE = 256;
const int SCOPE_PROTECTED = 512;
const int SCOPE_PUBLIC = 768;

// Class kinds: what members before the first access label default to.
const int KIND_CLASS = 2;   // private
const int KIND_STRUCT = 3;  // public

class LineStore;

// One global variable, global function, data member or method.
//
// The description lists run parallel to the parameters and the return
// values but may be shorter: the parse leaves them empty, and an item past
// a list's end is undescribed (see DescriptionAt and DescriptionSlot).
//
// A function's page file and title follow from its name and its owner's
// and are made where they are written (FunctionPageFile in html/naming.h):
// a large header has hundreds of thousands of functions.
class CDeclInfo {
 public:
  void Clear();

  std::string m_strName;
  std::string m_strAnchor;
  SharedText m_strClass;
  TextList m_arrParams;
  CompactTextList m_arrReturns;
  CompactTextList m_arrDecls;
  SparseText m_strShortDesc;
  SparseText m_strDescription;
  SparseTextList m_arrParamDescs;
  SparseTextList m_arrReturnDescs;
  int m_nScope = 0;
};

// One class or struct definition.
class CClassInfo {
 public:
  void Clear();

  std::string m_strName;
  std::string m_strAnchor;
  std::string m_strBase;
  std::string m_strVarAnchor;
  std::string m_strFuncAnchor;
  std::string m_strFile;
  std::string m_strTitle;
  std::string m_strVarFile;
  std::string m_strVarTitle;
  std::string m_strFuncFile;
  std::string m_strFuncTitle;
  SparseText m_strDescription;
  SparseText m_strVarText;
  SparseText m_strFuncText;
  int m_nKind = 0;
  int m_nVars = 0;
  int m_nVarCount = 0;
  int m_nVarsPrivate = 0;
  int m_nVarsProtected = 0;
  int m_nVarsPublic = 0;
  std::vector<CDeclInfo> m_pVars;
  int m_nFuncs = 0;
  int m_nFuncCount = 0;
  int m_nFuncsPrivate = 0;
  int m_nFuncsProtected = 0;
  int m_nFuncsPublic = 0;
  std::vector<CDeclInfo> m_pFuncs;
};

// The module (the header itself) with its output options.
class CModuleInfo {
 public:
  CModuleInfo();

  // Back to the constructed state: texts and lists empty, counters 0, no
  // records, the three output switches off and the five filters on.
  void Clear();

  // The eight option fields, kept across Clear by the Open command.
  struct Options {
    bool bHelpKeywords, bSplitFiles, bStylesheet;
    bool bShowPublic, bShowProtected, bShowPrivate, bShowExtern, bShowLocal;
  };
  Options GetOptions() const;
  void SetOptions(const Options& options);

  // Module passes over the normalised line list (parser/module_passes.cpp).
  // CountGlobals allocates a record per counted declaration; the parse
  // itself passes false, and the passes then add records only as they
  // fill them, up to the counts. The records end the same either way, but
  // thousands of overloads of one name no longer build thousands of
  // records that merging drops again.
  void CountGlobals(const TextList& lines, bool allocateRecords = true);
  void CountClasses(const TextList& lines);
  void ParseGlobalVariables(TextList& lines);
  void ParseGlobalFunctions(TextList& lines, const TextList& notReturns);
  void ParseClassHeads(const TextList& lines);

  // Class passes for the first class record named `name`
  // (parser/class_passes.cpp). The TextList forms compact the list when
  // they are done; the driver runs them on a LineStore shared by all
  // classes, which gives the same result without compacting each time.
  void CountClassMembers(const std::string& name, TextList& lines);
  void ParseDataMembers(const std::string& name, TextList& lines);
  void ParseMethods(const std::string& name, TextList& lines,
                    const TextList& notReturns);
  void CountClassMembers(const std::string& name, LineStore& lines);
  void ParseDataMembers(const std::string& name, LineStore& lines);
  void ParseMethods(const std::string& name, LineStore& lines,
                    const TextList& notReturns);

  // Output naming (html/naming.cpp). MakeNames runs both, as every output
  // needs.
  void MakeAnchors();
  void MakeFileNames(const std::string& headerPath,
                     const std::string& htmlPath);
  void MakeNames(const std::string& headerPath, const std::string& htmlPath);

  // First class record named `name`, or null.
  CClassInfo* FindClass(const std::string& name);
  const CClassInfo* FindClass(const std::string& name) const;

  std::string m_strName;
  std::string m_strAnchor;
  std::string m_strVarAnchor;
  std::string m_strFuncAnchor;
  std::string m_strFile;
  std::string m_strVarFile;
  std::string m_strFuncFile;
  std::string m_strTitle;
  std::string m_strVarTitle;
  std::string m_strFuncTitle;
  // The output page's path without its extension, which every page file
  // name starts with (MakeFileNames).
  std::string m_strPageStem;
  std::string m_strDescription;
  std::string m_strVarText;
  std::string m_strFuncText;
  int m_nClasses = 0;
  int m_nVars = 0;
  int m_nFuncs = 0;
  int m_nVarCount = 0;
  int m_nVarsLocal = 0;
  int m_nVarsExtern = 0;
  int m_nFuncCount = 0;
  int m_nFuncsLocal = 0;
  int m_nFuncsExtern = 0;
  std::vector<CDeclInfo> m_pVars;
  std::vector<CDeclInfo> m_pFuncs;
  std::vector<CClassInfo> m_pClasses;
  bool m_bHelpKeywords = false;
  bool m_bSplitFiles = false;
  bool m_bStylesheet = false;
  bool m_bShowPublic = true;
  bool m_bShowProtected = true;
  bool m_bShowPrivate = true;
  bool m_bShowExtern = true;
  bool m_bShowLocal = true;
  TextList m_arrHIncludes;
  TextList m_arrCppIncludes;
};

// Description `i` of a description list; empty past the list's end.
std::string_view DescriptionAt(const TextList& descs, size_t i);

// Description `i` to be written, the list grown to hold it.
std::string& DescriptionSlot(SparseTextList* descs, size_t i);

// The first record of each class name among the classes the count says
// exist, which is the record FindClass gives for that name: built once,
// it keeps a walk over many classes linear. The keys view the records.
std::unordered_map<std::string_view, const CClassInfo*> FirstClassesByName(
    const CModuleInfo& module);

// For each class the count says exists, the index of the first class of
// its name: the one the writers write in its place.
std::vector<int> FirstClassIndexes(const CModuleInfo& module);

#endif  // VARNEL_MODEL_MODULE_INFO_H_
