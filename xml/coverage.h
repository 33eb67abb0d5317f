// How complete the documentation of a module is: every description the
// writers would show, under the model's filters, counted as written or as
// missing (empty, or still its placeholder sentence).
#ifndef VARNEL_XML_COVERAGE_H_
#define VARNEL_XML_COVERAGE_H_

#include <string>
#include <string_view>
#include <vector>

#include "model/module_info.h"
#include "xml/merge_report.h"

enum class CoverageKind {
  kModule,
  kGlobalVariables,
  kGlobalFunctions,
  kClasses,
  kDataMembers,
  kMethods,
  kParameters,
  kReturnValues,
};
const int kCoverageKinds = 8;

// "module", "global variables", ... "return values".
const char* CoverageKindName(CoverageKind kind);

// One description that the page and the XML file show as a placeholder.
struct MissingDescription {
  CoverageKind kind;
  EntryKind entry;
  TextField field;
  std::string className;  // of a member or method
  std::string name;       // as the record has it
  std::string item;       // the parameter or return-value text
};

struct CoverageCount {
  int described = 0;
  int total = 0;
};

struct Coverage {
  CoverageCount kinds[kCoverageKinds];
  std::vector<MissingDescription> missing;

  const CoverageCount& Of(CoverageKind kind) const {
    return kinds[static_cast<int>(kind)];
  }
  int Described() const;
  int Total() const;
  // 100 when there is nothing to describe.
  double Percent() const;
  void Add(const Coverage& other);
};

// Counts the descriptions of `module` as its XML file and page show them:
// only the listed globals and members, every method's detail, each class
// as often as it is written. Declarations that only name a type ("class
// X;") need no description and are left out unless `countTypeNames`.
// Without `listMissing` only the counts are made: the list names every
// undescribed entry, which is most of a new header's model again.
Coverage CountCoverage(const CModuleInfo& module, bool countTypeNames,
                       bool listMissing = true);

// True for "class X;", "struct X;", "friend class X;" and the like.
bool NamesOnlyAType(std::string_view declaration);

#endif  // VARNEL_XML_COVERAGE_H_
