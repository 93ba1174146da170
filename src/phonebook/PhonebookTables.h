#pragma once

#include <array>
#include <string>
#include <vector>

#include "codec/Collation.h"
#include "phonebook/PhonebookReadOutcome.h"

namespace quorix {

constexpr int kEntryRows = 1250;
constexpr int kCategoryRows = 30;
constexpr int kMelodySlots = 255;
constexpr int kPhoneFileRows = 1000;
constexpr int kNumberTypes = 8;

// Entry fields in the order the phone sends them after the record index (1-based).
enum EntryField : int {
  EntryNumber = 1,
  EntryNumberFormat,
  EntryName,
  EntryNumberType,
  EntryVoiceLabel,
  EntryMelody,
  EntryField7,
  EntryPrimary,
  EntryCategory,
  EntryField10,
  EntryField11,
  EntryField12,
  EntryPicture,
  EntryField14,
  EntryField15,
  EntryDistrict,
  EntryStreet,
  EntryCity,
  EntryRegion,
  EntryPostalCode,
  EntryCountry,
  EntryNickname,
  EntryBirthday,
  EntryTreeIndex,
  EntryMark,
};
constexpr int kEntryFields = 25;
constexpr int kBasicEntryValues = 15;
constexpr int kAdvancedEntryValues = 23;

enum CategoryField : int {
  CategoryName = 1,
  CategoryMelody,
  CategoryField3,
  CategoryLight,
  CategoryMark,
};
constexpr int kCategoryFields = 5;

// Row marks: written to the phone by the next upload, or deleted there.
inline const std::string kMarkChanged = "1";
inline const std::string kMarkRemoved = "Del";

// A phonebook memory as the phone describes it: its record indexes and the characters a name
// holds there. Last 0: the phone did not tell.
struct MemoryLimits {
  int First = 0;
  int Last = 0;
  int NameLength = 0;
  bool Known() const { return Last > 0; }
};

// One row of a table, its fields addressed by their 1-based field number.
template <int N>
struct TableRow {
  std::array<std::string, N> fields;
  std::string& operator[](int field) { return fields[field - 1]; }
  const std::string& operator[](int field) const { return fields[field - 1]; }
  void Clear() {
    for (auto& f : fields) f.clear();
  }
};
using EntryRow = TableRow<kEntryFields>;
using CategoryRow = TableRow<kCategoryFields>;

// The phonebook as the phone numbers it. Every table is indexed from 1 and row 0 is unused;
// the tables keep their size for the whole run.
struct PhonebookTables {
  std::vector<EntryRow> PhonebookEntries = std::vector<EntryRow>(kEntryRows + 1);
  std::vector<CategoryRow> Categories = std::vector<CategoryRow>(kCategoryRows + 1);
  // Slot s holds the melody file with id s + 9; the first empty slot ends the list.
  std::vector<FileRecord> MelodyFiles = std::vector<FileRecord>(kMelodySlots + 1);
  // Full paths of every file the phone listed, in the order received.
  std::vector<FileRecord> PhoneFileList = std::vector<FileRecord>(kPhoneFileRows + 1);
  // Display names of the number type codes 0..7, from the settings file.
  std::array<std::string, kNumberTypes> NumberTypeNames;

  // What the phone said of its memories (zero where it said nothing) and its category count.
  MemoryLimits PhoneMemory;
  MemoryLimits SimMemory;
  int CategoryCount = kCategoryRows;

  int FirstIndex = 1;
  int LastIndex = 1000;
  int ExpectedCount = 0;
  int ReadCount = 0;
  // The last reading's outcome; a restore from a file counts as a finished one.
  PhonebookReadOutcome LastReading;
};

// Empties every entry and category row; the file lists and type names stay.
void EmptyPhonebookTables(PhonebookTables& tables);

// A row that holds a number and is not marked removed. Indexes outside 1..1250 are never used.
bool EntryIsUsed(const PhonebookTables& tables, int index);
// Whether any of the rows 1..lastRow is a used entry.
bool AnyEntryUsed(const PhonebookTables& tables, int lastRow);

// The melody id of the file slot named by a choice label "name (n)", 0 when no slot has that name.
int MelodyIdFromLabel(const PhonebookTables& tables, const std::string& label);

// The fields every entry the program writes carries with the same values.
void SetFixedEntryFields(EntryRow& entry);

}  // namespace quorix
