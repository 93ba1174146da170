#include "phonebook/PhonebookMessages.h"

#include <vector>

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/PhoneText.h"
#include "codec/Ucs2.h"
#include "codec/Utf8.h"

namespace quorix {

std::string WarningCaption() {
  return Tr("Внимание!");
}

bool TextsFitThePhone(Shell& shell, std::initializer_list<const std::string*> texts) {
  std::string misfits;
  for (const std::string* text : texts) misfits += Ucs2Misfits(*text);
  if (misfits.empty()) return true;
  std::vector<std::string> characters;
  for (size_t i = 0; i < misfits.size();) {
    const size_t length = NextUtf8Char(std::string_view(misfits).substr(i)).length;
    characters.push_back(misfits.substr(i, length));
    i += length;
  }
  shell.Message(WarningCaption(),
                Tr("Телефон не может сохранить эти символы: ") + misfits + " (" +
                    DroppedCharactersText(characters) + Tr("). Удалите их из текста."),
                MessageIcon::Warning);
  return false;
}

}  // namespace quorix
