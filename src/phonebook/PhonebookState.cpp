#include "phonebook/PhonebookState.h"

#include "base/Shell.h"
#include "phonebook/PhonebookLabels.h"

namespace quorix {

PopupMenus PhonebookViews::InitialPopupMenus() {
  PopupMenus menus;
  menus.Melody.push_back({"No Melody", 255, false, false});
  menus.Melody.push_back({"", 0, true, true});
  for (int d = 0; d < 10; ++d) menus.Melody.push_back({BuiltInMelodyLabels()[d], d, true, false});
  menus.Melody.push_back({"", 0, true, true});
  menus.Picture.push_back({"No Image", 0, false, false});
  menus.Picture.push_back({"", 0, true, true});
  return menus;
}

EntryEditorChoices PhonebookViews::InitialEntryEditorChoices() {
  EntryEditorChoices choices;
  choices.Edit4 = BuiltInMelodyChoices(EntryDefaultMelodyLabel());
  return choices;
}

CategoryEditorChoices PhonebookViews::InitialCategoryEditorChoices() {
  CategoryEditorChoices choices;
  choices.ComboBox1 = BuiltInMelodyChoices(CategoryDefaultMelodyLabel());
  const auto lights = LightAlertNames();
  choices.Edit2.assign(lights.begin() + 1, lights.end());
  return choices;
}

void ClearPhonebookTables(PhonebookState& state, Shell& shell) {
  EmptyPhonebookTables(state);
  state.LV.clear();
  state.LVCat.clear();
  state.SelectedItemIndex = -1;
  state.SelectedCategoryIndex = -1;
  shell.LogLine("Reading all records again...");
}

void ApplyNumberTypeNames(PhonebookState& state) {
  state.Popup.Type.clear();
  state.EntryEditorLists.ComboBox1.clear();
  for (int code = 0; code <= 6; ++code) {
    state.Popup.Type.push_back({state.NumberTypeNames[code], code + 1, true, false});
    state.EntryEditorLists.ComboBox1.push_back(state.NumberTypeNames[code]);
  }
}

}  // namespace quorix
