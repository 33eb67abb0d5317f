#include "app/wx/wx_text.h"

wxString FromLatin1(const std::string& text) {
  return wxString(text.data(), wxConvISO8859_1, text.size());
}

wxString FromPath(const std::string& path) {
  if (path.empty())
    return wxString();
  wxString converted(path.data(), *wxConvFileName, path.size());
  // Bytes the file-name encoding cannot read are still shown, one
  // character each, rather than as an empty field.
  return converted.empty() ? FromLatin1(path) : converted;
}

std::string ToPath(const wxString& path) {
  wxCharBuffer bytes = path.fn_str();
  if (bytes.data() && (bytes.length() > 0 || path.empty()))
    return std::string(bytes.data(), bytes.length());
  return ToLatin1(path);
}

std::string ToLatin1(const wxString& text) {
  wxCharBuffer bytes = text.mb_str(wxConvISO8859_1);
  return std::string(bytes.data(), bytes.length());
}
