#pragma once

#include <initializer_list>
#include <string>

namespace quorix {

// Caption of the phonebook's warnings: "Внимание!".
std::string WarningCaption();

// Caption of plain notices: the program's name.
inline std::string ProgramCaption() {
  return "Quorix";
}

class Shell;

// Characters outside the Basic Multilingual Plane (emoji and the like) have no UCS-2 code: when a
// typed text holds one, the user is told which and false comes back, so nothing is cut silently.
bool TextsFitThePhone(Shell& shell, std::initializer_list<const std::string*> texts);

}  // namespace quorix
