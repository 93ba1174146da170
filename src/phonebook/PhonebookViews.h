#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorix {

// Sub-items of a row of the phonebook list LV; the caption (column "#") is the entry's index.
enum ListCell : int {
  NameCell = 0,
  NumberCell,
  TypeCell,
  MelodyCell,
  CategoryCell,
  PictureCell,
  PrimaryCell,
  DistrictCell,
  StreetCell,
  CityCell,
  RegionCell,
  PostalCodeCell,
  CountryCell,
  NicknameCell,
  BirthdayCell,
};
constexpr int kListCells = 15;

// A row of LV. TypeIcon is the icon of the type cell (type code + 1), -1 for none.
struct ListRow {
  std::string Caption;
  std::array<std::string, kListCells> Cells;
  int TypeIcon = -1;
  bool Selected = false;
};

// A row of the category list LVCat: caption = category number; name, melody, light alert.
struct CategoryListRow {
  std::string Caption;
  std::array<std::string, 3> Cells;
};

// A node of the category tree Tr. Icon 0 is the category icon, 1..8 the number types 0..7.
struct TreeNode {
  std::string Text;
  int Icon = 0;
  std::vector<TreeNode> Children;
};

struct MenuItem {
  std::string Caption;
  int Tag = 0;
  bool Enabled = true;
  bool Separator = false;
};

// The submenus of the list's popup menu. Melody and Picture start with fixed items that stay.
struct PopupMenus {
  std::vector<MenuItem> AssignCategory;  // "Назначить категорию": tag = category number
  std::vector<MenuItem> Melody;          // "Мелодия": tag = melody id
  std::vector<MenuItem> Picture;         // "Картинка": tag = PhoneFileList row, 0 = none
  std::vector<MenuItem> Type;            // "Тип": tag = type code + 1
};

// The texts of the entry editor's controls; the dialog keeps them between uses.
struct EntryEditorFields {
  std::string Edit1;                                                        // index
  std::string Edit2;                                                        // name
  std::string Edit3;                                                        // number without quotes
  std::string Edit4;                                                        // melody label
  std::string Edit5;                                                        // picture path
  std::string Edit6;                                                        // voice label, hidden
  std::string Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13, Edit14;  // advanced fields
  std::string ComboBox1;                                                    // type name
  std::string ComboBox2;                                                    // category name
  bool CheckBox1 = false;                                                   // primary number
  bool Edit1Enabled = true;
  bool AdvancedEnabled = false;  // Edit7..Edit14
};

struct EntryEditorChoices {
  std::vector<std::string> Edit1;      // free indexes
  std::vector<std::string> ComboBox1;  // type names 0..6
  std::vector<std::string> ComboBox2;  // category names
  std::vector<std::string> Edit4;      // melody labels
  std::vector<std::string> Edit5;      // picture paths
};

// The texts of the category editor's controls; kept between uses.
struct CategoryEditorFields {
  std::string Edit1;      // category number
  std::string CatEdit;    // name
  std::string ComboBox1;  // melody label
  std::string Edit2;      // light-alert label
};

struct CategoryEditorChoices {
  std::vector<std::string> Edit1;  // stays without choices
  std::vector<std::string> ComboBox1;
  std::vector<std::string> Edit2;
};

// What the phonebook widgets show: they render these and call the phonebook operations.
struct PhonebookViews {
  std::vector<ListRow> LV;
  std::vector<CategoryListRow> LVCat;
  std::vector<TreeNode> Tr;
  PopupMenus Popup = InitialPopupMenus();
  EntryEditorFields EntryEditor;
  EntryEditorChoices EntryEditorLists = InitialEntryEditorChoices();
  CategoryEditorFields CategoryEditor;
  CategoryEditorChoices CategoryEditorLists = InitialCategoryEditorChoices();

  static PopupMenus InitialPopupMenus();
  static EntryEditorChoices InitialEntryEditorChoices();
  static CategoryEditorChoices InitialCategoryEditorChoices();
};

// Number of fixed items at the head of the "Мелодия" and "Картинка" submenus.
constexpr size_t kFixedMelodyMenuItems = 13;
constexpr size_t kFixedPictureMenuItems = 2;

}  // namespace quorix
