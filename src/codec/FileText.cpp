#include "codec/FileText.h"

#include "codec/CodePage.h"

namespace quorix {

EncodedFileText EncodeFileText(std::string_view utf8) {
  std::string cp1251 = Utf8ToCp1251(utf8);
  if (Cp1251ToUtf8(cp1251) == utf8) return {std::move(cp1251), false};
  return {std::string(kUtf8ByteOrderMark) + std::string(utf8), true};
}

std::string DecodeFileText(std::string_view bytes) {
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    return std::string(bytes.substr(kUtf8ByteOrderMark.size()));
  }
  return Cp1251ToUtf8(bytes);
}

void DecodeFileLines(std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (lines[0].compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) == 0) {
    lines[0].erase(0, kUtf8ByteOrderMark.size());
    return;
  }
  for (std::string& line : lines) line = Cp1251ToUtf8(line);
}

}  // namespace quorix
