#include "phonebook/PhonebookTables.h"

namespace quorix {

void EmptyPhonebookTables(PhonebookTables& tables) {
  for (auto& row : tables.PhonebookEntries) row.Clear();
  for (auto& row : tables.Categories) row.Clear();
}

bool EntryIsUsed(const PhonebookTables& tables, int index) {
  if (index < 1 || index > kEntryRows) return false;
  const EntryRow& row = tables.PhonebookEntries[index];
  return !row[EntryNumber].empty() && row[EntryMark] != kMarkRemoved;
}

bool AnyEntryUsed(const PhonebookTables& tables, int lastRow) {
  for (int i = 1; i <= lastRow; ++i) {
    if (EntryIsUsed(tables, i)) return true;
  }
  return false;
}

void SetFixedEntryFields(EntryRow& entry) {
  entry[EntryField7] = "0";
  entry[EntryField10] = "255";
  entry[EntryField11] = "255";
  entry[EntryField12] = "0";
  entry[EntryField14] = "0";
  entry[EntryField15] = "0";
}

int MelodyIdFromLabel(const PhonebookTables& tables, const std::string& label) {
  const auto pos = label.rfind(" (");
  if (pos == std::string::npos) return 0;
  const std::string name = label.substr(0, pos);
  for (int s = 1; s <= kMelodySlots; ++s) {
    const std::string& file = tables.MelodyFiles[s].FileName;
    if (!file.empty() && file == name) return s + 9;
  }
  return 0;
}

}  // namespace quorix
