#pragma once

#include <memory>
#include <string>

#include "app/AppState.h"
#include "codec/CodePage.h"
#include "phonebook/PhonebookState.h"
#include "support/Hex.h"
#include "support/RecordingShell.h"

namespace quorix {

using test::Hex;
using test::RecordingShell;

// Fields from..to of a table row joined by '|', to compare in one go.
template <int N>
std::string Fields(const TableRow<N>& row, int from, int to) {
  std::string joined = row[from];
  for (int field = from + 1; field <= to; ++field) joined += "|" + row[field];
  return joined;
}

// An application state with the usual number type names, and an entry/category filler.
struct PhonebookFixture {
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
  PhonebookState& pb = app->phonebook;
  RecordingShell shell;

  PhonebookFixture() {
    pb.NumberTypeNames = {"Work", "Home", "Main", "Mobile", "Fax", "Pager", "Email", "Subscribe"};
    ApplyNumberTypeNames(pb);
  }

  EntryRow& Entry(int index, const std::string& number, const std::string& nameUtf8 = "",
                  const std::string& type = "3", const std::string& category = "1",
                  const std::string& melody = "255") {
    EntryRow& row = pb.PhonebookEntries[index];
    row[EntryNumber] = "\"" + number + "\"";
    row[EntryNumberFormat] = "129";
    row[EntryName] = Hex(nameUtf8);
    row[EntryNumberType] = type;
    row[EntryVoiceLabel] = "0";
    row[EntryMelody] = melody;
    row[EntryField7] = "0";
    row[EntryPrimary] = "1";
    row[EntryCategory] = category;
    row[EntryField10] = "255";
    row[EntryField11] = "255";
    row[EntryField12] = "0";
    row[EntryField14] = "0";
    row[EntryField15] = "0";
    return row;
  }

  CategoryRow& Category(int index, const std::string& nameUtf8, const std::string& melody = "255",
                        const std::string& light = "0") {
    CategoryRow& row = pb.Categories[index];
    row[CategoryName] = Hex(nameUtf8);
    row[CategoryMelody] = melody;
    row[CategoryField3] = "0";
    row[CategoryLight] = light;
    return row;
  }
};

}  // namespace quorix
