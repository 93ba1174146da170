// The message backup reader: whatever it takes from a file writes and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "sms/SmsBackupFile.h"
#include "sms/SmsFileWrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorix::sms;
  SmsBackupRead read;
  try {
    read = ReadSmsBackupText(quorix::fuzz::Text(data, size));
  } catch (const SmsFileError&) {
    return 0;  // no backup: refused with its reason
  }
  const std::string written = SmsBackupText(read.messages, read.readingTime.value_or(0));
  const SmsBackupRead again = ReadSmsBackupText(written);
  if (!again.problems.empty() || again.messages.size() != read.messages.size() ||
      SmsBackupText(again.messages, again.readingTime.value_or(0)) != written) {
    std::abort();
  }
  return 0;
}
