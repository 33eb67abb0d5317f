#include "model/parser_settings.h"

#include "model/file_io.h"

TextList g_arrMacros;
TextList g_arrNotReturns;

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i]))
      return false;
  return true;
}

}  // namespace

bool ReadParserSettingsInto(const std::string& path, TextList* macros,
                            TextList* notReturns, std::string* err) {
  std::string text;
  if (ReadWholeFile(path, &text) != ReadStatus::kOk) {
    *err = path +
           "\nCannot find this file.\nPlease verify that the correct path "
           "and file name are given.";
    return false;
  }
  enum { kNone, kMacros, kNotReturns } section = kNone;
  TextList newMacros, newNotReturns;
  ForEachLine(text, [&](std::string_view raw) {
    std::string line = Trimmed(raw);
    if (line.empty())
      return;
    if (line[0] == '[') {
      if (EqualsNoCase(line, "[Macroes]"))
        section = kMacros;
      else if (EqualsNoCase(line, "[NotReturns]"))
        section = kNotReturns;
      else
        section = kNone;
      return;
    }
    if (section == kMacros)
      newMacros.push_back(line);
    else if (section == kNotReturns)
      newNotReturns.push_back(line);
  });
  macros->swap(newMacros);
  notReturns->swap(newNotReturns);
  return true;
}

bool ReadParserSettings(const std::string& path, std::string* err) {
  return ReadParserSettingsInto(path, &g_arrMacros, &g_arrNotReturns, err);
}

std::string SettingsFileNameFor(const std::string& executablePath) {
  return PathStem(executablePath) + ".INI";
}
