#include "model/shared_text.h"

#include <utility>

SharedText::SharedText(std::string text) {
  if (!text.empty())
    text_ = std::make_shared<const std::string>(std::move(text));
}

const std::string& SharedText::Empty() {
  static const std::string kEmpty;
  return kEmpty;
}
