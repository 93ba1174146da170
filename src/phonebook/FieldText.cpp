#include "phonebook/FieldText.h"

namespace quorix {

std::string WithoutEnds(const std::string& text) {
  return text.size() < 2 ? std::string() : text.substr(1, text.size() - 2);
}

}  // namespace quorix
