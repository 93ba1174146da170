#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::emu {

// The two forms in which the phone's texts travel: UCS2 hex text without quotes after
// AT+CSCS="UCS2", quoted ASCII after AT+CSCS="GSM".
enum class Charset { Gsm, Ucs2 };

// Stored UCS2 hex text in the wire form of the charset; empty stays empty.
std::string TextToWire(const std::string& ucs2Hex, Charset charset);

// A text value of a command as stored UCS2 hex text; nullopt when it is not well formed.
std::optional<std::string> TextFromWire(std::string_view value, Charset charset);

size_t TextLength(const std::string& ucs2Hex);

// Splits a value list at the commas that stand outside double quotes.
std::vector<std::string_view> SplitValues(std::string_view list);

// The text inside a pair of double quotes that holds no further quote.
std::optional<std::string_view> Unquote(std::string_view value);

bool IsDecimal(std::string_view value);
std::optional<int> ParseDecimal(std::string_view value);

std::string Quote(std::string_view text);

}  // namespace quorix::emu
