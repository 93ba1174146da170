#pragma once

namespace quorix {

struct PhonebookSession;
class Shell;
struct PhonebookState;

// The category commands and the category editor TForm4. The dialog's controls are the fields
// state.phonebook.CategoryEditor, its choice lists state.phonebook.CategoryEditorLists.

// The selection event of LVCat.
void LVCatSelectItem(PhonebookState& state, int position);

// Add (Button4Click): proposes the first category number without a name. False, after a
// message, when all 30 are taken.
bool PrepareAddCategory(PhonebookSession& app, Shell& shell);

// Edit (Button5Click): fills the dialog from the selected LVCat row; false when none is selected.
bool PrepareEditCategory(PhonebookSession& app);

// Remove (Button6Click): marks the selected category removed and drops its LVCat row.
void RemoveSelectedCategory(PhonebookSession& app, Shell& shell);

// OK (Button1Click of TForm4): stores the dialog into the table and LVCat. False, after a
// message and with nothing changed, when Edit1 names no category that may be written.
bool AcceptCategoryEditor(PhonebookSession& app, Shell& shell);

// After a category changed: the category cells of LV, the tree, the entry editor's category
// choices and the "Назначить категорию" submenu follow the table (removed categories left out).
// The OK and the remove run it.
void RefreshCategoryViews(PhonebookState& pb);

}  // namespace quorix
