#include "phonebook/UnsavedChanges.h"

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

bool ConfirmReplacingChanges(const PhonebookSession& app, Shell& shell) {
  return !app.DataModified ||
         shell.AskYesNo(WarningCaption(),
                        Tr("Изменения, не загруженные в телефон, будут потеряны. Продолжить?"));
}

}  // namespace quorix
