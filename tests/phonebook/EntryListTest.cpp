#include "phonebook/EntryList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "PhonebookFixture.h"
#include "base/Conversion.h"

namespace quorix {
namespace {

TEST(EntryListTest, ReadingAndRebuildShowTypesAlikeAndFileMelodiesDifferently) {
  PhonebookFixture f;
  f.Category(2, "Друзья");
  f.pb.MelodyFiles[3].FileName = "ring.mid";
  f.Entry(5, "+7123", "Анна", "0", "2", "12")[EntryPicture] = Hex("/a/p.jpg");
  f.Entry(6, "77", "", "3", "31", "1")[EntryPrimary] = "0";

  const ListRow read5 = ReadEntryRow(f.pb, 5, false);
  EXPECT_EQ(read5.Caption, "5");
  EXPECT_EQ(std::string(read5.Cells[NameCell]), "Анна");
  EXPECT_EQ(read5.Cells[NumberCell], "+7123");
  EXPECT_EQ(read5.Cells[TypeCell], "Work") << "code 0 is a Work number, not a SIM record";
  EXPECT_EQ(read5.TypeIcon, 1);
  EXPECT_EQ(read5.Cells[MelodyCell], "ring.mid (3)");
  EXPECT_EQ(std::string(read5.Cells[CategoryCell]), "Друзья");
  EXPECT_EQ(read5.Cells[PictureCell], "/a/p.jpg");
  EXPECT_EQ(read5.Cells[PrimaryCell], "Yes");

  const ListRow rebuilt5 = RebuiltEntryRow(f.pb, 5);
  EXPECT_EQ(rebuilt5.Cells[TypeCell], "Work");
  EXPECT_EQ(rebuilt5.TypeIcon, 1);
  EXPECT_EQ(rebuilt5.Cells[MelodyCell], "ring.mid (12)");
  EXPECT_EQ(rebuilt5.Cells[NameCell], read5.Cells[NameCell]);

  for (const ListRow& row : {ReadEntryRow(f.pb, 6, false), RebuiltEntryRow(f.pb, 6)}) {
    EXPECT_EQ(row.Cells[TypeCell], "Mobile");
    EXPECT_EQ(row.TypeIcon, 4);
    EXPECT_EQ(row.Cells[MelodyCell], "Vibe-Dot (1)");
    EXPECT_EQ(row.Cells[CategoryCell], "");
    EXPECT_EQ(row.Cells[PrimaryCell], "No");
    EXPECT_EQ(row.Cells[NameCell], "");
  }

  // 8, what an L6 gives its SIM records, is "SIM" in the SIM's range and a second mobile
  // elsewhere; 9 a second e-mail; an unknown code "SIM" without an icon.
  f.pb.PhonebookEntries[6][EntryNumberType] = "8";
  EXPECT_EQ(ReadEntryRow(f.pb, 6, false).Cells[TypeCell], "Mobile 2");
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).TypeIcon, 4);
  f.pb.SimMemory = {1, 6, 15};
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).Cells[TypeCell], "SIM");
  f.pb.PhonebookEntries[6][EntryNumberType] = "9";
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).Cells[TypeCell], "Email 2");
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).TypeIcon, 7);
  f.pb.PhonebookEntries[6][EntryNumberType] = "12";
  EXPECT_EQ(ReadEntryRow(f.pb, 6, false).Cells[TypeCell], "SIM");
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).TypeIcon, -1);
  f.pb.PhonebookEntries[6][EntryNumberType] = "x";
  EXPECT_THROW(ReadEntryRow(f.pb, 6, false), ConversionError);
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).Cells[TypeCell], "");
  f.pb.PhonebookEntries[6][EntryNumberType] = "3";
  f.pb.PhonebookEntries[6][EntryCategory] = "2x";
  EXPECT_THROW(ReadEntryRow(f.pb, 6, false), ConversionError);
  f.pb.PhonebookEntries[6][EntryCategory] = "";  // a short record line
  EXPECT_EQ(ReadEntryRow(f.pb, 6, false).Cells[CategoryCell], "");
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).Cells[CategoryCell], "");
  f.pb.PhonebookEntries[6][EntryCategory] = "1";
  f.pb.PhonebookEntries[6][EntryMelody] = "abc";
  EXPECT_THROW(ReadEntryRow(f.pb, 6, false), ConversionError);
  EXPECT_EQ(RebuiltEntryRow(f.pb, 6).Cells[MelodyCell], "abc");
}

TEST(EntryListTest, AdvancedCellsAndBirthdays) {
  PhonebookFixture f;
  EntryRow& row = f.Entry(1, "1", "A");
  row[EntryDistrict] = Hex("Центр");
  row[EntryNickname] = Hex("Ник");
  row[EntryCity] = "00";
  row[EntryBirthday] = "\"12-31-2000\"";
  const ListRow advanced = ReadEntryRow(f.pb, 1, true);
  EXPECT_EQ(std::string(advanced.Cells[DistrictCell]), "Центр");
  EXPECT_EQ(std::string(advanced.Cells[NicknameCell]), "Ник");
  EXPECT_EQ(advanced.Cells[CityCell], "");
  EXPECT_EQ(advanced.Cells[BirthdayCell], "12-31-2000");
  const ListRow basic = ReadEntryRow(f.pb, 1, false);
  for (int c = DistrictCell; c <= BirthdayCell; ++c) EXPECT_EQ(basic.Cells[c], "");
  EXPECT_EQ(RebuiltEntryRow(f.pb, 1).Cells[BirthdayCell], "12-31-2000");
  // The editor holds a birthday without quotes; it is shown whole.
  row[EntryBirthday] = "12-31-2000";
  EXPECT_EQ(RebuiltEntryRow(f.pb, 1).Cells[BirthdayCell], "12-31-2000");
  row[EntryBirthday] = "\"\"";
  EXPECT_EQ(RebuiltEntryRow(f.pb, 1).Cells[BirthdayCell], "");
}

TEST(EntryListTest, RebuildListsUsedEntriesUpToNAndSelectionFollowsTheLastEvent) {
  PhonebookFixture f;
  f.Entry(3, "3");
  f.Entry(1, "1");
  f.Entry(2, "2")[EntryMark] = "Del";
  f.Entry(700, "700");
  RebuildEntryList(f.pb, 600);
  ASSERT_EQ(f.pb.LV.size(), 3u);
  EXPECT_EQ(f.pb.LV[0].Caption, "1");
  EXPECT_TRUE(ListRowIsRemoved(f.pb, f.pb.LV[1])) << "listed, marked, until the upload";
  EXPECT_EQ(f.pb.LV[2].Caption, "3");
  LVSelectItem(f.pb, 2, true);
  EXPECT_EQ(f.pb.SelectedItemIndex, 2);
  RebuildEntryList(f.pb, kEntryRows);
  ASSERT_EQ(f.pb.LV.size(), 4u);
  EXPECT_EQ(f.pb.LV[3].Caption, "700");
  EXPECT_EQ(f.pb.SelectedItemIndex, -1);
  EXPECT_FALSE(f.pb.LV[2].Selected);

  LVSelectItem(f.pb, 3, true);
  EXPECT_EQ(f.pb.EditIndex, 700);
  EXPECT_EQ(f.pb.SelectionSource, SelectionSourceKind::Table);
  // Moving the selection: the old row loses it first, then the new row gains it.
  LVSelectItem(f.pb, 3, false);
  LVSelectItem(f.pb, 0, true);
  EXPECT_EQ(f.pb.EditIndex, 1);
  EXPECT_EQ(f.pb.SelectedItemIndex, 0);
  EXPECT_TRUE(f.pb.LV[0].Selected);
  EXPECT_FALSE(f.pb.LV[3].Selected);
}

std::vector<std::string> Captions(const PhonebookState& pb) {
  std::vector<std::string> captions;
  for (const ListRow& row : pb.LV) captions.push_back(row.Caption);
  return captions;
}

TEST(EntryListTest, SortsByKeyWithUnsignedByteOrder) {
  PhonebookFixture f;
  f.Category(1, "Я");
  f.Category(2, "а");
  f.Category(3, "Z");
  f.Entry(10, "300", "bob", "1", "1");
  f.Entry(2, "1000", "Bob", "2", "2");
  f.Entry(7, "2", "2 Ann", "3", "3");
  f.Entry(8, "20", "10 Ann", "0", "2");
  f.Entry(30, "21", "Яна", "4", "1");
  f.Entry(31, "22", "ана", "4", "3");
  f.Entry(32, "23", "bob", "5", "3");
  RebuildEntryList(f.pb, kEntryRows);
  const auto initial = Captions(f.pb);

  LVColumnClick(f.pb, 4);  // "Мелодия" before any key: all rows equal
  EXPECT_EQ(f.pb.SortKey, "");
  EXPECT_EQ(Captions(f.pb), initial);

  LVColumnClick(f.pb, 1);
  EXPECT_EQ(f.pb.SortKey, "byName");
  // Digits, Latin capitals, lower case, then Cyrillic capitals before lower case; equal names
  // keep their order.
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"8", "7", "2", "10", "32", "30", "31"}));
  LVColumnClick(f.pb, 0);
  EXPECT_EQ(f.pb.SortKey, "byID");
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"2", "7", "8", "10", "30", "31", "32"}));
  LVColumnClick(f.pb, 4);  // unchanged key sorts by ID again
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"2", "7", "8", "10", "30", "31", "32"}));
  LVColumnClick(f.pb, 2);
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"2", "7", "8", "30", "31", "32", "10"}));
  LVColumnClick(f.pb, 3);
  EXPECT_EQ(f.pb.SortKey, "byType");
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"30", "31", "10", "2", "7", "32", "8"}));
  LVColumnClick(f.pb, 5);
  EXPECT_EQ(f.pb.SortKey, "byCat");
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"31", "7", "32", "30", "10", "2", "8"}));

  EXPECT_EQ(LVCompare(f.pb, f.pb.LV[0], f.pb.LV[2]), 0);  // both "Z"
  EXPECT_EQ(LVCompare(f.pb, f.pb.LV[0], f.pb.LV[3]), -1);
  EXPECT_EQ(LVCompare(f.pb, f.pb.LV[3], f.pb.LV[0]), 1);
}

TEST(EntryListTest, ASecondClickReversesAndTheFilterHidesRowsAndTheirSelection) {
  PhonebookFixture f;
  f.Entry(1, "+7916", "Анна");
  f.Entry(2, "8495", "boris");
  f.Entry(3, "1234", "АННУШКА");
  RebuildEntryList(f.pb, kEntryRows);
  LVColumnClick(f.pb, 0);
  LVColumnClick(f.pb, 0);
  EXPECT_TRUE(f.pb.SortDescending);
  EXPECT_EQ(Captions(f.pb), (std::vector<std::string>{"3", "2", "1"}));
  LVColumnClick(f.pb, 1);
  EXPECT_FALSE(f.pb.SortDescending) << "another header sorts upwards first";
  EXPECT_EQ(f.pb.SortColumn, 1);

  const auto shown = [&](const std::string& filter) {
    std::vector<std::string> captions;
    for (const ListRow& row : f.pb.LV) {
      if (ListRowMatchesFilter(row, std::string(filter))) captions.push_back(row.Caption);
    }
    std::sort(captions.begin(), captions.end());
    return captions;
  };
  EXPECT_EQ(shown("анн"), (std::vector<std::string>{"1", "3"})) << "letters in any case";
  EXPECT_EQ(shown("BOR"), std::vector<std::string>{"2"});
  EXPECT_EQ(shown("+79"), std::vector<std::string>{"1"});
  EXPECT_EQ(shown("").size(), 3u);
  for (ListRow& row : f.pb.LV) row.Selected = true;
  LVSelectItem(f.pb, 0, true);
  SetListFilter(f.pb, "8495");
  for (const ListRow& row : f.pb.LV) EXPECT_EQ(row.Selected, row.Caption == "2") << row.Caption;
  EXPECT_EQ(f.pb.LV.size(), 3u) << "the rows stay, hidden";
}

TEST(EntryListTest, SelectedPositionFollowsItsRowThroughASort) {
  PhonebookFixture f;
  f.Entry(1, "1", "b");
  f.Entry(2, "2", "a");
  RebuildEntryList(f.pb, kEntryRows);
  LVSelectItem(f.pb, 0, true);
  LVColumnClick(f.pb, 1);
  EXPECT_EQ(f.pb.SelectedItemIndex, 1);
  EXPECT_EQ(f.pb.LV[1].Caption, "1");
  EXPECT_TRUE(f.pb.LV[1].Selected);
}

TEST(EntryListTest, ANewRowTakesItsPlaceInTheListsOrder) {
  PhonebookFixture f;
  for (const auto& [index, name] : {std::pair{2, "Борис"}, {7, "Анна"}, {9, "Вера"}}) {
    f.Entry(index, "1", name);
    f.pb.LV.push_back(ReadEntryRow(f.pb, index, false));
  }
  f.pb.SelectedItemIndex = 1;  // row 7
  f.Entry(5, "1", "Глеб");
  InsertListRow(f.pb, ReadEntryRow(f.pb, 5, false));
  const auto captions = [&f] {
    std::string joined;
    for (const ListRow& row : f.pb.LV) joined += row.Caption + " ";
    return joined;
  };
  EXPECT_EQ(captions(), "2 5 7 9 ") << "by row number under no sort";
  EXPECT_EQ(f.pb.SelectedItemIndex, 2) << "the selection stays on row 7";

  LVColumnClick(f.pb, 1);  // by name
  f.Entry(3, "1", "Белла");
  InsertListRow(f.pb, ReadEntryRow(f.pb, 3, false));
  EXPECT_EQ(captions(), "7 3 2 9 5 ");
}

}  // namespace
}  // namespace quorix
