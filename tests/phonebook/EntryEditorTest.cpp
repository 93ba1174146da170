#include "phonebook/EntryEditor.h"

#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryList.h"

namespace quorix {
namespace {

TEST(EntryEditorTest, AddProposesTheFirstRowWithoutANumber) {
  PhonebookFixture f;
  f.pb.EntryEditorLists.ComboBox2 = {"First", "Second"};
  f.pb.EntryEditor.ComboBox1 = "Fax";
  f.pb.EntryEditor.Edit2 = "old";
  f.pb.EntryEditor.Edit14 = "old";
  f.pb.EntryEditor.CheckBox1 = false;
  ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
  EXPECT_EQ(f.pb.EntryEditor.Edit1, "1");
  EXPECT_EQ(f.pb.EditIndex, 1);
  EXPECT_EQ(f.pb.EditorMode, EditorModeKind::Add);
  EXPECT_EQ(f.pb.EntryEditor.ComboBox2, "First");
  EXPECT_EQ(f.pb.EntryEditor.ComboBox1, "Fax");
  EXPECT_EQ(f.pb.EntryEditor.Edit2, "");
  EXPECT_EQ(f.pb.EntryEditor.Edit14, "");
  EXPECT_TRUE(f.pb.EntryEditor.CheckBox1);
  EXPECT_FALSE(f.pb.EntryEditor.AdvancedEnabled);

  for (int i = 1; i <= 4; ++i) f.Entry(i, std::to_string(i));
  f.pb.PhonebookEntries[2][EntryMark] = "Del";
  f.Entry(7, "7");
  f.app->settings.AdvancedPhoneBook = true;
  ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
  EXPECT_EQ(f.pb.EntryEditor.Edit1, "5");
  EXPECT_TRUE(f.pb.EntryEditor.AdvancedEnabled);
  // Free indexes 1..500, listed once however often the dialog is shown.
  ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
  const auto& free = f.pb.EntryEditorLists.Edit1;
  ASSERT_EQ(free.size(), 495u);
  EXPECT_EQ(free[0], "5");
  EXPECT_EQ(free[1], "6");
  EXPECT_EQ(free[2], "8");
  EXPECT_EQ(free.back(), "500");

  for (int i = 1; i <= kEntryRows; ++i) f.pb.PhonebookEntries[i][EntryNumber] = "\"1\"";
  EXPECT_FALSE(PrepareAddEntry(*f.app, f.shell));
  EXPECT_EQ(f.shell.messages.size(), 1u);
}

TEST(EntryEditorTest, OkStoresAnEntryAndListsIt) {
  PhonebookFixture f;
  f.Category(2, "Друзья");
  f.pb.MelodyFiles[3].FileName = "ring.mid";
  f.pb.ExpectedCount = 4;
  ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
  EntryEditorFields& e = f.pb.EntryEditor;
  e.Edit2 = std::string("Вера");
  e.Edit3 = "+7999";
  e.ComboBox1 = "Mobile";
  e.Edit4 = "ring.mid (12)";
  e.ComboBox2 = std::string("Друзья");
  e.Edit5 = "/a/mobile/picture/v.jpg";
  e.CheckBox1 = false;
  e.Edit13 = "Nick";
  e.Edit14 = "01-02-2000";
  ASSERT_TRUE(AcceptEntryEditor(*f.app, f.shell));
  const EntryRow& row = f.pb.PhonebookEntries[1];
  EXPECT_EQ(row[EntryNumber], "\"+7999\"");
  EXPECT_EQ(row[EntryName], Hex("Вера"));
  // The tree index shows the tree was rebuilt.
  EXPECT_EQ(Fields(row, EntryNumberType, EntryMark),
            "3|0|12|0|0|2|255|255|0|" + Hex("/a/mobile/picture/v.jpg") + "|0|0|||||||" +
                Hex("Nick") + "|01-02-2000|1|1");
  EXPECT_EQ(f.pb.ExpectedCount, 5);
  EXPECT_TRUE(f.app->DataModified);
  ASSERT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.LV[0].Caption, "1");
  EXPECT_EQ(f.pb.LV[0].Cells[MelodyCell], "ring.mid (12)");

  // Melody texts: built-in label, typed id, empty; a category matching nothing leaves it.
  struct Case {
    std::string edit4, stored, cell;
  };
  for (const Case& c :
       {Case{"Siren (9)", "9", "Siren (9)"}, Case{"12", "12", "12"},
        Case{"", "255", std::string("По умолчанию")}, Case{"unknown (40)", "0", "unknown (40)"}}) {
    ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
    e.Edit3 = "1";
    e.Edit4 = c.edit4;
    e.ComboBox2 = "nothing";
    ASSERT_TRUE(AcceptEntryEditor(*f.app, f.shell));
    const int index = f.pb.EditIndex;
    EXPECT_EQ(f.pb.PhonebookEntries[index][EntryMelody], c.stored) << c.edit4;
    EXPECT_EQ(f.pb.LV.back().Cells[MelodyCell], c.cell);
    EXPECT_EQ(f.pb.PhonebookEntries[index][EntryCategory], "");
  }
  // A type name matching nothing keeps the type a row holds.
  f.pb.PhonebookEntries[1][EntryNumberType] = "8";
  f.pb.SelectedItemIndex = 0;
  ASSERT_TRUE(PrepareEditEntry(*f.app, f.shell));
  e.ComboBox1 = "SIM";
  ASSERT_TRUE(AcceptEntryEditor(*f.app, f.shell));
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryNumberType], "8");
  // An empty category choice does not pick an unnamed category row.
  ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
  e.Edit3 = "2";
  e.ComboBox1 = "Home";
  e.ComboBox2 = "";
  ASSERT_TRUE(AcceptEntryEditor(*f.app, f.shell));
  EXPECT_EQ(f.pb.PhonebookEntries[f.pb.EditIndex][EntryCategory], "");
}

TEST(EntryEditorTest, ANewEntryNeedsANumberATypeARealBirthdayAndGetsThePhonesNumberFormat) {
  PhonebookFixture f;
  EntryEditorFields& e = f.pb.EntryEditor;
  for (const auto& [number, type, birthday] :
       {std::tuple{"", "Mobile", ""}, std::tuple{"1", "", ""}, std::tuple{"1", "no such", ""},
        std::tuple{"1", "Mobile", "13-01-2000"}, std::tuple{"1", "Mobile", "02-29-2001"},
        std::tuple{"1", "Mobile", "1-2-2000"}}) {
    ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
    e.Edit3 = number;
    e.ComboBox1 = type;
    e.Edit14 = birthday;
    f.shell.messages.clear();
    EXPECT_FALSE(AcceptEntryEditor(*f.app, f.shell)) << number << " " << type << " " << birthday;
    ASSERT_EQ(f.shell.messages.size(), 1u);
    EXPECT_EQ(f.shell.messages[0].icon, MessageIcon::Warning);
  }
  EXPECT_FALSE(f.app->DataModified);
  EXPECT_TRUE(f.pb.LV.empty());

  for (const auto& [number, type, format] :
       {std::tuple{"+79161234567", "Mobile", "145"}, std::tuple{"84951234567", "Home", "129"},
        std::tuple{"anna@example.ru", "Email", "128"}}) {
    ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
    e.Edit3 = number;
    e.ComboBox1 = type;
    e.Edit14 = "02-29-2000";
    ASSERT_TRUE(AcceptEntryEditor(*f.app, f.shell)) << number;
    EXPECT_EQ(f.pb.PhonebookEntries[f.pb.EditIndex][EntryNumberFormat], format) << number;
  }
}

TEST(EntryEditorTest, RemoveTakesEveryHighlightedRow) {
  PhonebookFixture f;
  for (int i = 1; i <= 3; ++i) f.Entry(i, std::to_string(i));
  RebuildEntryList(f.pb, kEntryRows);
  LVSelectItem(f.pb, 0, true);
  LVSelectItem(f.pb, 2, true);
  RemoveSelectedEntry(*f.app, f.shell);
  EXPECT_TRUE(f.shell.messages.empty());
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryMark], "Del");
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryMark], "");
  EXPECT_EQ(f.pb.PhonebookEntries[3][EntryMark], "Del");
  ASSERT_EQ(f.pb.LV.size(), 3u);
  EXPECT_TRUE(ListRowIsRemoved(f.pb, f.pb.LV[0]));
  EXPECT_FALSE(ListRowIsRemoved(f.pb, f.pb.LV[1]));
  EXPECT_FALSE(f.pb.LV[0].Selected || f.pb.LV[2].Selected);
  EXPECT_TRUE(f.app->DataModified);

  // A popup assignment over a removed row does not bring it back.
  f.pb.LV[0].Selected = f.pb.LV[1].Selected = true;
  AssignType(*f.app, 2);
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryMark], "Del");
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryMark], "1");
  ASSERT_EQ(f.pb.LV.size(), 3u);

  // Undoing: the current row when none is highlighted; a row not removed is left alone.
  f.pb.CurrentEntry = 3;
  EXPECT_TRUE(RestoreRemovedEntries(*f.app));
  EXPECT_EQ(f.pb.PhonebookEntries[3][EntryMark], "1");
  EXPECT_FALSE(RestoreRemovedEntries(*f.app));
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryMark], "Del");

  // The upload's deletion takes the row out of the list.
  f.pb.PhonebookEntries[1][EntryNumber].clear();
  f.pb.PhonebookEntries[1][EntryMark].clear();
  DropDeletedListRows(f.pb);
  ASSERT_EQ(f.pb.LV.size(), 2u);
  EXPECT_EQ(f.pb.LV[0].Caption, "2");
}

TEST(EntryEditorTest, OkRefusesAnIndexThatNamesNoWritableRow) {
  PhonebookFixture f;
  f.Entry(3, "333", "Old");
  RebuildEntryList(f.pb, kEntryRows);
  ASSERT_TRUE(PrepareAddEntry(*f.app, f.shell));
  f.pb.EntryEditor.Edit3 = "999";
  f.pb.EntryEditor.ComboBox1 = "Mobile";
  for (const std::string bad : {"abc", "", "0", "1251", "-1", "3"}) {
    f.pb.EntryEditor.Edit1 = bad;
    f.shell.messages.clear();
    EXPECT_FALSE(AcceptEntryEditor(*f.app, f.shell)) << bad;
    ASSERT_EQ(f.shell.messages.size(), 1u) << bad;
    EXPECT_EQ(f.shell.messages[0].icon, MessageIcon::Warning);
  }
  EXPECT_EQ(std::string(f.shell.messages[0].text), "Ячейка 3 уже занята!");
  EXPECT_EQ(f.pb.PhonebookEntries[3][EntryNumber], "\"333\"");
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryNumber], "");
  EXPECT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.ExpectedCount, 0);
  EXPECT_FALSE(f.app->DataModified);
  // A SIM that holds 15 letters a name, as an L6's: a longer name is refused there only.
  f.pb.SimMemory = {1001, 1250, 15};
  f.pb.EntryEditor.Edit2 = std::string("Ёжик в тумане №16");
  f.pb.EntryEditor.Edit1 = "1250";
  f.shell.messages.clear();
  EXPECT_FALSE(AcceptEntryEditor(*f.app, f.shell));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_NE(f.shell.messages[0].text.find("15"), std::string::npos);
  f.pb.EntryEditor.Edit1 = "10";
  EXPECT_TRUE(AcceptEntryEditor(*f.app, f.shell));
  f.pb.EntryEditor.Edit2 = std::string("Ёжик в тумане");
  f.pb.EntryEditor.Edit1 = "1250";
  EXPECT_TRUE(AcceptEntryEditor(*f.app, f.shell));
  EXPECT_EQ(f.pb.PhonebookEntries[1250][EntryNumber], "\"999\"");
}

TEST(EntryEditorTest, EditFillsTheDialogFromTheSelectedRow) {
  PhonebookFixture f;
  EXPECT_FALSE(PrepareEditEntry(*f.app, f.shell));
  EXPECT_EQ(f.shell.messages.back().caption, "Warning!");
  EXPECT_EQ(std::string(f.shell.messages.back().text), "Сначала необходимо прочитать справочник!");

  f.Category(1, "Дом");
  f.Entry(4, "44", "Four", "1", "1", "5");
  f.Entry(8, "88", "Eight", "2", "1");
  RebuildEntryList(f.pb, kEntryRows);
  EXPECT_FALSE(PrepareEditEntry(*f.app, f.shell));
  EXPECT_EQ(std::string(f.shell.messages.back().text), "Выделите какую-нибудь строчку!");

  LVSelectItem(f.pb, 1, true);
  ASSERT_TRUE(PrepareEditEntry(*f.app, f.shell));
  const EntryEditorFields& e = f.pb.EntryEditor;
  EXPECT_EQ(f.pb.EditorMode, EditorModeKind::Edit);
  EXPECT_FALSE(e.Edit1Enabled);
  EXPECT_EQ(e.Edit1, "8");
  EXPECT_EQ(e.Edit2, "Eight");
  EXPECT_EQ(e.Edit3, "88");
  EXPECT_EQ(e.ComboBox1, "Main");
  EXPECT_EQ(std::string(e.Edit4), "По умолчанию");
  EXPECT_EQ(std::string(e.ComboBox2), "Дом");
  EXPECT_TRUE(e.CheckBox1);

  f.pb.EntryEditor.Edit2 = "Changed";
  f.pb.EntryEditor.ComboBox1 = "Home";
  ASSERT_TRUE(AcceptEntryEditor(*f.app, f.shell));
  EXPECT_EQ(f.pb.PhonebookEntries[8][EntryName], Hex("Changed"));
  EXPECT_EQ(f.pb.PhonebookEntries[8][EntryNumberType], "1");
  EXPECT_EQ(f.pb.PhonebookEntries[8][EntryMelody], "255");
  EXPECT_EQ(f.pb.PhonebookEntries[8][EntryMark], "1");
  ASSERT_EQ(f.pb.LV.size(), 2u);
  EXPECT_EQ(f.pb.LV[1].Cells[NameCell], "Changed");
  EXPECT_EQ(f.pb.LV[1].TypeIcon, 2);
  EXPECT_EQ(f.pb.ExpectedCount, 0);
  EntryEditorFormClose(*f.app);
  EXPECT_TRUE(f.pb.EntryEditor.Edit1Enabled);
}

TEST(EntryEditorTest, RemoveMarksTheSelectedEntry) {
  PhonebookFixture f;
  RemoveSelectedEntry(*f.app, f.shell);  // empty list: nothing
  EXPECT_TRUE(f.shell.messages.empty());
  f.Category(1, "A");
  f.Entry(2, "2");
  f.Entry(6, "6");
  RebuildEntryList(f.pb, kEntryRows);
  RebuildCategoryTree(f.pb);
  RemoveSelectedEntry(*f.app, f.shell);
  EXPECT_EQ(std::string(f.shell.messages.back().text), "Выделите какую-нибудь строчку!");

  TrChange(f.pb, 2);
  TrClick(f.pb);  // selection from the tree: remove does nothing
  EXPECT_EQ(f.pb.SelectedItemIndex, 1);
  RemoveSelectedEntry(*f.app, f.shell);
  EXPECT_EQ(f.pb.LV.size(), 2u);
  EXPECT_FALSE(f.app->DataModified);

  LVSelectItem(f.pb, 0, true);
  RemoveSelectedEntry(*f.app, f.shell);
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryMark], "Del");
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "\"2\"");
  EXPECT_EQ(f.pb.LV.size(), 2u);
  EXPECT_EQ(f.pb.SelectedItemIndex, -1);
  EXPECT_EQ(f.pb.Tr[0].Children.size(), 1u);
  EXPECT_TRUE(f.app->DataModified);
  const size_t told = f.shell.messages.size();
  RemoveSelectedEntry(*f.app, f.shell);  // the selection went with the mark
  EXPECT_EQ(f.shell.messages.size(), told + 1);
  EXPECT_EQ(f.pb.PhonebookEntries[6][EntryMark], "");
}

TEST(EntryEditorTest, PopupAssignmentsChangeEverySelectedRow) {
  PhonebookFixture f;
  f.Category(1, "A");
  f.Category(2, "B");
  f.Entry(1, "1");
  f.Entry(5, "5");
  f.Entry(900, "900");
  f.pb.ExpectedCount = 3;  // the list is rebuilt over all rows, not up to this count
  f.pb.PhoneFileList[7].FileName = "/a/mobile/picture/p.gif";
  RebuildEntryList(f.pb, kEntryRows);
  LVSelectItem(f.pb, 1, true);
  LVSelectItem(f.pb, 2, true);

  const auto reselect = [&] {
    LVSelectItem(f.pb, 1, true);
    LVSelectItem(f.pb, 2, true);
  };
  AssignType(*f.app, 4);
  for (int i : {5, 900}) {
    EXPECT_EQ(f.pb.PhonebookEntries[i][EntryNumberType], "3");
    EXPECT_EQ(f.pb.PhonebookEntries[i][EntryMark], "1");
  }
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryMark], "");
  ASSERT_EQ(f.pb.LV.size(), 3u);
  EXPECT_EQ(f.pb.LV[2].Cells[TypeCell], "Mobile");
  EXPECT_EQ(f.pb.SelectedItemIndex, -1);
  EXPECT_TRUE(f.app->DataModified);

  reselect();
  AssignCategory(*f.app, 2);
  EXPECT_EQ(f.pb.PhonebookEntries[900][EntryCategory], "2");
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryCategory], "1");
  EXPECT_EQ(f.pb.Tr[1].Children.size(), 2u);

  reselect();
  AssignMelody(*f.app, 3);
  EXPECT_EQ(f.pb.PhonebookEntries[5][EntryMelody], "3");
  EXPECT_EQ(f.pb.LV[1].Cells[MelodyCell], "Vibe-Dot-Dot (3)");

  reselect();
  AssignPicture(*f.app, 7);
  EXPECT_EQ(f.pb.PhonebookEntries[5][EntryPicture], Hex("/a/mobile/picture/p.gif"));
  EXPECT_EQ(f.pb.LV[2].Cells[PictureCell], "/a/mobile/picture/p.gif");
  reselect();
  AssignPicture(*f.app, 0);
  EXPECT_EQ(f.pb.PhonebookEntries[900][EntryPicture], "");
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryPicture], "");
}

}  // namespace
}  // namespace quorix
