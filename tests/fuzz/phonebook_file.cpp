// The phonebook backup reader, over a file as the restore reads one.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "FuzzInput.h"
#include "app/AppState.h"
#include "phonebook/PhonebookFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = quorix::fuzz::WriteInput("book.csv", data, size);
  quorix::test::SilentShell shell;
  // A restore replaces the tables whole or leaves them, so one state serves every run.
  static quorix::AppState& app = *new quorix::AppState;
  try {
    quorix::RestorePhonebookFile(app, shell, path);
  } catch (const std::runtime_error&) {
    // A bad file is refused with its reason; nothing else may come out of it.
  }
  return 0;
}
