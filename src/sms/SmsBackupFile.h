#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sms/SmsMessage.h"

namespace quorix::sms {

// A line of a backup the reader skipped: its number, counted from 1, and why (in the user's
// language).
struct SmsBackupProblem {
  size_t line = 0;
  std::string why;
};

struct SmsBackupRead {
  std::vector<SmsMessage> messages;
  std::optional<int64_t> readingTime;  // seconds since 1970; none when line 1 has it damaged
  std::vector<SmsBackupProblem> problems;
};

// The program's own backup of the messages, UTF-8 with LF line ends:
//   Quorix SMS backup;1;2024-05-01T12:00:00Z       what it is, its version, when the phone was read
//   Направление;Прочитано;Номер;…                   the columns, for a person
//   received;1;+79211234567;2007-03-14T09:30:00+03:00;1;;Привет;ME;3;1;0791…
// then one message a line: direction (received, sent, draft), read (1 or 0), number, time (empty
// when none, or when it is no calendar time: the PDU keeps its octets), decoded (1 or 0), the
// missing parts' numbers ("2,3"), the text, then store, index, stat and PDU of every part. The
// text fields are escaped as SmsBackupField tells, so that any bytes come back as they were.
std::string SmsBackupText(const std::vector<SmsMessage>& messages, int64_t readingTime);

// Writes the backup whole or not at all; SmsFileError when it cannot.
void WriteSmsBackup(const std::string& path, const std::vector<SmsMessage>& messages,
                    int64_t readingTime);

// The messages of a backup's text; their parts carry store, index, status and PDU only (the
// decoder reads the rest again). SmsFileError when the first line names no backup of a version
// this program reads; a damaged line (one of more than 255 parts included) is skipped and told in
// problems, the others kept. Beyond 200000 lines nothing is read, and a problem says so.
SmsBackupRead ReadSmsBackupText(std::string_view text);

// The same from a file of at most 64 MB; SmsFileError naming the file when it cannot be read or is
// no backup.
SmsBackupRead ReadSmsBackup(const std::string& path);

}  // namespace quorix::sms
