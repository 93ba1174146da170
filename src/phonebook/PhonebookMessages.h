#pragma once

#include <string>

namespace quorix {

// Captions of the phonebook's message boxes.
std::string WarningCaption();          // "Внимание!"
inline std::string ProgramCaption() {  // plain notices carry the program's name
  return "Quorix";
}

}  // namespace quorix
