#include "codec/PhoneText.h"

#include <algorithm>
#include <cstdio>

#include "codec/Utf8.h"

namespace quorix {

PhoneTextFit FitPhoneText(std::string_view utf8, size_t maxLength) {
  PhoneTextFit fit;
  size_t kept = 0;
  while (!utf8.empty()) {
    const Utf8Char c = NextUtf8Char(utf8);
    const std::string_view character = utf8.substr(0, c.length);
    utf8.remove_prefix(c.length);
    if (c.code == 0xFFFD && character != "\xEF\xBF\xBD") continue;  // a broken sequence
    if (c.code < 0x20 || c.code == 0x7F) {
      fit.text.push_back(' ');
      ++kept;
    } else if (c.code <= 0xFFFF) {
      fit.text += character;
      ++kept;
    } else if (std::find(fit.dropped.begin(), fit.dropped.end(), character) == fit.dropped.end()) {
      fit.dropped.emplace_back(character);
    }
  }
  if (maxLength > 0 && kept > maxLength) {
    fit.text = Utf8Prefix(fit.text, maxLength);
    fit.cut = true;
  }
  while (!fit.text.empty() && fit.text.back() == ' ') fit.text.pop_back();
  fit.text.erase(0, fit.text.find_first_not_of(' '));
  return fit;
}

std::string DroppedCharactersText(const std::vector<std::string>& dropped) {
  std::string text;
  for (const std::string& character : dropped) {
    if (!text.empty()) text += ' ';
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(NextUtf8Char(character).code));
    text += code;
  }
  return text;
}

}  // namespace quorix
