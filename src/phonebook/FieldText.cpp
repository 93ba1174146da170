#include "phonebook/FieldText.h"

#include "app/Conversion.h"

namespace quorix {

std::optional<int> NumberIn(const std::string& text) {
  try {
    return StrToInt(text);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

std::string WithoutEnds(const std::string& text) {
  return text.size() < 2 ? std::string() : text.substr(1, text.size() - 2);
}

}  // namespace quorix
