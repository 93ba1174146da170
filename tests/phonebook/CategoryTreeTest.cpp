#include "phonebook/CategoryTree.h"

#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "phonebook/EntryList.h"

namespace quorix {
namespace {

TEST(CategoryTreeTest, NodesInTableOrderWithAbsoluteIndexes) {
  PhonebookFixture f;
  f.Category(1, "Семья");
  f.Category(3, "Работа");
  f.Entry(5, "555", "Мама", "1", "1");
  f.Entry(2, "222", "", "3", "3");
  f.Entry(9, "999", "Папа", "0", "1");
  f.Entry(4, "444", "Удалён", "1", "1")[EntryMark] = "Del";
  f.Entry(6, "666", "Без", "1", "");
  f.Entry(7, "777", "Чужая", "1", "12");
  f.pb.PhonebookEntries[6][EntryTreeIndex] = "1";
  RebuildCategoryTree(f.pb);
  ASSERT_EQ(f.pb.Tr.size(), 4u);
  EXPECT_EQ(std::string(f.pb.Tr[0].Text), "Семья");
  EXPECT_EQ(f.pb.Tr[0].Icon, 0);
  ASSERT_EQ(f.pb.Tr[0].Children.size(), 2u);
  EXPECT_EQ(std::string(f.pb.Tr[0].Children[0].Text), "Мама  (555)");
  EXPECT_EQ(f.pb.Tr[0].Children[0].Icon, 2);
  EXPECT_EQ(std::string(f.pb.Tr[0].Children[1].Text), "Папа  (999)");
  EXPECT_EQ(f.pb.Tr[0].Children[1].Icon, 1);
  ASSERT_EQ(f.pb.Tr[1].Children.size(), 1u);
  EXPECT_EQ(f.pb.Tr[1].Children[0].Text, "222");
  EXPECT_EQ(f.pb.Tr[1].Children[0].Icon, 4);
  // Entries of categories the phone does not have come last, under the category's number.
  EXPECT_EQ(f.pb.Tr[2].Text, "Без категории");
  EXPECT_EQ(f.pb.Tr[3].Text, "Категория 12");
  ASSERT_EQ(f.pb.Tr[3].Children.size(), 1u);
  EXPECT_EQ(f.pb.Tr[3].Children[0].Text, "Чужая  (777)");
  EXPECT_EQ(f.pb.PhonebookEntries[7][EntryTreeIndex], "8");
  EXPECT_EQ(TreeNodeCount(f.pb), 9);
  EXPECT_EQ(TreeNodeAbsoluteIndex(f.pb, 0, -1), 0);
  EXPECT_EQ(TreeNodeAbsoluteIndex(f.pb, 0, 1), 2);
  EXPECT_EQ(TreeNodeAbsoluteIndex(f.pb, 1, -1), 3);
  EXPECT_EQ(TreeNodeAbsoluteIndex(f.pb, 1, 0), 4);
  EXPECT_EQ(f.pb.PhonebookEntries[5][EntryTreeIndex], "1");
  EXPECT_EQ(f.pb.PhonebookEntries[9][EntryTreeIndex], "2");
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryTreeIndex], "4");
  EXPECT_EQ(f.pb.PhonebookEntries[4][EntryTreeIndex], "");
  EXPECT_EQ(f.pb.PhonebookEntries[6][EntryTreeIndex], "6");

  // Entries above LastIndex get no node, and no stale position.
  f.pb.LastIndex = 5;
  RebuildCategoryTree(f.pb);
  EXPECT_EQ(f.pb.Tr.size(), 2u);
  EXPECT_EQ(f.pb.Tr[0].Children.size(), 1u);
  EXPECT_EQ(f.pb.PhonebookEntries[6][EntryTreeIndex], "");
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryTreeIndex], "3");
}

TEST(CategoryTreeTest, ClicksSelectEntriesOnly) {
  PhonebookFixture f;
  f.Category(1, "A");
  f.Category(3, "B");
  f.Entry(1, "1", "", "1", "");  // no category: no node, and rows like it don't end the search
  f.Entry(5, "5", "", "1", "1");
  f.Entry(9, "9", "", "1", "1");
  f.Entry(2, "2", "", "1", "3");
  RebuildEntryList(f.pb, kEntryRows);
  RebuildCategoryTree(f.pb);
  f.pb.EditIndex = 77;
  f.pb.SelectedItemIndex = 0;

  TrClick(f.pb);  // no current node
  EXPECT_EQ(f.pb.SelectionSource, SelectionSourceKind::None);
  TrChange(f.pb, 0);
  TrClick(f.pb);  // the very first node
  EXPECT_EQ(f.pb.SelectionSource, SelectionSourceKind::None);
  EXPECT_FALSE(TrDblClick(f.pb));
  TrChange(f.pb, 3);  // category B
  TrClick(f.pb);
  EXPECT_EQ(f.pb.SelectionSource, SelectionSourceKind::Tree);
  EXPECT_EQ(f.pb.EditIndex, 77);
  EXPECT_EQ(f.pb.SelectedItemIndex, 0);
  EXPECT_FALSE(TrDblClick(f.pb));

  TrChange(f.pb, 2);  // entry 9
  TrClick(f.pb);
  EXPECT_EQ(f.pb.EditIndex, 9);
  EXPECT_EQ(f.pb.SelectedItemIndex, FindListRow(f.pb, 9));
  EXPECT_EQ(f.pb.SelectedItemIndex, 3);
  f.pb.SelectedItemIndex = -1;
  EXPECT_TRUE(TrDblClick(f.pb));
  EXPECT_EQ(f.pb.SelectedItemIndex, 3);

  f.pb.Tr.clear();
  f.pb.SelectionSource = SelectionSourceKind::Table;
  TrClick(f.pb);
  EXPECT_EQ(f.pb.SelectionSource, SelectionSourceKind::Table);
}

}  // namespace
}  // namespace quorix
