#include "codec/Ucs2.h"

#include <algorithm>
#include <optional>

#include "codec/Utf8.h"

namespace quorix {

namespace {

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

bool IsHighSurrogate(unsigned v) {
  return v >= 0xD800 && v <= 0xDBFF;
}
bool IsLowSurrogate(unsigned v) {
  return v >= 0xDC00 && v <= 0xDFFF;
}

}  // namespace

std::string EncodeUcs2Hex(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 4);
  while (!utf8.empty()) {
    const Utf8Char c = NextUtf8Char(utf8);
    utf8.remove_prefix(c.length);
    if (c.code <= 0xFFFF) AppendHex4(out, c.code);
  }
  return out;
}

std::string UnquotedUcs2Hex(std::string_view field) {
  if (field.size() < 6 || field.front() != '"' || field.back() != '"') return std::string(field);
  const std::string_view hex = field.substr(1, field.size() - 2);
  const bool allHex = std::all_of(hex.begin(), hex.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
  });
  return allHex && hex.size() % 4 == 0 ? std::string(hex) : std::string(field);
}

std::string DecodeUcs2Hex(std::string_view hex) {
  std::string out;
  out.reserve(hex.size() / 2 + 1);
  std::optional<unsigned> high;
  for (size_t i = 0; i < hex.size(); i += 4) {
    const auto value = ParseHexGroup(hex.substr(i, 4));
    if (!value) continue;
    if (high && IsLowSurrogate(*value)) {
      AppendUtf8(out, 0x10000 + ((*high - 0xD800) << 10) + (*value - 0xDC00));
      high.reset();
      continue;
    }
    if (high) AppendUtf8(out, 0xFFFD);
    high.reset();
    if (IsHighSurrogate(*value)) {
      high = *value;
    } else {
      AppendUtf8(out, IsLowSurrogate(*value) ? 0xFFFD : *value);
    }
  }
  if (high) AppendUtf8(out, 0xFFFD);
  return out;
}

std::string Ucs2Misfits(std::string_view utf8) {
  std::string misfits;
  while (!utf8.empty()) {
    const Utf8Char c = NextUtf8Char(utf8);
    const std::string_view character = utf8.substr(0, c.length);
    utf8.remove_prefix(c.length);
    if (c.code > 0xFFFF && misfits.find(character) == std::string::npos) misfits += character;
  }
  return misfits;
}

}  // namespace quorix
