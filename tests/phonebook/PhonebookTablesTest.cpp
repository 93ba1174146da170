#include "phonebook/PhonebookTables.h"

#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookLabels.h"

namespace quorix {
namespace {

TEST(PhonebookTablesTest, ClearEmptiesBothTablesAndListsButKeepsFileLists) {
  PhonebookFixture f;
  f.Entry(1, "1");
  f.Entry(1250, "2")[EntryMark] = "1";
  f.Category(30, "X")[CategoryMark] = "Del";
  f.pb.MelodyFiles[1].FileName = "a.mid";
  f.pb.PhoneFileList[1].FileName = "/a/x";
  RebuildEntryList(f.pb, kEntryRows);
  f.pb.LVCat.push_back({"30", {}});
  f.pb.SelectedItemIndex = 1;
  ClearPhonebookTables(f.pb, f.shell);
  for (int i = 1; i <= kEntryRows; ++i) {
    for (const auto& field : f.pb.PhonebookEntries[i].fields) ASSERT_TRUE(field.empty());
  }
  for (int c = 1; c <= kCategoryRows; ++c) {
    for (const auto& field : f.pb.Categories[c].fields) ASSERT_TRUE(field.empty());
  }
  EXPECT_TRUE(f.pb.LV.empty());
  EXPECT_TRUE(f.pb.LVCat.empty());
  EXPECT_EQ(f.pb.SelectedItemIndex, -1);
  EXPECT_EQ(f.pb.MelodyFiles[1].FileName, "a.mid");
  EXPECT_EQ(f.pb.PhoneFileList[1].FileName, "/a/x");
  EXPECT_EQ(f.pb.NumberTypeNames[0], "Work");
  EXPECT_EQ(f.shell.log, std::vector<std::string>{"Reading all records again..."});
}

TEST(PhonebookTablesTest, UsedEntriesHoldANumberAndAreNotRemoved) {
  PhonebookFixture f;
  f.Entry(7, "123")[EntryMark] = "Del";
  EXPECT_FALSE(EntryIsUsed(f.pb, 7));
  f.pb.PhonebookEntries[7][EntryMark] = "1";
  EXPECT_TRUE(EntryIsUsed(f.pb, 7));
  f.pb.PhonebookEntries[7][EntryNumber].clear();
  EXPECT_FALSE(EntryIsUsed(f.pb, 7));
  f.Entry(1250, "1");
  EXPECT_TRUE(EntryIsUsed(f.pb, 1250));
  EXPECT_FALSE(EntryIsUsed(f.pb, 0));
  EXPECT_FALSE(EntryIsUsed(f.pb, 1251));
}

TEST(PhonebookTablesTest, MelodyIdsAndLabelsOfMelodiesAndLightAlerts) {
  PhonebookFixture f;
  EXPECT_EQ(MelodyIdFromLabel(f.pb, " (3)"), 0);  // empty slots hold no file
  f.pb.MelodyFiles[1].FileName = "a (b)";
  f.pb.MelodyFiles[3].FileName = "ring.mid";
  f.pb.MelodyFiles[4].FileName = "ring.mid";
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "ring.mid (3)"), 12);
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "ring.mid (99)"), 12);
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "a (b) (3)"), 10);
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "Siren (9)"), 0);
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "Ring.mid (3)"), 0);
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "ring.mid"), 0);
  f.pb.MelodyFiles[246].FileName = "x.mid";
  EXPECT_EQ(MelodyIdFromLabel(f.pb, "x.mid (255)"), 255);
  f.pb.MelodyFiles[3].FileName.clear();

  EXPECT_EQ(std::string(LightAlertLabel("4")), "Мерцание (4)");
  EXPECT_EQ(std::string(LightAlertLabel("10")), "Акустика (10)");
  EXPECT_EQ(LightAlertLabel("0"), "");
  EXPECT_EQ(LightAlertLabel("11"), "");
  EXPECT_EQ(LightAlertLabel("04"), "");
  EXPECT_EQ(std::string(EntryMelodyLabel(f.pb, "255")), "По умолчанию");
  EXPECT_EQ(ReadMelodyLabel(f.pb, "255", CategoryDefaultMelodyLabel()), "Default");
  EXPECT_EQ(ReadMelodyLabel(f.pb, "9", CategoryDefaultMelodyLabel()), "Siren (9)");
  EXPECT_EQ(EntryMelodyLabel(f.pb, "9"), "Siren (9)");
  EXPECT_EQ(EntryMelodyLabel(f.pb, "12"), "12");  // slot 3 empty: no file label
  EXPECT_EQ(ReadMelodyLabel(f.pb, "12", CategoryDefaultMelodyLabel()), "12");
  EXPECT_EQ(ReadMelodyLabel(f.pb, "", CategoryDefaultMelodyLabel()), "");
  EXPECT_EQ(std::string(RestoredCategoryMelodyLabel("8")), "Внимание!");
  EXPECT_EQ(RestoredCategoryMelodyLabel("255"), "Default");
  EXPECT_EQ(RestoredCategoryMelodyLabel("12"), "12");
  EXPECT_EQ(BuiltInMelodyDigit("Attention (8)"), 8);
  EXPECT_EQ(BuiltInMelodyDigit("Attention"), -1);
}

}  // namespace
}  // namespace quorix
