#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorix::emu {

// The UTF-16BE texts of a request, separated by FF FE and ended by 00 00 or the request's end;
// empty texts left out. Characters come out in code page 1251, as the phone names its files; those
// it has no place for as '?'.
std::vector<std::string> Utf16Texts(std::span<const uint8_t> bytes);

// ASCII text in UTF-16BE, no terminator.
std::vector<uint8_t> Utf16(const std::string& text);

}  // namespace quorix::emu
