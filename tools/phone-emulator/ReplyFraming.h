#pragma once

#include <string>
#include <string_view>

namespace quorix::emu {

// A phone frames every line it sends with CR LF before and after it.
inline std::string InfoLine(std::string_view line) {
  std::string framed = "\r\n";
  framed.append(line);
  framed += "\r\n";
  return framed;
}

inline const std::string kOk = "\r\nOK\r\n";
inline const std::string kError = "\r\nERROR\r\n";

}  // namespace quorix::emu
