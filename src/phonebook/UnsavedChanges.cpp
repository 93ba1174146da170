#include "phonebook/UnsavedChanges.h"

#include "app/AppState.h"
#include "base/Shell.h"
#include "codec/CodePage.h"
#include "phonebook/PhonebookMessages.h"

namespace quorix {

bool ConfirmReplacingChanges(const AppState& app, Shell& shell) {
  return !app.DataModified ||
         shell.AskYesNo(
             WarningCaption(),
             std::string("Изменения, не загруженные в телефон, будут потеряны. Продолжить?"));
}

}  // namespace quorix
