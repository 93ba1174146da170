#pragma once

namespace quorix {

struct PhonebookSession;
class Shell;

// Before a reading or a restore replaces the tables: with changes not yet uploaded the user is
// asked whether to drop them. True to go on.
bool ConfirmReplacingChanges(const PhonebookSession& app, Shell& shell);

}  // namespace quorix
