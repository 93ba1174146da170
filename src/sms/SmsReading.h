#pragma once

#include <string>

#include "sms/SmsBackupFile.h"
#include "sms/SmsState.h"

namespace quorix {
class AtExchange;
class Clock;
class Shell;
}  // namespace quorix

namespace quorix::sms {

// Reads every message of the connected phone, decodes and joins them into state.Messages (what
// was there goes) and keeps the outcome as state.LastReading.
SmsReadOutcome ReadMessages(SmsState& state, Shell& shell, AtExchange& at, Clock& clock,
                            const bool& stop);

// A message backup with every part decoded again from its PDU (the file keeps the PDUs, not
// what the decoder made of them); SmsFileError as ReadSmsBackup.
SmsBackupRead ReadMessageBackup(const std::string& path);

// The messages of a backup taken as the ones the program holds, as a reading would leave them;
// told through the shell: how many came, the lines skipped, or why the file could not be read.
void OpenMessageBackup(SmsState& state, Shell& shell, Clock& clock, const std::string& path);

// Messages holding a part the decoder could not read: kept with their raw PDUs.
int UndecodedMessages(const std::vector<SmsMessage>& messages);

// "Прочитано сообщений: 12 (частей: 14), не распознано: 1", and what went wrong.
std::string SmsReadingSummary(const SmsReadOutcome& outcome,
                              const std::vector<SmsMessage>& messages);

// The closing word of a reading: the summary in the status bar, and in a box when the reading
// had failures or left messages undecoded.
void ReportSmsReading(Shell& shell, const SmsReadOutcome& outcome,
                      const std::vector<SmsMessage>& messages);

}  // namespace quorix::sms
