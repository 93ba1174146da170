#include "base/Conversion.h"

#include <cctype>
#include <climits>

namespace quorix {

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid integer value") {}

int StrToInt(const std::string& text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  size_t end = n;
  while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < end && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i >= end) throw ConversionError(text);
  long long value = 0;
  for (; i < end; ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      throw ConversionError(text);
    }
    value = value * base + digit;
    if (value > static_cast<long long>(INT_MAX) + 1) throw ConversionError(text);
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) throw ConversionError(text);
  return static_cast<int>(value);
}

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::optional<int> NumberIn(const std::string& text) {
  try {
    return StrToInt(text);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

}  // namespace quorix
