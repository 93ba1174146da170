#include "phonebook/CategoryEditor.h"

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "codec/Ucs2.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookLabels.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

void LVCatSelectItem(PhonebookState& state, int position) {
  if (position < 0 || position >= static_cast<int>(state.LVCat.size())) return;
  state.SelectedCategoryNumber = NumberIn(state.LVCat[position].Caption).value_or(0);
  state.SelectedCategoryIndex = position;
}

bool PrepareAddCategory(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  int free = 0;
  for (int c = 1; c <= pb.CategoryCount && free == 0; ++c) {
    if (pb.Categories[c][CategoryName].empty()) free = c;
  }
  if (free == 0) {
    shell.Message(WarningCaption(),
                  Tr("Все ") + std::to_string(pb.CategoryCount) + Tr(" категорий уже заняты!"),
                  MessageIcon::Warning);
    return false;
  }
  pb.CategoryEditorMode = EditorModeKind::Add;
  pb.CategoryEditor.Edit1 = std::to_string(free);
  pb.CategoryEditor.CatEdit.clear();
  return true;
}

bool PrepareEditCategory(PhonebookSession& app) {
  PhonebookState& pb = app.phonebook;
  if (pb.SelectedCategoryIndex < 0 ||
      pb.SelectedCategoryIndex >= static_cast<int>(pb.LVCat.size())) {
    return false;
  }
  pb.CategoryEditorMode = EditorModeKind::Edit;
  const CategoryListRow& row = pb.LVCat[pb.SelectedCategoryIndex];
  pb.CategoryEditor.Edit1 = std::to_string(pb.SelectedCategoryNumber);
  pb.CategoryEditor.CatEdit = row.Cells[0];
  pb.CategoryEditor.ComboBox1 = row.Cells[1];
  pb.CategoryEditor.Edit2 = row.Cells[2];
  return true;
}

void RemoveSelectedCategory(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  if (pb.SelectedCategoryIndex < 0 ||
      pb.SelectedCategoryIndex >= static_cast<int>(pb.LVCat.size())) {
    shell.Message(ProgramCaption(), "Please select some item!", MessageIcon::None);
    return;
  }
  const auto number = NumberIn(pb.LVCat[pb.SelectedCategoryIndex].Caption);
  if (number && *number >= 1 && *number <= kCategoryRows) {
    pb.Categories[*number][CategoryMark] = kMarkRemoved;
  }
  pb.LVCat.erase(pb.LVCat.begin() + pb.SelectedCategoryIndex);
  pb.SelectedCategoryIndex = -1;
  app.DataModified = true;
  RefreshCategoryViews(pb);
}

void RefreshCategoryViews(PhonebookState& pb) {
  pb.Popup.AssignCategory.clear();
  pb.EntryEditorLists.ComboBox2.clear();
  for (int c = 1; c <= kCategoryRows; ++c) {
    const CategoryRow& category = pb.Categories[c];
    if (category[CategoryName].empty() || category[CategoryMark] == kMarkRemoved) continue;
    const std::string name = DecodeUcs2Hex(category[CategoryName]);
    pb.Popup.AssignCategory.push_back({name, c, true, false});
    pb.EntryEditorLists.ComboBox2.push_back(name);
  }
  for (ListRow& row : pb.LV) {
    const auto index = NumberIn(row.Caption);
    if (!index || *index < 1 || *index > kEntryRows) continue;
    const auto c = NumberIn(pb.PhonebookEntries[*index][EntryCategory]);
    const bool named =
        c && *c >= 1 && *c <= kCategoryRows && pb.Categories[*c][CategoryMark] != kMarkRemoved;
    row.Cells[CategoryCell] = named ? DecodeUcs2Hex(pb.Categories[*c][CategoryName]) : "";
  }
  RebuildCategoryTree(pb);
}

namespace {

// The number Edit1 names, or 0 after telling the user why it cannot be written.
int CategoryEditorTarget(const PhonebookState& pb, Shell& shell) {
  const auto number = NumberIn(pb.CategoryEditor.Edit1);
  // Only the numbers the phone has: it answers a write to any other with ERROR.
  if (!number || *number < 1 || *number > pb.CategoryCount) {
    shell.Message(
        WarningCaption(),
        Tr("Номер категории должен быть числом от 1 до ") + std::to_string(pb.CategoryCount) + "!",
        MessageIcon::Warning);
    return 0;
  }
  const CategoryRow& category = pb.Categories[*number];
  if (pb.CategoryEditorMode == EditorModeKind::Add && !category[CategoryName].empty() &&
      category[CategoryMark] != kMarkRemoved) {
    shell.Message(WarningCaption(),
                  Tr("Категория ") + std::to_string(*number) + Tr(" уже существует!"),
                  MessageIcon::Warning);
    return 0;
  }
  return *number;
}

// The code in "Label (n)"; "0" for no label and for a text without "(".
std::string LightCode(const std::string& label) {
  const auto open = label.rfind('(');
  if (label.empty() || open == std::string::npos) return "0";
  const size_t end = label.size() - 1;
  return end > open ? label.substr(open + 1, end - open - 1) : std::string();
}

// The entry editor's default label is among the choices after a file list was read; it means the
// default here too.
std::string CategoryMelodyValue(const PhonebookTables& tables, const std::string& label) {
  if (label.empty() || label == CategoryDefaultMelodyLabel() ||
      label == EntryDefaultMelodyLabel()) {
    return "255";
  }
  if (const int digit = BuiltInMelodyDigit(label); digit >= 0) return std::to_string(digit);
  const int id = label.size() > 3 ? MelodyIdFromLabel(tables, label) : 0;
  return id == 0 ? label : std::to_string(id);
}

}  // namespace

bool AcceptCategoryEditor(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  const CategoryEditorFields& e = pb.CategoryEditor;
  if (!TextsFitThePhone(shell, {&e.CatEdit})) return false;
  const int number = CategoryEditorTarget(pb, shell);
  if (number == 0) return false;

  const CategoryListRow row{e.Edit1, {e.CatEdit, e.ComboBox1, e.Edit2}};
  if (pb.CategoryEditorMode == EditorModeKind::Add) {
    pb.LVCat.push_back(row);
  } else if (pb.SelectedCategoryIndex >= 0 &&
             pb.SelectedCategoryIndex < static_cast<int>(pb.LVCat.size())) {
    pb.LVCat[pb.SelectedCategoryIndex] = row;
  }
  app.DataModified = true;

  CategoryRow& category = pb.Categories[number];
  category[CategoryName] = EncodeUcs2Hex(e.CatEdit);
  category[CategoryMelody] = CategoryMelodyValue(pb, e.ComboBox1);
  category[CategoryField3] = "0";
  category[CategoryLight] = LightCode(e.Edit2);
  category[CategoryMark] = kMarkChanged;
  RefreshCategoryViews(pb);
  return true;
}

}  // namespace quorix
