#include "codec/PhoneText.h"

#include <algorithm>
#include <cstdio>

#include "codec/CodePage.h"
#include "codec/Ucs2.h"

namespace quorix {

namespace {

unsigned CodePoint(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (utf8.size() == 1) return lead;
  unsigned value = lead & (0x3F >> (utf8.size() - 1));
  for (size_t i = 1; i < utf8.size(); ++i) {
    value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  }
  return value;
}

}  // namespace

PhoneTextFit FitPhoneText(std::string_view utf8, size_t maxLength) {
  PhoneTextFit fit;
  for (size_t i = 0; i < utf8.size();) {
    const size_t length =
        std::min(Utf8SequenceLength(utf8.data() + i, utf8.size() - i), utf8.size() - i);
    const std::string_view character = utf8.substr(i, length);
    i += length;
    const auto byte = static_cast<unsigned char>(character[0]);
    if (length == 1 && (byte < 0x20 || byte == 0x7F)) {
      fit.text.push_back(' ');
      continue;
    }
    // Kept when it comes back from the phone's table as it went in.
    const std::string held = DecodeUcs2Hex(EncodeUcs2Hex(Utf8ToCp1251(character)));
    if (!held.empty() && Cp1251ToUtf8(held) == character) {
      fit.text += held;
    } else if (std::find(fit.dropped.begin(), fit.dropped.end(), character) == fit.dropped.end()) {
      fit.dropped.emplace_back(character);
    }
  }
  if (maxLength > 0 && fit.text.size() > maxLength) {
    fit.text.resize(maxLength);
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
    const std::string ansi = Utf8ToCp1251(character);
    if (!ansi.empty() && Cp1251ToUtf8(ansi) == character) {
      text += ansi;
    } else {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", CodePoint(character));
      text += code;
    }
  }
  return text;
}

}  // namespace quorix
