#pragma once

#include <cstdint>
#include <vector>

namespace quorix::emu {

// The GSM 7-bit default alphabet and its extension table, as a phone writes texts in it.

// Appends the septets of a character: one from the default table, the escape 0x1B and one for a
// character of the extension table, and '?' for a character the alphabet lacks.
void AppendGsm7(char32_t c, std::vector<uint8_t>& septets);

// The number of septets AppendGsm7 gives the character.
int Gsm7Width(char32_t c);

// Packs septets least significant bit first, after fillBits zero bits that align them after a
// user data header.
std::vector<uint8_t> PackSeptets(const std::vector<uint8_t>& septets, int fillBits);

}  // namespace quorix::emu
