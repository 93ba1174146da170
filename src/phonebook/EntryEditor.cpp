#include "phonebook/EntryEditor.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "codec/Ucs2.h"
#include "codec/Utf8.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryList.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookLabels.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

namespace {

constexpr int kProposedIndexes = 500;

void SelectSomeRow(Shell& shell) {
  shell.Message(ProgramCaption(), Tr("Выделите какую-нибудь строчку!"), MessageIcon::None);
}

// The row Edit1 names, or 0 after telling the user why it cannot be written.
int EditorTargetRow(const PhonebookSession& app, Shell& shell) {
  const PhonebookState& pb = app.phonebook;
  const auto index = NumberIn(pb.EntryEditor.Edit1);
  if (!index || *index < 1 || *index > kEntryRows) {
    shell.Message(WarningCaption(), Tr("Номер ячейки должен быть числом от 1 до 1250!"),
                  MessageIcon::Warning);
    return 0;
  }
  if (pb.EditorMode == EditorModeKind::Add && !pb.PhonebookEntries[*index][EntryNumber].empty()) {
    shell.Message(WarningCaption(), Tr("Ячейка ") + std::to_string(*index) + Tr(" уже занята!"),
                  MessageIcon::Warning);
    return 0;
  }
  return *index;
}

// A number to store and, when given, a birthday the phone can hold; otherwise a warning.
bool EditorFieldsValid(const EntryEditorFields& e, Shell& shell) {
  if (!TextsFitThePhone(shell, {&e.Edit2, &e.Edit5, &e.Edit7, &e.Edit8, &e.Edit9, &e.Edit10,
                                &e.Edit11, &e.Edit12, &e.Edit13})) {
    return false;
  }
  if (e.Edit3.empty()) {
    shell.Message(WarningCaption(), Tr("Введите номер телефона!"), MessageIcon::Warning);
    return false;
  }
  if (!e.Edit14.empty() && !IsBirthday(e.Edit14)) {
    shell.Message(WarningCaption(), Tr("Дата рождения должна быть датой в формате ММ-ДД-ГГГГ!"),
                  MessageIcon::Warning);
    return false;
  }
  return true;
}

// The type code whose name the text is (the first, should two share a name).
std::optional<int> TypeCodeNamed(const PhonebookState& pb, const std::string& name) {
  const auto end = pb.NumberTypeNames.begin() + kNumberTypes;
  const auto found = std::find(pb.NumberTypeNames.begin(), end, name);
  if (found == end) return std::nullopt;
  return static_cast<int>(found - pb.NumberTypeNames.begin());
}

}  // namespace

std::string NumberFormatFor(const std::string& number, const std::string& type) {
  if (type == "6") return "128";
  return !number.empty() && number[0] == '+' ? "145" : "129";
}

bool IsBirthday(const std::string& text) {
  if (text.size() != 10 || text[2] != '-' || text[5] != '-') return false;
  for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  const int month = std::stoi(text.substr(0, 2));
  const int day = std::stoi(text.substr(3, 2));
  const int year = std::stoi(text.substr(6, 4));
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

bool PrepareAddEntry(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  int free = 0;
  for (int i = 1; i <= kEntryRows && free == 0; ++i) {
    if (pb.PhonebookEntries[i][EntryNumber].empty()) free = i;
  }
  if (free == 0) {
    shell.Message(WarningCaption(), Tr("Нет свободных ячеек!"), MessageIcon::Warning);
    return false;
  }
  pb.EditorMode = EditorModeKind::Add;
  pb.EditIndex = free;
  EntryEditorFields& e = pb.EntryEditor;
  e.Edit1 = std::to_string(free);
  e.ComboBox2 = pb.EntryEditorLists.ComboBox2.empty() ? "" : pb.EntryEditorLists.ComboBox2[0];
  for (std::string* text : {&e.Edit2, &e.Edit3, &e.Edit4, &e.Edit5, &e.Edit6, &e.Edit7, &e.Edit8,
                            &e.Edit9, &e.Edit10, &e.Edit11, &e.Edit12, &e.Edit13, &e.Edit14}) {
    text->clear();
  }
  e.CheckBox1 = true;
  EntryEditorFormShow(app);
  return true;
}

bool PrepareEditEntry(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  if (pb.LV.empty()) {
    shell.Message("Warning!", Tr("Сначала необходимо прочитать справочник!"), MessageIcon::Warning);
    return false;
  }
  if (pb.SelectedItemIndex < 0 || pb.SelectedItemIndex >= static_cast<int>(pb.LV.size())) {
    SelectSomeRow(shell);
    return false;
  }
  pb.EditorMode = EditorModeKind::Edit;
  const ListRow& row = pb.LV[pb.SelectedItemIndex];
  EntryEditorFields& e = pb.EntryEditor;
  e.Edit1Enabled = false;
  e.Edit1 = row.Caption;
  e.Edit2 = row.Cells[NameCell];
  e.Edit3 = row.Cells[NumberCell];
  e.ComboBox1 = row.Cells[TypeCell];
  e.Edit4 = row.Cells[MelodyCell];
  e.ComboBox2 = row.Cells[CategoryCell];
  e.Edit5 = row.Cells[PictureCell];
  e.CheckBox1 = row.Cells[PrimaryCell] == "Yes";
  std::string* advanced[] = {&e.Edit7,  &e.Edit8,  &e.Edit9,  &e.Edit10,
                             &e.Edit11, &e.Edit12, &e.Edit13, &e.Edit14};
  for (int k = 0; k < 8; ++k) *advanced[k] = row.Cells[DistrictCell + k];
  EntryEditorFormShow(app);
  return true;
}

// The free indexes are listed afresh at every showing, so none appears twice.
void EntryEditorFormShow(PhonebookSession& app) {
  PhonebookState& pb = app.phonebook;
  pb.EntryEditorLists.Edit1.clear();
  for (int i = 1; i <= kProposedIndexes; ++i) {
    if (pb.PhonebookEntries[i][EntryNumber].empty()) {
      pb.EntryEditorLists.Edit1.push_back(std::to_string(i));
    }
  }
  pb.EntryEditor.AdvancedEnabled = app.settings.AdvancedPhoneBook;
}

void EntryEditorFormClose(PhonebookSession& app) {
  app.phonebook.EntryEditor.Edit1Enabled = true;
}

void StoreEditorFields(const PhonebookState& pb, const EntryEditorFields& e, bool adding,
                       EntryRow& entry) {
  entry[EntryMelody] = "255";
  if (!e.Edit4.empty() && e.Edit4 != EntryDefaultMelodyLabel()) {
    entry[EntryMelody] =
        e.Edit4.size() > 3 ? std::to_string(MelodyIdFromLabel(pb, e.Edit4)) : e.Edit4;
  }
  if (const int digit = BuiltInMelodyDigit(e.Edit4); digit >= 0) {
    entry[EntryMelody] = std::to_string(digit);
  }
  entry[EntryPrimary] = e.CheckBox1 ? "1" : "0";
  entry[EntryNumber] = "\"" + e.Edit3 + "\"";
  entry[EntryName] = EncodeUcs2Hex(e.Edit2);
  if (const auto code = TypeCodeNamed(pb, e.ComboBox1))
    entry[EntryNumberType] = std::to_string(*code);
  // A new entry gets the format the phone gives such a number; a held one is carried.
  if (adding || entry[EntryNumberFormat].empty()) {
    entry[EntryNumberFormat] = NumberFormatFor(e.Edit3, entry[EntryNumberType]);
  }
  entry[EntryVoiceLabel] = e.Edit6.empty() ? "0" : e.Edit6;
  SetFixedEntryFields(entry);
  // Unnamed rows hold no category: an empty choice must not pick one of them.
  for (int c = 1; c <= kCategoryRows; ++c) {
    const std::string& name = pb.Categories[c][CategoryName];
    if (!name.empty() && DecodeUcs2Hex(name) == e.ComboBox2) {
      entry[EntryCategory] = std::to_string(c);
    }
  }
  entry[EntryPicture] = EncodeUcs2Hex(e.Edit5);
  const std::string* advanced[] = {&e.Edit7,  &e.Edit8,  &e.Edit9, &e.Edit10,
                                   &e.Edit11, &e.Edit12, &e.Edit13};
  for (int k = 0; k < 7; ++k) entry[EntryDistrict + k] = EncodeUcs2Hex(*advanced[k]);
  entry[EntryBirthday] = e.Edit14;
  entry[EntryMark] = kMarkChanged;
}

ListRow EditedListRow(const EntryEditorFields& e, const EntryRow& entry) {
  const bool defaultMelody = e.Edit4.empty() || e.Edit4 == EntryDefaultMelodyLabel();
  ListRow row;
  row.Caption = e.Edit1;
  row.Cells = {e.Edit2,
               e.Edit3,
               e.ComboBox1,
               defaultMelody ? EntryDefaultMelodyLabel() : e.Edit4,
               e.ComboBox2,
               e.Edit5,
               e.CheckBox1 ? "Yes" : "No",
               e.Edit7,
               e.Edit8,
               e.Edit9,
               e.Edit10,
               e.Edit11,
               e.Edit12,
               e.Edit13,
               e.Edit14};
  row.TypeIcon = TypeIconFor(entry[EntryNumberType]);
  return row;
}

bool AcceptEntryEditor(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  const EntryEditorFields& e = pb.EntryEditor;
  const int target = EditorTargetRow(app, shell);
  if (target == 0 || !EditorFieldsValid(e, shell)) return false;
  if (const size_t limit = static_cast<size_t>(NameLengthOfRow(pb, target));
      Utf8Length(e.Edit2) > limit) {
    shell.Message(WarningCaption(),
                  Tr("Имя длиннее ") + std::to_string(limit) + Tr(" знаков, которые хранит ") +
                      Tr("память телефона для ячейки ") + std::to_string(target) +
                      Tr(": сократите его."),
                  MessageIcon::Warning);
    return false;
  }

  // The phone refuses a record without a number type; a row it gave keeps the type it has.
  if (!TypeCodeNamed(pb, e.ComboBox1) && pb.PhonebookEntries[target][EntryNumberType].empty()) {
    shell.Message(WarningCaption(), Tr("Выберите тип номера!"), MessageIcon::Warning);
    return false;
  }

  const bool adding = pb.EditorMode == EditorModeKind::Add;
  if (adding) {
    ++pb.ExpectedCount;
    pb.EditIndex = target;
  }
  EntryRow& entry = pb.PhonebookEntries[pb.EditIndex];
  StoreEditorFields(pb, e, adding, entry);
  app.DataModified = true;

  ListRow row = EditedListRow(e, entry);
  if (adding) {
    InsertListRow(pb, std::move(row));
  } else if (pb.SelectedItemIndex >= 0 && pb.SelectedItemIndex < static_cast<int>(pb.LV.size())) {
    ListRow& edited = pb.LV[pb.SelectedItemIndex];
    row.Selected = edited.Selected;
    edited = std::move(row);
  }
  RebuildCategoryTree(pb);
  return true;
}

namespace {

// The LV positions a removal or its undoing acts on: every highlighted row, else the current
// row, else the row the last selection named; empty when there is none.
std::vector<size_t> TargetRows(const PhonebookState& pb) {
  std::vector<size_t> rows;
  for (size_t p = 0; p < pb.LV.size(); ++p) {
    if (pb.LV[p].Selected) rows.push_back(p);
  }
  if (!rows.empty()) return rows;
  int position = pb.CurrentEntry > 0 ? FindListRow(pb, pb.CurrentEntry) : -1;
  if (position < 0) position = pb.SelectedItemIndex;
  if (position >= 0 && position < static_cast<int>(pb.LV.size())) {
    rows.push_back(static_cast<size_t>(position));
  }
  return rows;
}

}  // namespace

// The rows stay listed, marked, until the upload deletes them on the phone; they lose their
// selection so that no later command acts on them unseen.
void RemoveSelectedEntry(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  if (pb.LV.empty()) return;
  const std::vector<size_t> targets = TargetRows(pb);
  if (targets.empty()) {
    SelectSomeRow(shell);
    return;
  }
  if (pb.SelectionSource == SelectionSourceKind::Tree) return;
  for (size_t p : targets) {
    ListRow& row = pb.LV[p];
    row.Selected = false;
    if (const auto index = NumberIn(row.Caption); index && EntryIsUsed(pb, *index)) {
      pb.PhonebookEntries[*index][EntryMark] = kMarkRemoved;
      app.DataModified = true;
    }
  }
  pb.SelectedItemIndex = -1;
  RebuildCategoryTree(pb);
}

bool RestoreRemovedEntries(PhonebookSession& app) {
  PhonebookState& pb = app.phonebook;
  bool restored = false;
  for (size_t p : TargetRows(pb)) {
    if (!ListRowIsRemoved(pb, pb.LV[p])) continue;
    // Written again by the upload: the phone has it either way, and the program no longer
    // knows whether it was changed before the removal.
    pb.PhonebookEntries[*NumberIn(pb.LV[p].Caption)][EntryMark] = kMarkChanged;
    restored = true;
  }
  if (restored) RebuildCategoryTree(pb);
  return restored;
}

namespace {

// Sets one field of every selected entry, then lists the whole table again. The list is rebuilt
// over every row: entries may sit above the number of records the phone reported.
template <typename SetField>
void AssignToSelection(PhonebookSession& app, SetField setField) {
  PhonebookState& pb = app.phonebook;
  for (const ListRow& row : pb.LV) {
    if (!row.Selected) continue;
    const auto index = NumberIn(row.Caption);
    if (!index || !EntryIsUsed(pb, *index)) continue;
    EntryRow& entry = pb.PhonebookEntries[*index];
    setField(entry);
    entry[EntryMark] = kMarkChanged;
  }
  RebuildEntryList(pb, kEntryRows);
  RebuildCategoryTree(pb);
  app.DataModified = true;
}

}  // namespace

void AssignCategory(PhonebookSession& app, int tag) {
  AssignToSelection(app, [tag](EntryRow& e) { e[EntryCategory] = std::to_string(tag); });
}

void AssignMelody(PhonebookSession& app, int tag) {
  AssignToSelection(app, [tag](EntryRow& e) { e[EntryMelody] = std::to_string(tag); });
}

void AssignPicture(PhonebookSession& app, int tag) {
  const auto& files = app.phonebook.PhoneFileList;
  const std::string picture =
      tag >= 1 && tag <= kPhoneFileRows ? EncodeUcs2Hex(files[tag].FileName) : std::string();
  AssignToSelection(app, [&picture](EntryRow& e) { e[EntryPicture] = picture; });
}

void AssignType(PhonebookSession& app, int tag) {
  AssignToSelection(app, [tag](EntryRow& e) { e[EntryNumberType] = std::to_string(tag - 1); });
}

}  // namespace quorix
