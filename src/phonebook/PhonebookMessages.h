#pragma once

#include <string>

namespace quorix {

// Caption of the phonebook's warnings: "Внимание!".
std::string WarningCaption();

// Caption of plain notices: the program's name.
inline std::string ProgramCaption() {
  return "Quorix";
}

}  // namespace quorix
