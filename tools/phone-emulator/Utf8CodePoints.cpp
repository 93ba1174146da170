#include "phone-emulator/Utf8CodePoints.h"

namespace quorix::emu {

std::u32string CodePoints(std::string_view utf8) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u32string out;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80   ? 0
                      : lead < 0xC0 ? -1
                      : lead < 0xE0 ? 1
                      : lead < 0xF0 ? 2
                      : lead < 0xF8 ? 3
                                    : -1;
    char32_t c = extra <= 0 ? lead : lead & (0x3F >> extra);
    bool wellFormed = extra >= 0 && i + static_cast<size_t>(extra) < utf8.size();
    for (int k = 1; wellFormed && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      wellFormed = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    out.push_back(wellFormed ? c : kReplacement);
    i += wellFormed ? static_cast<size_t>(extra) + 1 : 1;
  }
  return out;
}

void AppendUtf8(char32_t c, std::string& utf8) {
  const auto put = [&utf8](char32_t bits) { utf8.push_back(static_cast<char>(bits)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

}  // namespace quorix::emu
