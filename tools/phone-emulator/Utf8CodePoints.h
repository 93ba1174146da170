#pragma once

#include <string>
#include <string_view>

namespace quorix::emu {

// A UTF-8 text as code points; each byte of a malformed sequence becomes U+FFFD.
std::u32string CodePoints(std::string_view utf8);

void AppendUtf8(char32_t c, std::string& utf8);

}  // namespace quorix::emu
