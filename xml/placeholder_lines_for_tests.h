// The placeholder sentences as the XML file writes them on a line of
// their own, spelled out here rather than taken from the writer, so that
// tests notice when the writer's change.
#ifndef VARNEL_XML_PLACEHOLDER_LINES_FOR_TESTS_H_
#define VARNEL_XML_PLACEHOLDER_LINES_FOR_TESTS_H_

inline const char* const kPlaceholderLines[] = {
    "Here should be a description of the module",
    "Here should be a description of the class.",
    "Here should be a short description of the variable.",
    "Here should be a short description of the function.",
    "Here should be a description of the return value.",
    "Here should be a description of the parameter",
    "Here should be a detailed description of the function.",
};

#endif  // VARNEL_XML_PLACEHOLDER_LINES_FOR_TESTS_H_
