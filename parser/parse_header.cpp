#include "parser/parse_header.h"

#include "model/file_io.h"
#include "parser/class_passes.h"
#include "parser/line_prep.h"
#include "parser/normalizer.h"
#include "parser/prepared_text.h"

const char kNoFileNameMessage[] = "Cannot read a file, that has no name.";
const char kCannotOpenMessage[] = "Unable to open the required file.";
const char kCannotReadMessage[] = "Unable to read the required file.";
const char kEmptyFileMessage[] = "The file was empty.";

namespace {

// `owned`, when given, is the caller's copy of `text`: it is released once
// the lines are prepared, so that the file's bytes and the model are not
// held at the same time.
bool ParseText(const std::string& text, std::string* owned,
               const std::string& headerPath, const std::string& htmlPath,
               const TextList& macros, const TextList& notReturns,
               TextList* lines, CModuleInfo* module, std::string* err) {
  lines->clear();
  if (text.empty()) {
    *err = kCannotReadMessage;
    return false;
  }
  std::string prepared;
  prepared.reserve(text.size());
  TextList includes;
  if (!PrepareHeaderText(text, &prepared, &includes)) {
    *err = kEmptyFileMessage;
    return false;
  }
  if (owned)
    std::string().swap(*owned);
  module->m_arrHIncludes = std::move(includes);
  NormalizeStatementText(std::move(prepared), macros, lines);
  ParseStatements(headerPath, htmlPath, notReturns, lines, module);
  return true;
}

}  // namespace

bool ParseHeader(const std::string& headerPath, const std::string& htmlPath,
                 const TextList& macros, const TextList& notReturns,
                 TextList* lines, CModuleInfo* module, std::string* err) {
  lines->clear();
  if (headerPath.empty()) {
    *err = kNoFileNameMessage;
    return false;
  }
  std::string text;
  switch (ReadWholeFile(headerPath, &text)) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kCannotOpen:
      *err = kCannotOpenMessage;
      return false;
    case ReadStatus::kReadError:
      *err = kCannotReadMessage;
      return false;
  }
  return ParseText(text, &text, headerPath, htmlPath, macros, notReturns,
                   lines, module, err);
}

bool ParseHeaderText(const std::string& text, const std::string& headerPath,
                     const std::string& htmlPath, const TextList& macros,
                     const TextList& notReturns, TextList* lines,
                     CModuleInfo* module, std::string* err) {
  return ParseText(text, nullptr, headerPath, htmlPath, macros, notReturns,
                   lines, module, err);
}

void ParseLines(const std::string& headerPath, const std::string& htmlPath,
                const TextList& macros, const TextList& notReturns,
                TextList* lines, CModuleInfo* module) {
  StripComments(lines);
  JoinStringLiterals(lines);
  JoinContinuationLines(lines);
  ExtractIncludes(lines, &module->m_arrHIncludes);
  NormalizeStatements(lines, macros);
  ParseStatements(headerPath, htmlPath, notReturns, lines, module);
}

void ParseStatements(const std::string& headerPath,
                     const std::string& htmlPath, const TextList& notReturns,
                     TextList* lines, CModuleInfo* module) {
  module->CountGlobals(*lines, false);
  module->CountClasses(*lines);
  module->ParseGlobalVariables(*lines);
  module->ParseGlobalFunctions(*lines, notReturns);
  module->ParseClassHeads(*lines);
  ParseAllClassBodies(module, lines, notReturns);
  // The passes leave few of the statements; the room for all of them is
  // not kept beside the model.
  ReleaseUnusedRoom(lines);

  module->MakeNames(headerPath, htmlPath);
}
