#include "phone-emulator/PhoneText.h"

#include <charconv>

namespace quorix::emu {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendHex4(std::string& out, unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

}  // namespace

std::string TextToWire(const std::string& ucs2Hex, Charset charset) {
  if (charset == Charset::Ucs2 || ucs2Hex.empty()) return ucs2Hex;
  std::string plain;
  for (size_t i = 0; i + 4 <= ucs2Hex.size(); i += 4) {
    unsigned value = 0;
    for (size_t k = 0; k < 4; ++k)
      value = value * 16 + static_cast<unsigned>(HexDigit(ucs2Hex[i + k]));
    // The plain form has no room for other letters or for the quote that delimits it.
    const bool printable = value >= 0x20 && value < 0x7F && value != '"';
    plain.push_back(printable ? static_cast<char>(value) : '?');
  }
  return Quote(plain);
}

std::optional<std::string> TextFromWire(std::string_view value, Charset charset) {
  std::string hex;
  if (charset == Charset::Ucs2) {
    if (value.size() % 4 != 0) return std::nullopt;
    for (char c : value) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      hex.push_back("0123456789ABCDEF"[digit]);
    }
    return hex;
  }
  if (value.empty()) return hex;
  const auto inner = Unquote(value);
  if (!inner) return std::nullopt;
  for (char c : *inner) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) return std::nullopt;
    AppendHex4(hex, byte);
  }
  return hex;
}

size_t TextLength(const std::string& ucs2Hex) {
  return ucs2Hex.size() / 4;
}

std::vector<std::string_view> SplitValues(std::string_view list) {
  std::vector<std::string_view> values;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == '"') {
      quoted = !quoted;
    } else if (list[i] == ',' && !quoted) {
      values.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  values.push_back(list.substr(start));
  return values;
}

std::optional<std::string_view> Unquote(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::nullopt;
  const std::string_view inner = value.substr(1, value.size() - 2);
  if (inner.find('"') != std::string_view::npos) return std::nullopt;
  return inner;
}

bool IsDecimal(std::string_view value) {
  if (value.empty() || value.size() > 9) return false;
  for (char c : value) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<int> ParseDecimal(std::string_view value) {
  if (!IsDecimal(value)) return std::nullopt;
  int result = 0;
  std::from_chars(value.data(), value.data() + value.size(), result);
  return result;
}

std::string Quote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  out.append(text);
  out.push_back('"');
  return out;
}

}  // namespace quorix::emu
