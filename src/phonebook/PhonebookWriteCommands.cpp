#include "phonebook/PhonebookWriteCommands.h"

#include "base/Conversion.h"

namespace quorix {

std::string CategoryDeleteCommand(int number) {
  return "AT+MPGW=" + std::to_string(number);
}

std::string EntryDeleteCommand(int index) {
  return "AT+MPBW=" + std::to_string(index);
}

std::string CategoryWriteCommand(int number, const CategoryRow& row) {
  return CategoryDeleteCommand(number) + "," + row[CategoryName] + "," + row[CategoryMelody] + "," +
         row[CategoryField3] + "," + row[CategoryLight];
}

std::string EntryWriteCommand(int index, const EntryRow& row, bool advanced) {
  std::string command = EntryDeleteCommand(index);
  for (int field = EntryNumber; field <= EntryField15; ++field) {
    command += ",";
    command += field == EntryField7 ? std::string("0") : row[field];
  }
  if (!advanced) return command;
  for (int field = EntryDistrict; field <= EntryNickname; ++field) command += "," + row[field];
  return command + ",\"" + Unquoted(row[EntryBirthday]) + "\"";
}

}  // namespace quorix
