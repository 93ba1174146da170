#pragma once

#include <string>

namespace quorix {

struct PhonebookSession;
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
// 1000); without a command the previous range stays.
void ApplyPhonebookMemory(PhonebookSession& app, const PhonebookMemoryChoice& choice);

// The first index the memory the settings select really holds: the SIM's first record when the
// SIM alone is selected (the reading starts one before it on the 1000-record models), else 1.
int FirstIndexOfSelectedMemory(const PhonebookSession& app);

// Chooses, sends the memory command (its reply is not looked at) and applies the range.
void SelectPhonebookMemory(PhonebookSession& app, AtExchange& at);

}  // namespace quorix
