#include "model/pointed_text.h"

const std::string& EmptyText() {
  static const std::string kEmpty;
  return kEmpty;
}
