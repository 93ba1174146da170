#include "codec/Utf8.h"

#include <locale.h>
#include <wctype.h>

namespace quorix {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The C library knows every alphabet's case in its UTF-8 locale, which is built in since glibc
// 2.35; the program's own locale stays as it is.
locale_t CaseLocale() {
  static const locale_t locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
  }();
  return locale;
}

template <typename Map>
std::string MapCase(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Char c = NextUtf8Char(text);
    AppendUtf8(out, static_cast<char32_t>(map(static_cast<wint_t>(c.code), CaseLocale())));
    text.remove_prefix(c.length);
  }
  return out;
}

}  // namespace

Utf8Char NextUtf8Char(std::string_view text) {
  if (text.empty()) return {};
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  char32_t code = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return {kReplacement, 1};
  }
  for (size_t i = 1; i < length; ++i) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      return {kReplacement, i};
    }
    code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return {kReplacement, length};
  }
  return {code, length};
}

std::u32string Utf8CodePoints(std::string_view text) {
  std::u32string codes;
  while (!text.empty()) {
    const Utf8Char c = NextUtf8Char(text);
    codes.push_back(c.code);
    text.remove_prefix(c.length);
  }
  return codes;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacement;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

size_t Utf8Length(std::string_view text) {
  size_t count = 0;
  for (; !text.empty(); ++count) text.remove_prefix(NextUtf8Char(text).length);
  return count;
}

std::string Utf8Prefix(std::string_view text, size_t count) {
  size_t bytes = 0;
  for (; count > 0 && bytes < text.size(); --count) {
    bytes += NextUtf8Char(text.substr(bytes)).length;
  }
  return std::string(text.substr(0, bytes));
}

std::string Utf8Lower(std::string_view text) {
  return MapCase(text, towlower_l);
}

std::string Utf8Upper(std::string_view text) {
  return MapCase(text, towupper_l);
}

bool IsLetter(char32_t code) {
  return iswalpha_l(static_cast<wint_t>(code), CaseLocale()) != 0;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
  return Utf8Lower(a) == Utf8Lower(b);
}

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  return Utf8Lower(haystack).find(Utf8Lower(needle)) != std::string::npos;
}

}  // namespace quorix
