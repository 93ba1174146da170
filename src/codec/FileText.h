#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// The text files of the program's own formats (the backups, LogMemo.txt) are code page 1251, as
// they always were. A text holding a character the code page lacks is written as UTF-8 behind a
// byte order mark instead, so that nothing is lost; readers take both forms.

struct EncodedFileText {
  std::string bytes;
  bool utf8 = false;  // the code page could not hold it
};

EncodedFileText EncodeFileText(std::string_view utf8);

// The text of a file in either form, as UTF-8.
std::string DecodeFileText(std::string_view bytes);
// The same for a file read as lines: a byte order mark opening the first says UTF-8.
void DecodeFileLines(std::vector<std::string>& lines);

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace quorix
