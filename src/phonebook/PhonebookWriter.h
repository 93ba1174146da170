#pragma once

#include "link/CountedExchange.h"

namespace quorix {

struct PhonebookSession;
class AtExchange;
class Clock;
class Shell;
struct PhonebookTables;

constexpr int kWritePauseMs = 200;

// How an upload or a clear went, for the closing message and the command line's summary.
struct PhonebookWriteOutcome {
  int Written = 0;  // categories and entries written
  int Deleted = 0;  // categories and entries deleted
  int Failed = 0;   // rows whose command failed; they keep their marks
  ExchangeTally Exchanges;
  bool PhoneSilent = false;  // stopped at a reply cut short
  bool Aborted = false;      // the user closed the progress window
  bool Refused = false;      // the settings name indexes outside the table: nothing was sent
  bool Declined = false;     // the user would not have the phone cleared: nothing was sent

  bool HadErrors() const { return Failed > 0 || Exchanges.Failed > 0 || PhoneSilent || Refused; }
};

// Marks the next upload acts on: categories 2..30 and entries 1..1250 marked "1" or "Del".
int PendingChanges(const PhonebookTables& tables);

// WritePhonebook: reset, character set, AT+CPBS="MT", after a restore the optional clear (asked
// first, No by default, naming how many entries follow it; declined, nothing is sent),
// categories 2..30, then entries 1..1250, each marked row with its command and the 200 ms pause;
// a row keeps its mark unless its command succeeded. Stops before the next row when
// AbortRequested is set, and at a reply cut short. Sets UploadHadErrors on any failure.
PhonebookWriteOutcome WritePhonebook(PhonebookSession& app, Shell& shell, AtExchange& at,
                                     Clock& clock);

// The upload command after its connection check (ToolButton13Click): busy status, the upload,
// DataModified kept while marks remain, the ready status. ReportUpload then shows its closing
// message (once the views show what the upload left).
PhonebookWriteOutcome UploadPhonebook(PhonebookSession& app, Shell& shell, AtExchange& at,
                                      Clock& clock);
void ReportUpload(const PhonebookSession& app, Shell& shell, const PhonebookWriteOutcome& outcome);

// ClearPhoneMemory: deletes categories 2..30 and every entry of the selected memory in the phone
// (only indexes that memory has); the tables stay as they are. False when it stopped before its
// end; the progress window stays open for the caller. Counts into outcome.
bool ClearPhoneMemory(PhonebookSession& app, Shell& shell, AtExchange& at, Clock& clock,
                      PhonebookWriteOutcome& outcome);

// The full-clear command after its connection check (ToolButton16Click): asks, clears on Yes,
// closes the progress window whatever the answer.
PhonebookWriteOutcome FullClear(PhonebookSession& app, Shell& shell, AtExchange& at, Clock& clock);

}  // namespace quorix
