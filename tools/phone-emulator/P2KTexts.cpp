#include "phone-emulator/P2KTexts.h"

#include "codec/CodePage.h"
#include "codec/Utf8.h"
#include "phone-emulator/P2KBytes.h"

namespace quorix::emu {

std::vector<std::string> Utf16Texts(std::span<const uint8_t> bytes) {
  std::vector<std::string> texts(1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint16_t unit = BigEndian16(bytes, i);
    if (unit == 0x0000) break;
    if (unit == 0xFFFE) {
      texts.emplace_back();
    } else {
      std::string utf8;
      AppendUtf8(utf8, unit);
      const std::string cp1251 = Utf8ToCp1251(utf8);
      texts.back() += cp1251.size() == 1 ? cp1251 : "?";
    }
  }
  std::erase_if(texts, [](const std::string& text) { return text.empty(); });
  return texts;
}

std::vector<uint8_t> Utf16(const std::string& text) {
  std::vector<uint8_t> out;
  for (const char c : text) Append16(out, static_cast<uint8_t>(c));
  return out;
}

}  // namespace quorix::emu
