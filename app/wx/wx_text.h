// Conversions between the program's byte strings and wxString. Texts are
// ISO-8859-1 bytes and are converted only to be shown; paths are file-system
// bytes and must come back unchanged so the files can still be opened.
#ifndef VARNEL_APP_WX_WX_TEXT_H_
#define VARNEL_APP_WX_WX_TEXT_H_

#include <wx/string.h>

#include <string>

wxString FromLatin1(const std::string& text);

wxString FromPath(const std::string& path);
std::string ToPath(const wxString& path);
// Back to the bytes of a text that came from FromLatin1.
std::string ToLatin1(const wxString& text);

#endif  // VARNEL_APP_WX_WX_TEXT_H_
