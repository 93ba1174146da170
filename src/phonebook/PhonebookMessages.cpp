#include "phonebook/PhonebookMessages.h"

#include "codec/CodePage.h"

namespace quorix {

std::string WarningCaption() {
  return Ansi("Внимание!");
}

}  // namespace quorix
