#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorix {

// The program keeps its texts in code page 1251, as the phone link and the backup files have
// them; widgets and terminals speak UTF-8. These two are the only crossings.
// Characters that have no place in the other encoding are dropped.
std::string Cp1251ToUtf8(std::string_view cp1251);
std::string Utf8ToCp1251(std::string_view utf8);

// Text in a character set named as files name it ("UTF-8", "windows-1251", "KOI8-R", "UTF-16LE",
// ...) as UTF-8, dropping what does not convert; nothing when the name is unknown.
std::optional<std::string> CharsetToUtf8(std::string_view text, const std::string& charset);

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// The length of the UTF-8 character at p, of at most `left` bytes; a broken sequence ends at its
// first byte that is no continuation byte.
size_t Utf8SequenceLength(const char* p, size_t left);

// Whether two code page 1251 texts are the same, letter case aside.
bool SameCp1251NoCase(std::string_view a, std::string_view b);

// Letter case in code page 1251: Latin, Cyrillic А..Я and Ё; other bytes are left alone.
char LowerCp1251(char c);
char UpperCp1251(char c);

// A fixed text of the program, written in UTF-8 in the source, as code page 1251.
inline std::string Ansi(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

}  // namespace quorix
