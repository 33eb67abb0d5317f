// Synthetic headers of a chosen size and shape, for the benchmark. Each
// shape stresses one way a header can grow: many records, big records,
// long overload lists, long macro lists, deep nesting, one long line.
// The output is deterministic: the same shape and size give the same bytes.
#ifndef VARNEL_BENCH_HEADER_GENERATOR_H_
#define VARNEL_BENCH_HEADER_GENERATOR_H_

#include <cstddef>
#include <string>
#include <vector>

#include "model/text.h"

enum class HeaderShape {
  kManySmallClasses,
  kFewHugeClasses,
  kOverloads,
  kManyFunctions,
  kMacroLists,
  kDeepNesting,
  kOneLine,
};

struct ShapeInfo {
  HeaderShape shape;
  const char* name;     // short, used on the command line and in tables
  const char* summary;  // one line for the report
};

// Every shape, in the order the benchmark reports them.
const std::vector<ShapeInfo>& AllShapes();
// The shape called `name`, or null.
const ShapeInfo* FindShape(const std::string& name);

// What the parser should find in a generated header. Counts are over the
// whole module; "records" are merged by name, "declarations" are not.
struct HeaderCounts {
  int classes = 0;  // class and struct definitions, nested ones included
  int globalVars = 0;
  int globalFuncRecords = 0;
  int globalFuncDecls = 0;
  int dataMembers = 0;  // over all classes
  int methodRecords = 0;
  int methodDecls = 0;
  int maxOverloads = 0;     // most declarations sharing one name
  int nestingDepth = 0;     // deepest class nesting; 1 for top-level classes
  int macroUses = 0;        // whole-word uses of listed macros in the text
  int macroNearMisses = 0;  // listed names inside longer identifiers
};

struct GeneratedHeader {
  std::string text;
  TextList macros;      // the settings' macro list for this header
  TextList notReturns;  // the settings' NotReturns list
  HeaderCounts counts;
};

// A header of the given shape, `bytes` long or a little longer (it ends
// after a whole unit of the shape), and never smaller than one unit.
GeneratedHeader GenerateHeader(HeaderShape shape, size_t bytes);

// The settings file that holds the header's two lists.
std::string SettingsFileText(const GeneratedHeader& header);
std::string SettingsFileText(const std::vector<std::string>& macros,
                             const std::vector<std::string>& notReturns);

#endif  // VARNEL_BENCH_HEADER_GENERATOR_H_
