#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorix {

// The program keeps its texts in UTF-8; code page 1251 is the form of the files that have it (the
// backups, velkor.ini, LogMemo.txt), converted at their edge with these two. Characters that have
// no place in the code page are dropped: writers ask FitsCp1251 first.
std::string Cp1251ToUtf8(std::string_view cp1251);
std::string Utf8ToCp1251(std::string_view utf8);

// Whether every character of the UTF-8 text has a place in code page 1251.
bool FitsCp1251(std::string_view utf8);

// Bytes from outside that should be text (a phone's own 8-bit replies) as UTF-8: well-formed
// UTF-8 stays, any other byte is taken as code page 1251, as the phones of that region send it.
std::string AsUtf8(std::string_view bytes);

// Text in a character set named as files name it ("UTF-8", "windows-1251", "KOI8-R", "UTF-16LE",
// ...) as UTF-8, dropping what does not convert; nothing when the name is unknown.
std::optional<std::string> CharsetToUtf8(std::string_view text, const std::string& charset);

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// The length of the UTF-8 character at p, of at most `left` bytes; a broken sequence ends at its
// first byte that is no continuation byte.
size_t Utf8SequenceLength(const char* p, size_t left);

}  // namespace quorix
