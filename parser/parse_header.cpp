#include "parser/parse_header.h"

#include <cstring>

#include "model/file_io.h"
#include "parser/class_passes.h"
#include "parser/line_prep.h"
#include "parser/normalizer.h"

const char kNoFileNameMessage[] = "Cannot read a file, that has no name.";
const char kCannotOpenMessage[] = "Unable to open the required file.";
const char kCannotReadMessage[] = "Unable to read the required file.";
const char kEmptyFileMessage[] = "The file was empty.";

namespace {

// memchr finds the next one many bytes at a time; counting byte by byte
// costs more than the rest of the line split.
size_t LineFeeds(const std::string& text) {
  size_t count = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p)))) {
    ++count;
    ++p;
  }
  return count;
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
  return ParseHeaderText(text, headerPath, htmlPath, macros, notReturns,
                         lines, module, err);
}

bool ParseHeaderText(const std::string& text, const std::string& headerPath,
                     const std::string& htmlPath, const TextList& macros,
                     const TextList& notReturns, TextList* lines,
                     CModuleInfo* module, std::string* err) {
  lines->clear();
  if (text.empty()) {
    *err = kCannotReadMessage;
    return false;
  }
  lines->reserve(LineFeeds(text) + 1);
  ForEachLine(text, [lines](std::string_view raw) {
    std::string line(raw);
    NormalizeSpacing(&line);
    if (!line.empty())
      lines->push_back(std::move(line));
  });
  CompactLines(lines);
  if (lines->empty()) {
    *err = kEmptyFileMessage;
    return false;
  }
  ParseLines(headerPath, htmlPath, macros, notReturns, lines, module);
  return true;
}

void ParseLines(const std::string& headerPath, const std::string& htmlPath,
                const TextList& macros, const TextList& notReturns,
                TextList* lines, CModuleInfo* module) {
  StripComments(lines);
  JoinStringLiterals(lines);
  JoinContinuationLines(lines);
  ExtractIncludes(lines, &module->m_arrHIncludes);
  NormalizeStatements(lines, macros);

  module->CountGlobals(*lines, false);
  module->CountClasses(*lines);
  module->ParseGlobalVariables(*lines);
  module->ParseGlobalFunctions(*lines, notReturns);
  module->ParseClassHeads(*lines);
  ParseAllClassBodies(module, lines, notReturns);

  module->MakeAnchors();
  module->MakeFileNames(headerPath, htmlPath);
}
