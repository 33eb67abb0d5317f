#include "model/shared_text.h"

#include <utility>

SharedText::SharedText(std::string text) {
  if (!text.empty())
    text_ = SharedTextPointer(std::move(text));
}
