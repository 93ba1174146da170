#pragma once

#include <string>
#include <vector>

#include "base/ListColumn.h"
#include "phonebook/PhonebookState.h"

namespace quorix {

// The 16 columns of LV: "#" and the 15 cells.
std::vector<ListColumn> EntryListColumns();
// The 4 columns of LVCat: "#", name, melody, light alert.
std::vector<ListColumn> CategoryListColumns();

// What the list and the editor call the number type of entry row index: the type names for codes
// 0..7; "SIM" for 8 (an L6 gives its SIM records that code) in the SIM's range, else the mobile
// type's name with " 2"; 9, the second e-mail, the e-mail type's name with " 2"; "SIM" for any
// other code.
std::string NumberTypeLabel(const PhonebookTables& tables, int type, int index);

// The list row a reading builds for entry row index: the type's label, a file melody its slot
// number. ConversionError when the type, category or a file melody is present and
// not a number.
ListRow ReadEntryRow(const PhonebookState& state, int index, bool advanced);

// The list row a rebuild builds: the type's label, a file melody with its id, empty cells for
// values that name nothing.
ListRow RebuiltEntryRow(const PhonebookState& state, int index);

// Shared cell texts.
std::string PrimaryCellText(const std::string& primary);
std::string BirthdayCellText(const std::string& birthday);
std::string AdvancedCellText(const std::string& ucs2);
int TypeIconFor(const std::string& type);

// Position of the first LV row whose caption is index, -1 when there is none.
int FindListRow(const PhonebookState& state, int index);

// Adds a row built by a reading or a restore, or replaces the row of the same entry when the
// phone or the file repeats its number (the last one wins). True when the row is new.
bool ShowEntryRow(PhonebookState& state, ListRow row);

// The same for a category: its LVCat row, its "Назначить категорию" item and its entry editor
// choice, added once and replaced when the number comes again.
void ShowCategoryRow(PhonebookState& state, int number, const std::string& name,
                     std::array<std::string, 3> cells);

// Empties LV and lists every used entry of rows 1..n in index order, and the entries marked
// removed that the phone still holds.
void RebuildEntryList(PhonebookState& state, int n);

// A row whose entry is marked for deletion by the next upload.
bool ListRowIsRemoved(const PhonebookState& state, const ListRow& row);

// After an upload: drops the rows of entries the phone no longer holds.
void DropDeletedListRows(PhonebookState& state);

// The selection event of LV, for the row gaining and for the row losing the selection.
void LVSelectItem(PhonebookState& state, int position, bool selected);

// A click on the header of column (0 = "#") sets SortKey by the column and sorts LV; a second
// click on the same header sorts the other way round.
void LVColumnClick(PhonebookState& state, int column);

// Puts a new row where the list's order has it (SortKey, else the row numbers), keeping the
// selected position on its row.
void InsertListRow(PhonebookState& state, ListRow row);

// Negative, zero or positive as row a sorts before, with or after row b under SortKey.
int LVCompare(const PhonebookState& state, const ListRow& a, const ListRow& b);

// The list's filter: a row shows when its name or number holds the text (letters compared
// without regard to case); an empty filter shows every row. Texts are code page 1251.
bool ListRowMatchesFilter(const ListRow& row, const std::string& filter);

// Sets the filter; rows it hides lose their selection, so no command acts on a row out of sight.
void SetListFilter(PhonebookState& state, const std::string& filter);

// Rows whose entry or category is marked for the next upload.
bool ListRowHasPendingChange(const PhonebookState& state, const ListRow& row);
bool CategoryRowHasPendingChange(const PhonebookState& state, const CategoryListRow& row);

}  // namespace quorix
