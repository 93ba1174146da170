#pragma once

#include <string>

#include "phonebook/PhonebookReadOutcome.h"

namespace quorix {

struct PhonebookSession;
class AtExchange;
class Shell;
struct PhoneFileLinks;

// Reads the whole phonebook from the connected phone into the tables, LV, LVCat, the tree and the
// category choices. Refuses, with a message and before sending anything, a block size that is not
// a positive number. A conversion error (record count, SIM capacity, a record's type, category or
// file melody) propagates with what was parsed kept and the progress window left open. Stops
// where AbortRequested is found set. A reply that does not end as the phone ends one (the phone
// went silent or the line dropped) stops the reading, keeping what was parsed. A reply ending in
// "ERROR" lets the reading go on. The outcome is returned and kept as the tables' LastReading
// (a conversion error leaves it unfinished there); a refused block size changes neither.
// With the P2K setting on and the links given, a reading that got through its records ends with
// the P2K step (ReadPhoneFileList).
PhonebookReadOutcome ReadPhonebook(PhonebookSession& app, Shell& shell, AtExchange& at,
                                   const PhoneFileLinks* files = nullptr);

// The reply to AT+MPGR=1,30 into the tables: every category line fills its row and shows in
// LVCat, the "Назначить категорию" submenu and the entry editor's choices (a repeated number
// replaces its row). False when AbortRequested stopped the scan.
bool ParseCategoryReply(PhonebookSession& app, const std::string& reply);

// A reply to AT+MPBR into the tables: every record line fills its entry row and its LV row;
// ReadCount and the gauge count new rows. ConversionError for a value that must be a number;
// what was parsed stays.
void ParseEntryReply(PhonebookSession& app, Shell& shell, const std::string& reply, bool advanced);

// The one closing message of a reading with failures: how many records came of how many, and
// that the phone fell silent when it did. Nothing for a clean, refused or aborted reading.
void ReportPhonebookReading(Shell& shell, const PhonebookReadOutcome& outcome);

}  // namespace quorix
