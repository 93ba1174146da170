#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorix {

// The program's texts are UTF-8. These walk them by character rather than by byte.

// The code point of the UTF-8 character at the front of text, and how many bytes it takes. A
// broken sequence gives U+FFFD over the bytes up to its first one that is no continuation byte.
struct Utf8Char {
  char32_t code = 0;
  size_t length = 0;
};
Utf8Char NextUtf8Char(std::string_view text);

void AppendUtf8(std::string& out, char32_t code);

// The text's code points in order, a broken sequence as NextUtf8Char gives it.
std::u32string Utf8CodePoints(std::string_view text);

// How many characters text holds.
size_t Utf8Length(std::string_view text);

// The first `count` characters of text.
std::string Utf8Prefix(std::string_view text, size_t count);

// Letter case for every alphabet (Latin, Cyrillic, Greek, ...), character by character.
std::string Utf8Lower(std::string_view text);
std::string Utf8Upper(std::string_view text);
bool SameTextNoCase(std::string_view a, std::string_view b);
// Whether the character is a letter of some alphabet.
bool IsLetter(char32_t code);
// Whether needle stands in haystack, letter case aside.
bool ContainsNoCase(std::string_view haystack, std::string_view needle);

}  // namespace quorix
