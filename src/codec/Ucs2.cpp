#include "codec/Ucs2.h"

#include <optional>

namespace quorix {

namespace {

constexpr unsigned kTableBase = 0x040F;

std::string BuildCyrillicCodeTable() {
  std::string table;
  // Code page 1251: А..Я are 0xC0..0xDF and а..я 0xE0..0xFF.
  for (unsigned c = 0xC0; c <= 0xFF; ++c) table.push_back(static_cast<char>(c));
  table.push_back(static_cast<char>(0xA8));  // Ё
  table.push_back(static_cast<char>(0xB8));  // ё
  table += ".,!\"";
  table.push_back(static_cast<char>(0xB9));  // №
  table += ";%:?*()/0123456789+-=, ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  return table;
}

void AppendHex4(std::string& out, unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

std::optional<unsigned> ParseHexGroup(std::string_view group) {
  unsigned value = 0;
  for (char c : group) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

const std::string& CyrillicCodeTable() {
  static const std::string table = BuildCyrillicCodeTable();
  return table;
}

std::string EncodeUcs2Hex(std::string_view ansi) {
  const std::string& table = CyrillicCodeTable();
  std::string out;
  out.reserve(ansi.size() * 4);
  for (char ch : ansi) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x7F) {
      AppendHex4(out, c);
      continue;
    }
    const auto pos = table.find(ch);
    if (pos != std::string::npos) AppendHex4(out, kTableBase + static_cast<unsigned>(pos) + 1);
  }
  return out;
}

std::string DecodeUcs2Hex(std::string_view hex) {
  const std::string& table = CyrillicCodeTable();
  std::string out;
  out.reserve(hex.size() / 4 + 1);
  for (size_t i = 0; i < hex.size(); i += 4) {
    const auto value = ParseHexGroup(hex.substr(i, 4));
    if (!value) continue;
    if (*value <= 0x7F) {
      out.push_back(static_cast<char>(*value));
    } else if (*value >= 0x0410 && *value <= kTableBase + table.size()) {
      out.push_back(table[*value - kTableBase - 1]);
    }
  }
  return out;
}

}  // namespace quorix
