#pragma once

namespace quorix {

struct AppState;
class Shell;

// Before a reading or a restore replaces the tables: with changes not yet uploaded the user is
// asked whether to drop them. True to go on.
bool ConfirmReplacingChanges(const AppState& app, Shell& shell);

}  // namespace quorix
