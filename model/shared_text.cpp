#include "model/shared_text.h"

#include <utility>

SharedText::SharedText(std::string text) {
  if (!text.empty())
    text_ = std::make_shared<const std::string>(std::move(text));
}
