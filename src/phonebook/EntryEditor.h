#pragma once

#include <string>

#include "phonebook/PhonebookState.h"

namespace quorix {

struct PhonebookSession;
class Shell;

// The entry commands and the entry editor TForm2. The dialog's controls are the fields
// state.phonebook.EntryEditor, its choice lists state.phonebook.EntryEditorLists; the widget shows
// them, writes the user's texts back and calls these.

// The add command (ToolButton7Click): proposes the first row without a number and prepares the
// dialog (FormShow included). False when there is nothing to show.
bool PrepareAddEntry(PhonebookSession& app, Shell& shell);

// The edit command (ToolButton8Click): fills the dialog from the selected list row (FormShow
// included). False, after a message, when the list is empty or nothing is selected.
bool PrepareEditEntry(PhonebookSession& app, Shell& shell);

// FormShow: the free indexes 1..500 become Edit1's choices; Edit7..Edit14 follow the advanced
// phonebook setting.
void EntryEditorFormShow(PhonebookSession& app);

// FormClose: Edit1 is enabled again.
void EntryEditorFormClose(PhonebookSession& app);

// OK (Button1Click): stores the dialog into the table and the list. False, after a message and
// with nothing changed, when Edit1 names no row that may be written, the number is empty or the
// birthday is not an MM-DD-YYYY date; the dialog then stays open. A new entry (or one without a
// number format) gets the format the phone would give it.
bool AcceptEntryEditor(PhonebookSession& app, Shell& shell);

// The two halves of the OK. The table side: the editor's texts into the entry row (melody and
// primary by their labels, the fixed values, the mark "1"); a new entry (adding) also gets its
// number format.
void StoreEditorFields(const PhonebookState& pb, const EntryEditorFields& e, bool adding,
                       EntryRow& entry);
// The list side: the row as the OK shows it, the texts as typed.
ListRow EditedListRow(const EntryEditorFields& e, const EntryRow& entry);

// The phone's number format: 128 for an e-mail entry (type 6), 145 for "+...", 129 otherwise.
std::string NumberFormatFor(const std::string& number, const std::string& type);

// An MM-DD-YYYY text naming a real date.
bool IsBirthday(const std::string& text);

// The remove command (ToolButton9Click): marks every selected entry removed; with none
// highlighted, the current row or else the row the last selection named. The rows stay listed,
// shown as removed, until the upload.
void RemoveSelectedEntry(PhonebookSession& app, Shell& shell);

// Undoes the removal of the selected rows (else the current row) that are marked removed; they
// are written again by the next upload. False when none of them was removed.
bool RestoreRemovedEntries(PhonebookSession& app);

// The popup submenus on every selected row of LV, by the clicked item's tag.
void AssignCategory(PhonebookSession& app, int tag);  // PopupMenuItemsClick
void AssignMelody(PhonebookSession& app, int tag);    // PopupMenuMelodyItemsClick
void AssignPicture(PhonebookSession& app, int tag);   // PopupMenuImageItemsClick
void AssignType(PhonebookSession& app, int tag);      // PopupMenuTypeItemsClick

}  // namespace quorix
