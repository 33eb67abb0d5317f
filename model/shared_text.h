// A text that many records of a model hold alike: the name of the class
// a member or method belongs to. Copies share one string, so that the
// thousands of records of a class take one allocation between them. It
// reads as a const std::string.
#ifndef VARNEL_MODEL_SHARED_TEXT_H_
#define VARNEL_MODEL_SHARED_TEXT_H_

#include <memory>
#include <string>
#include <utility>

#include "model/pointed_text.h"

class SharedText : public PointedText<std::shared_ptr<const std::string>> {
 public:
  SharedText() = default;
  explicit SharedText(std::string text);
  SharedText& operator=(std::string text) {
    return *this = SharedText(std::move(text));
  }
  SharedText& operator=(const char* text) { return *this = std::string(text); }
};

#endif  // VARNEL_MODEL_SHARED_TEXT_H_
