#include "phonebook/UnsavedChanges.h"

#include "app/AppState.h"
#include "app/Shell.h"
#include "codec/CodePage.h"
#include "phonebook/PhonebookMessages.h"

namespace quorix {

bool ConfirmReplacingChanges(const AppState& app, Shell& shell) {
  return !app.DataModified ||
         shell.AskYesNo(WarningCaption(),
                        Ansi("Изменения, не загруженные в телефон, будут потеряны. Продолжить?"));
}

}  // namespace quorix
