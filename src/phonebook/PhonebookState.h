#pragma once

#include <string>

#include "phonebook/PhonebookTables.h"
#include "phonebook/PhonebookViews.h"

namespace quorix {

class Shell;

enum class EditorModeKind { Add, Edit };
enum class SelectionSourceKind { None, Table, Tree };

// Which row the editors act on, as the list, the category list and the tree last selected.
struct PhonebookSelection {
  EditorModeKind EditorMode = EditorModeKind::Add;
  int EditIndex = 0;           // entry row the entry editor's OK writes
  int SelectedItemIndex = -1;  // position in LV, -1 for none
  int CurrentEntry = 0;        // entry index of LV's current (keyboard focus) row, 0 for none
  SelectionSourceKind SelectionSource = SelectionSourceKind::None;
  EditorModeKind CategoryEditorMode = EditorModeKind::Add;
  int SelectedCategoryNumber = 0;
  int SelectedCategoryIndex = -1;  // position in LVCat, -1 for none
  int SelectedTreeNode = -1;  // absolute index in Tr (counted over all nodes from 0), -1 for none
  std::string SortKey;        // "byID", "byName", "byPhone", "byType", "byCat" or empty
  int SortColumn = -1;        // the header that set SortKey
  bool SortDescending = false;
  std::string ListFilter;  // the text typed above LV; rows not matching it are hidden
};

// The phonebook tables, the reading state, the row models of the views and the selection state.
struct PhonebookState : PhonebookTables, PhonebookViews, PhonebookSelection {};

// Empties both tables and the lists LV and LVCat, and logs that all records are read again.
void ClearPhonebookTables(PhonebookState& state, Shell& shell);

// Fills the "Тип" submenu and the entry editor's type choices from NumberTypeNames 0..6; run
// after the type names are loaded.
void ApplyNumberTypeNames(PhonebookState& state);

}  // namespace quorix
