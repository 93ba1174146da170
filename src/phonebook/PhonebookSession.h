#pragma once

#include "base/SessionFlags.h"
#include "base/SettingsPage.h"
#include "link/LinkState.h"
#include "phonebook/PhonebookState.h"

namespace quorix {

// What the phonebook's commands work on: the settings, the link, the phonebook and the flags.
struct PhonebookSession : SessionFlags {
  SettingsPage settings;
  LinkState link;
  PhonebookState phonebook;
};

}  // namespace quorix
