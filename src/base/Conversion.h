#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace quorix {

// A text that should have held a decimal number did not. The message is the one users know:
// "'abc' is not a valid integer value".
struct ConversionError : std::runtime_error {
  explicit ConversionError(const std::string& text);
};

// A decimal integer (optional sign, optional surrounding blanks, also "$" followed by hex digits),
// or ConversionError.
int StrToInt(const std::string& text);

// The number a text holds as StrToInt reads it, or nothing when it holds none.
std::optional<int> NumberIn(const std::string& text);

// A field the phone sends in double quotes ("\"+7916...\"", "\"17:00\"") without them; any other
// text as it is.
std::string Unquoted(const std::string& text);

}  // namespace quorix
