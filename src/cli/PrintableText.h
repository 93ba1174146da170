#pragma once

#include <string>

namespace quorix::cli {

// Text from the phone or a file on its way to the terminal: ESC, NUL and the other control
// characters (C0 and DEL) become '?', so nothing a phone or a backup holds can move the cursor or
// reprogram the terminal. Tab, CR and LF stay. The tables and files keep the data as it is.
std::string Printable(std::string utf8);

}  // namespace quorix::cli
