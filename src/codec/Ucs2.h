#pragma once

#include <string>
#include <string_view>

namespace quorix {

// The phone's texts after AT+CSCS=UCS2: four hex digits per character. Only ASCII, the Russian
// letters and "№" pass through the phone's own table; everything else is dropped both ways.
// Texts on our side are code page 1251 bytes.

// 146 code page 1251 characters; position p (1-based) stands for UCS2 code 0x040F + p.
const std::string& CyrillicCodeTable();

std::string EncodeUcs2Hex(std::string_view ansi);
std::string DecodeUcs2Hex(std::string_view hex);

}  // namespace quorix
