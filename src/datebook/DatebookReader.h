#pragma once

#include "datebook/DatebookReadOutcome.h"
#include "datebook/DatebookSession.h"

namespace quorix {

class AtExchange;
class Shell;

// Reads the whole datebook of the connected phone into DatebookRecords and LVCal, which it empties
// first, holding the phone's datebook locked (AT+MDBL=1) for the time of it. The unlock is sent
// whatever happened after the lock, unless the phone fell silent: a reply cut short has closed
// the port, so the reading stops there with what came whole of that reply. A record number that
// is no number or lies outside 0..499 stops the records there; those before it stay, and the
// progress window stays open for the user to close. A reply ending in "ERROR" lets the reading go
// on. The outcome is returned and kept as the datebook's LastReading.
DatebookReadOutcome ReadDatebook(DatebookSession app, Shell& shell, AtExchange& at);

// The one closing message of a reading with failures: the phone fell silent, a record number was
// bad, or replies failed; and how many records came. Nothing for a clean reading.
void ReportDatebookReading(Shell& shell, const DatebookReadOutcome& outcome);

}  // namespace quorix
