#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// A UTF-8 text from another program on its way to the phone: what of it the phone can hold, and
// the characters that had to be dropped (each once): those outside the Basic Multilingual Plane,
// which UCS-2 has no code for. Control characters (line breaks, tabs) become blanks, as the phone
// shows its texts on one line.
struct PhoneTextFit {
  std::string text;
  std::vector<std::string> dropped;
  bool cut = false;  // longer than the phone keeps; text holds its first characters
};

// maxLength counts characters; 0 for no limit.
PhoneTextFit FitPhoneText(std::string_view utf8, size_t maxLength);

// The dropped characters as a message names them: their code points "U+1F600", separated by
// blanks.
std::string DroppedCharactersText(const std::vector<std::string>& dropped);

}  // namespace quorix
