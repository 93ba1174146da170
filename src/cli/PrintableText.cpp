#include "cli/PrintableText.h"

#include <algorithm>

namespace quorix::cli {

std::string Printable(std::string utf8) {
  std::replace_if(
      utf8.begin(), utf8.end(),
      [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
      },
      '?');
  return utf8;
}

}  // namespace quorix::cli
