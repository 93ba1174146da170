#include "phonebook/VCard.h"

#include <optional>

#include "codec/CodePage.h"

namespace quorix {

namespace {

constexpr size_t kFoldAt = 75;

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Upper(c);
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

// The file as UTF-8 (or as the bytes it holds, when it has no byte order mark).
std::string WithoutByteOrderMark(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") return std::string(text.substr(3));
  if (text.substr(0, 2) == "\xFF\xFE") {
    return CharsetToUtf8(text.substr(2), "UTF-16LE").value_or(std::string());
  }
  if (text.substr(0, 2) == "\xFE\xFF") {
    return CharsetToUtf8(text.substr(2), "UTF-16BE").value_or(std::string());
  }
  return std::string(text);
}

// CR LF, LF and a lone CR all end a line.
std::vector<std::string_view> PhysicalLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Where the value begins: the first ':' outside a quoted parameter value.
size_t ValueColon(std::string_view line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

bool IsQuotedPrintable(std::string_view line) {
  const size_t colon = ValueColon(line);
  const std::string head = UpperAscii(line.substr(0, colon));
  return colon != std::string_view::npos && head.find("QUOTED-PRINTABLE") != std::string::npos;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string DecodeQuotedPrintable(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// Splits at separator outside double quotes.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == separator && !quoted) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string Unquoted(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '"') out.push_back(c);
  }
  return out;
}

void AddParam(VCardProperty& property, std::string_view param) {
  const size_t equals = param.find('=');
  if (equals == std::string_view::npos) {
    const std::string bare = UpperAscii(param);
    const bool encoding =
        bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "8BIT" || bare == "7BIT";
    property.params.emplace_back(encoding ? "ENCODING" : "TYPE", bare);
    return;
  }
  const std::string name = UpperAscii(param.substr(0, equals));
  for (const std::string_view value : SplitOutsideQuotes(param.substr(equals + 1), ',')) {
    const std::string text = Unquoted(value);
    // A quoted list ("work,voice") names as many types as a bare one.
    for (const std::string_view part : SplitOutsideQuotes(text, ',')) {
      property.params.emplace_back(name, std::string(part));
    }
  }
}

std::optional<VCardProperty> ParseProperty(std::string_view line) {
  const size_t colon = ValueColon(line);
  if (colon == std::string_view::npos) return std::nullopt;
  const std::vector<std::string_view> head = SplitOutsideQuotes(line.substr(0, colon), ';');
  VCardProperty property;
  std::string_view name = head[0];
  if (const size_t dot = name.rfind('.'); dot != std::string_view::npos) {
    property.group = UpperAscii(name.substr(0, dot));
    name = name.substr(dot + 1);
  }
  property.name = UpperAscii(name);
  if (property.name.empty()) return std::nullopt;
  for (size_t k = 1; k < head.size(); ++k) {
    if (!head[k].empty()) AddParam(property, head[k]);
  }

  std::string value(line.substr(colon + 1));
  if (property.Has("ENCODING", "QUOTED-PRINTABLE")) value = DecodeQuotedPrintable(value);
  if (property.Has("ENCODING", "B") || property.Has("ENCODING", "BASE64")) {
    property.value = value;  // pictures and keys: nothing of them goes to the phone
    return property;
  }
  const std::string charset = property.Param("CHARSET");
  std::optional<std::string> utf8;
  if (!charset.empty()) utf8 = CharsetToUtf8(value, charset);
  if (!utf8) utf8 = IsUtf8(value) ? value : Cp1251ToUtf8(value);
  property.value = std::move(*utf8);
  return property;
}

// Cards of a file, their lines unfolded and parsed.
class CardCollector {
 public:
  void Take(std::string_view line) {
    const auto property = ParseProperty(line);
    if (!property) return;
    const bool edge = property->name == "BEGIN" || property->name == "END";
    const bool vcard = edge && EqualNoCase(VCardText(property->value), "VCARD");
    if (vcard && property->name == "BEGIN") {
      // A card inside a card (2.1's AGENT) is not a contact of its own.
      if (depth_++ == 0) card_ = VCard();
      return;
    }
    if (depth_ == 0) return;
    if (vcard) {
      if (--depth_ == 0) cards_.push_back(std::move(card_));
      return;
    }
    if (depth_ > 1) return;
    if (property->name == "VERSION") card_.version = VCardText(property->value);
    card_.properties.push_back(*property);
  }

  bool InVersion21() const { return depth_ > 0 && card_.version == "2.1"; }
  std::vector<VCard> Cards() { return std::move(cards_); }

 private:
  std::vector<VCard> cards_;
  VCard card_;
  int depth_ = 0;
};

void AppendPart(std::string& out, std::string_view value, size_t& i) {
  const char next = value[i + 1];
  if (next == 'n' || next == 'N') {
    out.push_back('\n');
  } else if (next == ',' || next == ';' || next == ':' || next == '\\') {
    out.push_back(next);
  } else {
    // Not an escape (a 2.1 value may hold a path): the backslash stays.
    out.push_back('\\');
    out.push_back(next);
  }
  ++i;
}

}  // namespace

bool VCardProperty::Has(std::string_view param, std::string_view wanted) const {
  for (const auto& [name, value] : params) {
    if (name == param && EqualNoCase(value, wanted)) return true;
  }
  return false;
}

std::string VCardProperty::Param(std::string_view param) const {
  for (const auto& [name, value] : params) {
    if (name == param) return value;
  }
  return {};
}

const VCardProperty* VCard::Find(std::string_view name) const {
  for (const VCardProperty& property : properties) {
    if (property.name == name) return &property;
  }
  return nullptr;
}

std::vector<VCard> ParseVCards(std::string_view text) {
  const std::string decoded = WithoutByteOrderMark(text);
  const std::vector<std::string_view> lines = PhysicalLines(decoded);
  CardCollector collector;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string logical(lines[i]);
    while (i + 1 < lines.size()) {
      if (!logical.empty() && logical.back() == '=' && IsQuotedPrintable(logical)) {
        logical.pop_back();  // a soft line break
        logical += lines[++i];
        continue;
      }
      const std::string_view next = lines[i + 1];
      if (next.empty() || (next[0] != ' ' && next[0] != '\t')) break;
      logical += collector.InVersion21() ? next : next.substr(1);
      ++i;
    }
    collector.Take(logical);
  }
  return collector.Cards();
}

std::string VCardText(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      AppendPart(out, value, i);
    } else {
      out.push_back(value[i]);
    }
  }
  return out;
}

std::vector<std::string> VCardParts(std::string_view value, char separator) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      AppendPart(parts.back(), value, i);
    } else if (value[i] == separator) {
      parts.emplace_back();
    } else {
      parts.back().push_back(value[i]);
    }
  }
  return parts;
}

std::string VCardEscape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ',' || c == ';') {
      out.push_back('\\');
      out.push_back(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') out += "\\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string VCardLine(std::string_view nameAndParams, std::string_view value) {
  std::string line(nameAndParams);
  line.push_back(':');
  line.append(value);
  std::string out;
  size_t start = 0;
  size_t room = kFoldAt;
  while (line.size() - start > room) {
    size_t cut = start + room;
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line, start, cut - start);
    out += "\r\n ";
    start = cut;
    room = kFoldAt - 1;
  }
  out.append(line, start, std::string::npos);
  out += "\r\n";
  return out;
}

}  // namespace quorix
