#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/AtExchange.h"

namespace quorix {

class Shell;

// The lines a text adds to the AT console log: CR LF, a lone CR and a lone LF each end a line,
// a break at the very end adds no empty line, and the empty text is one empty line.
std::vector<std::string> LogLinesOf(std::string_view text);

// The console's send: the command goes out exactly as typed and the reply, cut at its first NUL
// character, is appended to the log. The caller has made sure a phone is connected.
void SendConsoleCommand(AtExchange& at, Shell& shell, const std::string& command);

// Writes the log to path, every line ended by CR LF, replacing the file. Throws
// std::runtime_error "Cannot create file "path". reason" when it cannot be written.
void SaveLogFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quorix
