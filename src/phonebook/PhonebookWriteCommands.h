#pragma once

#include <string>

#include "phonebook/PhonebookTables.h"

namespace quorix {

// The Motorola write commands, each field as the table holds it; nothing is quoted unless said.

// "AT+MPGW=N,CategoryName,CategoryMelody,CategoryField3,CategoryLight".
std::string CategoryWriteCommand(int number, const CategoryRow& row);

// "AT+MPBW=N," and the 15 fields after N (the seventh the literal 0, EntryField7 never sent), and
// in advanced mode the address fields and the birthday in one pair of double quotes: a birthday
// held with its own quotes (as read or restored) is not quoted twice.
std::string EntryWriteCommand(int index, const EntryRow& row, bool advanced);

// "AT+MPGW=N" or "AT+MPBW=N": deletes the category or the entry.
std::string CategoryDeleteCommand(int number);
std::string EntryDeleteCommand(int index);

}  // namespace quorix
