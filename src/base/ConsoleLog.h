#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// The lines a text adds to the AT console log: CR LF, a lone CR and a lone LF each end a line,
// a break at the very end adds no empty line, and the empty text is one empty line.
std::vector<std::string> LogLinesOf(std::string_view text);

// Writes the log to path, every line ended by CR LF, replacing the file: in code page 1251, or
// as UTF-8 behind a byte order mark when a line holds what the code page lacks. Throws
// std::runtime_error "Cannot create file "path". reason" when it cannot be written.
void SaveLogFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quorix
