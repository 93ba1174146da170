#pragma once

#include "base/SettingsPage.h"
#include "datebook/DatebookState.h"
#include "link/LinkState.h"
#include "phonebook/PhonebookState.h"

namespace quorix {

// Everything the program keeps for a whole run. The main window owns one; every test builds its
// own, so nothing leaks between tests.
struct AppState {
  SettingsPage settings;
  LinkState link;
  PhonebookState phonebook;
  DatebookState datebook;

  bool AbortRequested = false;    // the progress window was closed; long loops stop
  bool DataModified = false;      // tables changed and not yet written to the phone
  bool RestoredFromFile = false;  // the tables came from a backup file since the last upload
  bool UploadHadErrors = false;
};

}  // namespace quorix
