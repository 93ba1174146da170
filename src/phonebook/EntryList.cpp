#include "phonebook/EntryList.h"

#include <algorithm>
#include <cstring>

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/Ucs2.h"
#include "codec/Utf8.h"
#include "phonebook/Contact.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookLabels.h"

namespace quorix {

std::vector<ListColumn> EntryListColumns() {
  return {
      {"#", 30},           {Tr("Имя"), 100},      {Tr("Телефон"), 100},  {Tr("Тип"), 50},
      {Tr("Мелодия"), 60}, {Tr("Категория"), 60}, {Tr("Картинка"), 70},  {Tr("Основной номер"), 80},
      {Tr("Район"), 50},   {Tr("Улица"), 50},     {Tr("Город"), 50},     {Tr("Область"), 50},
      {Tr("Индекс"), 50},  {Tr("Страна"), 50},    {Tr("Псевдоним"), 50}, {Tr("День рождения"), 50}};
}

std::vector<ListColumn> CategoryListColumns() {
  return {{"#", 30}, {Tr("Категория"), 100}, {Tr("Мелодия"), 150}, {Tr("Световой вызов"), 90}};
}

std::string PrimaryCellText(const std::string& primary) {
  return primary == "1" ? "Yes" : "No";
}

// Only the phone's quotes are taken off: a birthday typed in the editor is held without them.
std::string BirthdayCellText(const std::string& birthday) {
  if (birthday.size() < 3 || birthday.front() != '"' || birthday.back() != '"') {
    return birthday.size() < 3 ? std::string() : birthday;
  }
  return WithoutEnds(birthday);
}

std::string AdvancedCellText(const std::string& ucs2) {
  return ucs2.size() < 3 ? std::string() : DecodeUcs2Hex(ucs2);
}

int TypeIconFor(const std::string& type) {
  const auto code = NumberIn(type);
  if (code == kSecondMobileType) return 3 + 1;
  if (code == kSecondEmailType) return kEmailType + 1;
  return code && *code >= 0 && *code < kNumberTypes ? *code + 1 : -1;
}

namespace {

void FillAdvancedCells(const EntryRow& entry, ListRow& row) {
  for (int k = 0; k < 7; ++k)
    row.Cells[DistrictCell + k] = AdvancedCellText(entry[EntryDistrict + k]);
  row.Cells[BirthdayCell] = BirthdayCellText(entry[EntryBirthday]);
}

std::string CategoryCellText(const PhonebookState& state, int category) {
  if (category < 1 || category > kCategoryRows) return "";
  return DecodeUcs2Hex(state.Categories[category][CategoryName]);
}

// A short record line leaves values absent (0); a value that is present must be a number.
int ValueOfPresent(const std::string& value) {
  return value.empty() ? 0 : StrToInt(value);
}

}  // namespace

std::string NumberTypeLabel(const PhonebookTables& tables, int type, int index) {
  if (type >= 0 && type < kNumberTypes) return tables.NumberTypeNames[type];
  const MemoryLimits& sim = tables.SimMemory;
  const bool onSim = sim.Known() && index >= sim.First && index <= sim.Last;
  // A label of their own, so that the editor keeps the code as read.
  if (type == kSecondMobileType && !onSim) return tables.NumberTypeNames[3] + " 2";
  if (type == kSecondEmailType) return tables.NumberTypeNames[kEmailType] + " 2";
  return "SIM";
}

ListRow ReadEntryRow(const PhonebookState& state, int index, bool advanced) {
  const EntryRow& entry = state.PhonebookEntries[index];
  ListRow row;
  row.Caption = std::to_string(index);
  row.Cells[NameCell] = DecodeUcs2Hex(entry[EntryName]);
  row.Cells[NumberCell] = WithoutEnds(entry[EntryNumber]);
  const int type = ValueOfPresent(entry[EntryNumberType]);
  row.Cells[TypeCell] = NumberTypeLabel(state, type, index);
  row.TypeIcon = TypeIconFor(entry[EntryNumberType]);
  row.Cells[MelodyCell] = ReadMelodyLabel(state, entry[EntryMelody], EntryDefaultMelodyLabel());
  row.Cells[CategoryCell] = CategoryCellText(state, ValueOfPresent(entry[EntryCategory]));
  row.Cells[PictureCell] = DecodeUcs2Hex(entry[EntryPicture]);
  row.Cells[PrimaryCell] = PrimaryCellText(entry[EntryPrimary]);
  if (advanced) FillAdvancedCells(entry, row);
  return row;
}

ListRow RebuiltEntryRow(const PhonebookState& state, int index) {
  const EntryRow& entry = state.PhonebookEntries[index];
  ListRow row;
  row.Caption = std::to_string(index);
  row.Cells[NameCell] = DecodeUcs2Hex(entry[EntryName]);
  row.Cells[NumberCell] = WithoutEnds(entry[EntryNumber]);
  row.TypeIcon = TypeIconFor(entry[EntryNumberType]);
  if (const auto type = NumberIn(entry[EntryNumberType])) {
    row.Cells[TypeCell] = NumberTypeLabel(state, *type, index);
  }
  row.Cells[MelodyCell] = EntryMelodyLabel(state, entry[EntryMelody]);
  row.Cells[CategoryCell] = CategoryCellText(state, NumberIn(entry[EntryCategory]).value_or(0));
  row.Cells[PictureCell] = DecodeUcs2Hex(entry[EntryPicture]);
  row.Cells[PrimaryCell] = PrimaryCellText(entry[EntryPrimary]);
  FillAdvancedCells(entry, row);
  return row;
}

int FindListRow(const PhonebookState& state, int index) {
  const std::string caption = std::to_string(index);
  for (size_t p = 0; p < state.LV.size(); ++p) {
    if (state.LV[p].Caption == caption) return static_cast<int>(p);
  }
  return -1;
}

void RebuildEntryList(PhonebookState& state, int n) {
  state.LV.clear();
  state.SelectedItemIndex = -1;
  for (int i = 1; i <= std::min(n, kEntryRows); ++i) {
    if (!state.PhonebookEntries[i][EntryNumber].empty()) {
      state.LV.push_back(RebuiltEntryRow(state, i));
    }
  }
}

bool ListRowIsRemoved(const PhonebookState& state, const ListRow& row) {
  const auto index = NumberIn(row.Caption);
  return index && *index >= 1 && *index <= kEntryRows &&
         state.PhonebookEntries[*index][EntryMark] == kMarkRemoved &&
         !state.PhonebookEntries[*index][EntryNumber].empty();
}

void DropDeletedListRows(PhonebookState& state) {
  const auto gone = [&state](const ListRow& row) {
    const auto index = NumberIn(row.Caption);
    return index && *index >= 1 && *index <= kEntryRows &&
           state.PhonebookEntries[*index][EntryNumber].empty();
  };
  if (std::none_of(state.LV.begin(), state.LV.end(), gone)) return;
  std::erase_if(state.LV, gone);
  state.SelectedItemIndex = -1;
}

void LVSelectItem(PhonebookState& state, int position, bool selected) {
  if (position < 0 || position >= static_cast<int>(state.LV.size())) return;
  state.LV[position].Selected = selected;
  const auto index = NumberIn(state.LV[position].Caption);
  if (!index) return;
  state.EditIndex = *index;
  state.SelectedItemIndex = FindListRow(state, *index);
  state.SelectionSource = SelectionSourceKind::Table;
}

void LVColumnClick(PhonebookState& state, int column) {
  static const std::vector<std::pair<int, std::string>> keys = {
      {0, "byID"}, {1, "byName"}, {2, "byPhone"}, {3, "byType"}, {5, "byCat"}};
  // A second click on the same header reverses the order.
  for (const auto& [c, key] : keys) {
    if (c != column) continue;
    state.SortDescending = state.SortColumn == column && !state.SortDescending;
    state.SortColumn = column;
    state.SortKey = key;
  }
  // The selected position follows its row through the sort.
  const std::vector<ListRow> rows = state.LV;
  std::vector<size_t> order(rows.size());
  for (size_t p = 0; p < order.size(); ++p) order[p] = p;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int c = LVCompare(state, rows[a], rows[b]);
    return state.SortDescending ? c > 0 : c < 0;
  });
  int newSelected = -1;
  for (size_t p = 0; p < order.size(); ++p) {
    state.LV[p] = rows[order[p]];
    if (static_cast<int>(order[p]) == state.SelectedItemIndex) newSelected = static_cast<int>(p);
  }
  state.SelectedItemIndex = newSelected;
}

void InsertListRow(PhonebookState& state, ListRow row) {
  // Under no sort the list runs in row order.
  const auto before = [&state](const ListRow& a, const ListRow& b) {
    const int c = state.SortKey.empty()
                      ? NumberIn(a.Caption).value_or(0) - NumberIn(b.Caption).value_or(0)
                      : LVCompare(state, a, b);
    return state.SortDescending && !state.SortKey.empty() ? c > 0 : c < 0;
  };
  size_t at = 0;
  while (at < state.LV.size() && !before(row, state.LV[at])) ++at;
  state.LV.insert(state.LV.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
  if (state.SelectedItemIndex >= static_cast<int>(at)) ++state.SelectedItemIndex;
}

namespace {

int CompareBytes(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  if (c != 0) return c < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int LVCompare(const PhonebookState& state, const ListRow& a, const ListRow& b) {
  const std::string& key = state.SortKey;
  if (key == "byName") return CompareBytes(a.Cells[NameCell], b.Cells[NameCell]);
  if (key == "byPhone") return CompareBytes(a.Cells[NumberCell], b.Cells[NumberCell]);
  if (key == "byType") return CompareBytes(a.Cells[TypeCell], b.Cells[TypeCell]);
  if (key == "byCat") return CompareBytes(a.Cells[CategoryCell], b.Cells[CategoryCell]);
  if (key == "byID") {
    const int x = NumberIn(a.Caption).value_or(0);
    const int y = NumberIn(b.Caption).value_or(0);
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  return 0;
}

bool ListRowMatchesFilter(const ListRow& row, const std::string& filter) {
  return filter.empty() || ContainsNoCase(row.Cells[NameCell], filter) ||
         ContainsNoCase(row.Cells[NumberCell], filter);
}

bool ShowEntryRow(PhonebookState& state, ListRow row) {
  const int index = NumberIn(row.Caption).value_or(0);
  const int position = FindListRow(state, index);
  if (position >= 0) {
    state.LV[position] = std::move(row);
    return false;
  }
  state.LV.push_back(std::move(row));
  return true;
}

void ShowCategoryRow(PhonebookState& state, int number, const std::string& name,
                     std::array<std::string, 3> cells) {
  const std::string caption = std::to_string(number);
  auto listed = std::find_if(state.LVCat.begin(), state.LVCat.end(),
                             [&](const CategoryListRow& row) { return row.Caption == caption; });
  auto item = std::find_if(state.Popup.AssignCategory.begin(), state.Popup.AssignCategory.end(),
                           [&](const MenuItem& m) { return m.Tag == number; });
  if (listed == state.LVCat.end() || item == state.Popup.AssignCategory.end()) {
    state.LVCat.push_back({caption, std::move(cells)});
    state.Popup.AssignCategory.push_back({name, number, true, false});
    state.EntryEditorLists.ComboBox2.push_back(name);
    return;
  }
  auto& choices = state.EntryEditorLists.ComboBox2;
  const auto choice = std::find(choices.begin(), choices.end(), item->Caption);
  if (choice != choices.end()) *choice = name;
  listed->Cells = std::move(cells);
  item->Caption = name;
}

void SetListFilter(PhonebookState& state, const std::string& filter) {
  state.ListFilter = filter;
  for (size_t p = 0; p < state.LV.size(); ++p) {
    if (ListRowMatchesFilter(state.LV[p], filter)) continue;
    state.LV[p].Selected = false;
    if (state.SelectedItemIndex == static_cast<int>(p)) state.SelectedItemIndex = -1;
  }
}

bool ListRowHasPendingChange(const PhonebookState& state, const ListRow& row) {
  const auto index = NumberIn(row.Caption);
  return index && *index >= 1 && *index <= kEntryRows &&
         state.PhonebookEntries[*index][EntryMark] == kMarkChanged;
}

bool CategoryRowHasPendingChange(const PhonebookState& state, const CategoryListRow& row) {
  const auto number = NumberIn(row.Caption);
  return number && *number >= 1 && *number <= kCategoryRows &&
         state.Categories[*number][CategoryMark] == kMarkChanged;
}

}  // namespace quorix
