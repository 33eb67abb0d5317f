#include "app/page_preview.h"

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A scheme is a letter, then letters, digits, "+", "-" or ".", then ":".
// One letter before the colon is a drive, as in "C:page.htm".
bool HasScheme(const std::string& href) {
  const size_t colon = href.find(':');
  if (colon == std::string::npos || colon < 2 || !IsLetter(href[0]))
    return false;
  for (size_t i = 1; i < colon; ++i) {
    const char c = href[i];
    if (!IsLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' &&
        c != '.')
      return false;
  }
  return true;
}

}  // namespace

PreviewTarget ResolvePreviewLink(const std::string& href) {
  PreviewTarget target;
  if (href.empty())
    return target;
  if (HasScheme(href)) {
    target.kind = PreviewTarget::kExternal;
    return target;
  }
  const size_t hash = href.find('#');
  if (hash == std::string::npos || hash + 1 == href.size()) {
    target.kind = PreviewTarget::kTop;
    return target;
  }
  target.kind = PreviewTarget::kAnchor;
  target.anchor = href.substr(hash + 1);
  return target;
}
