#include "sms/SmsBackupField.h"

#include "codec/Utf8.h"

namespace quorix::sms {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendHexEscape(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

// Whether the sequence at the front is a character that stands as it is: NextUtf8Char gives
// U+FFFD for broken ones, so only a real U+FFFD may come out as that.
bool WholeCharacter(std::string_view text, const Utf8Char& c) {
  return c.code != 0xFFFD || text.substr(0, c.length) == "\xEF\xBF\xBD";
}

}  // namespace

std::string EscapeBackupField(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const auto byte = static_cast<unsigned char>(bytes[0]);
    if (byte >= 0x80) {
      const Utf8Char c = NextUtf8Char(bytes);
      if (WholeCharacter(bytes, c)) {
        out.append(bytes.substr(0, c.length));
      } else {
        for (size_t i = 0; i < c.length; ++i)
          AppendHexEscape(out, static_cast<unsigned char>(bytes[i]));
      }
      bytes.remove_prefix(c.length);
      continue;
    }
    if (byte == '\\' || byte == ';') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendHexEscape(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
    bytes.remove_prefix(1);
  }
  return out;
}

std::optional<std::string> UnescapeBackupField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i >= field.size()) return std::nullopt;
    switch (field[i]) {
      case '\\':
      case ';':
        out += field[i];
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        const int high = i + 1 < field.size() ? HexValue(field[i + 1]) : -1;
        const int low = i + 2 < field.size() ? HexValue(field[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return out;
}

std::vector<std::string_view> SplitBackupFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == ';') {
      fields.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace quorix::sms
