// The replies of the phonebook reading, applied to the tables as the reader applies them.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "app/AppState.h"
#include "base/Conversion.h"
#include "phonebook/PhonebookReader.h"
#include "phonebook/PhonebookReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply = quorix::fuzz::Text(data, size);
  quorix::test::SilentShell shell;
  // One state for all runs (building one costs more than a run); what a run filled is emptied.
  static quorix::AppState& app = *new quorix::AppState;
  quorix::EmptyPhonebookTables(app.phonebook);
  app.phonebook.LV.clear();
  app.phonebook.LVCat.clear();
  app.phonebook.Popup.AssignCategory.clear();
  app.phonebook.EntryEditorLists.ComboBox2.clear();
  app.phonebook.ReadCount = 0;
  try {
    quorix::ParseCategoryReply(app, reply);
  } catch (const quorix::ConversionError&) {
  }
  for (const bool advanced : {false, true}) {
    try {
      quorix::ParseEntryReply(app, shell, reply, advanced);
    } catch (const quorix::ConversionError&) {
    }
  }
  try {
    quorix::ParseCountReply(reply);
  } catch (const quorix::ConversionError&) {
  }
  return 0;
}
