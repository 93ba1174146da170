#pragma once

#include <string>

namespace quorix {

struct PhonebookSession;
struct PhonebookTables;
class AtExchange;

// The phonebook memory the settings and the phone model select, and its record index range.
struct PhonebookMemoryChoice {
  std::string Command;  // AT+CPBS=..., empty when neither memory box is on
  int FirstIndex = 1;
  int LastIndex = 1000;
  bool FixedCount = false;  // the model is not asked for its record count: 1000 records
};

// Models whose own memory holds records 1..500.
bool IsFiveHundredRecordModel(const std::string& model);
// The records of the phone's own memory: 500 or 1000 by the model; the SIM's follow them.
int PhoneMemoryRecords(const std::string& model);
// Models that are not asked for their record count.
bool IsFixedCountModel(const std::string& model);

// What keeps the settings from giving a reading inside the phone's indexes 1..1250, in the
// program's words; empty when nothing does. The block size must be 1..1250 records and, with the
// SIM box on, a SIM capacity that is a number must leave the SIM's last index inside the table
// (0..250, or 0..750 on the 500-record models). A SIM capacity that is no number is left to the
// conversion error of the memory selection.
std::string PhonebookRangeProblem(const PhonebookSession& app);

// ConversionError when the SIM capacity is needed and is not a number.
PhonebookMemoryChoice ChoosePhonebookMemory(const PhonebookSession& app);

// Sets FirstIndex and LastIndex (and, on the fixed-count models, LastIndex and ExpectedCount to
// 1000); without a command the previous range stays. Where the phone told the range of the
// memories read (LearnMemoryLimits), its range replaces the model's, kept inside the tables.
void ApplyPhonebookMemory(PhonebookSession& app, const PhonebookMemoryChoice& choice);

// Asks the phone the range and name length of each memory the settings read (AT+CPBR=? after
// selecting it, AT+MPBR=? for the phone's own memory when that says nothing), into PhoneMemory and
// SimMemory; a memory the phone says nothing of stays unknown. Leaves a memory selected that the
// caller selects again. Its replies are not counted: a phone that does not know these questions
// has failed nothing.
void LearnMemoryLimits(PhonebookSession& app, AtExchange& at);

// The characters a name holds in the memory of entry row index: what the phone told, else 24.
int NameLengthOfRow(const PhonebookTables& tables, int index);

// Asks the phone its category count (AT+MPGR=?); it stays as it was when the phone does not say.
void LearnCategoryCount(PhonebookSession& app, AtExchange& at);

// The first index the memory the settings select really holds: the SIM's first record when the
// SIM alone is selected (the reading starts one before it on the 1000-record models), else 1.
int FirstIndexOfSelectedMemory(const PhonebookSession& app);

// Learns the memories' limits, chooses, sends the memory command (its reply is not looked at)
// and applies the range.
void SelectPhonebookMemory(PhonebookSession& app, AtExchange& at);

}  // namespace quorix
