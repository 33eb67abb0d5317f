// The two program-wide lists that tune the parser, read from an INI-style
// settings file: macro names to blank out of the header text, and texts to
// strip from return types.
#ifndef VARNEL_MODEL_PARSER_SETTINGS_H_
#define VARNEL_MODEL_PARSER_SETTINGS_H_

#include <string>

#include "model/text.h"

extern TextList g_arrMacros;
extern TextList g_arrNotReturns;

// Reads the settings file into the two global lists. On failure both lists
// keep their contents and `err` gets the message for the user.
bool ReadParserSettings(const std::string& path, std::string* err);

// The same, into the given lists (replaced only on success).
bool ReadParserSettingsInto(const std::string& path, TextList* macros,
                            TextList* notReturns, std::string* err);

// The settings file name for an executable: its file name without folder
// and extension, followed by ".INI".
std::string SettingsFileNameFor(const std::string& executablePath);

#endif  // VARNEL_MODEL_PARSER_SETTINGS_H_
