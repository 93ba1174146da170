#pragma once
#include "datebook/DatebookSession.h"

namespace quorix {

class AtExchange;
class Clock;
class Shell;

// How writing the datebook into the phone went.
struct DatebookRestoreOutcome {
  int RecordsToWrite = 0;    // used records in the table
  int WritesSent = 0;        // write commands sent
  int FailedWrites = 0;      // of them, replies that ended in "ERROR" or were cut short
  bool Aborted = false;      // the user closed the progress window
  bool PhoneSilent = false;  // stopped because a reply was cut short

  bool HadFailures() const { return FailedWrites > 0 || Aborted || PhoneSilent; }
};

// Writes every used record of DatebookRecords into the connected phone with AT+MDBW, after a
// reset and with the datebook locked (AT+MDBL=1) for the time of it. UploadHadErrors is cleared
// first and set by a write that fails or a phone that falls silent. The user closing the progress
// window stops it before the next record; the unlock is still sent. A reply cut short has closed
// the port, so the writing stops there without the unlock. The list LVCal is left alone.
DatebookRestoreOutcome WriteDatebookToPhone(DatebookSession app, Shell& shell, AtExchange& at,
                                            Clock& clock);

// The closing message: that the phone fell silent, or "Загрузка завершена с ошибками!" when
// UploadHadErrors is set, else "Загрузка успешно завершена!". Nothing after an abort.
void ReportDatebookRestore(Shell& shell, const DatebookSession& app,
                           const DatebookRestoreOutcome& outcome);

}  // namespace quorix
