#include "phonebook/PhonebookCompaction.h"

#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "phonebook/EntryList.h"

namespace quorix {
namespace {

TEST(PhonebookCompactionTest, UsedRowsArePackedFromRowOneWithAllTheirFields) {
  PhonebookFixture f;
  f.Entry(1, "111", "One");
  EntryRow& four = f.Entry(4, "444", "Four");
  four[EntryCity] = Hex("Тула");
  four[EntryBirthday] = "\"03-15-1970\"";
  f.Entry(6, "666", "Gone")[EntryMark] = kMarkRemoved;
  f.Entry(7, "777", "Seven");
  f.Entry(600, "600", "Sim");
  RebuildEntryList(f.pb, kEntryRows);

  ToolButton5Click(*f.app, f.shell);
  const auto& rows = f.pb.PhonebookEntries;
  EXPECT_EQ(Fields(rows[2], EntryNumber, EntryBirthday), "\"444\"|129|" + Hex("Four") +
                                                             "|3|0|255|0|1|1|255|255|0||0|0|||" +
                                                             Hex("Тула") + "|||||\"03-15-1970\"");
  EXPECT_EQ(rows[2][EntryMark], "1");
  EXPECT_EQ(Fields(rows[4], EntryNumber, EntryBirthday), std::string(22, '|'));
  EXPECT_EQ(rows[4][EntryMark], "Del");
  EXPECT_EQ(rows[3][EntryNumber], "\"777\"") << "a removed row is no entry to move";
  EXPECT_EQ(rows[7][EntryMark], "Del");
  EXPECT_EQ(rows[6][EntryMark], "Del");
  EXPECT_EQ(rows[600][EntryNumber], "\"600\"") << "rows above 500 take no part";
  EXPECT_TRUE(f.app->DataModified);
  EXPECT_EQ(f.pb.LV.size(), 5u) << "the SIM's rows and the removed row stay listed";

  PhonebookFixture g;
  g.Entry(2, "2");
  RebuildEntryList(g.pb, kEntryRows);
  ToolButton5Click(*g.app, g.shell);
  ASSERT_EQ(g.shell.messages.size(), 1u);
  EXPECT_EQ(g.shell.messages[0].text, "Please read entries from mobile phone!");
  EXPECT_EQ(g.pb.PhonebookEntries[1][EntryNumber], "");
}

}  // namespace
}  // namespace quorix
