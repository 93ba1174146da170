#include "codec/Collation.h"

#include <gtest/gtest.h>

#include "codec/CodePage.h"

namespace quorix {
namespace {

TEST(CollationTest, RanksFollowTheOrderString) {
  EXPECT_EQ(CollationOrder().size(), 77u);
  EXPECT_EQ(CollationRank('0'), 1);
  EXPECT_EQ(CollationRank('9'), 10);
  EXPECT_EQ(CollationRank('a'), 11);
  EXPECT_EQ(CollationRank('A'), 12);
  EXPECT_EQ(CollationRank('z'), 61);
  EXPECT_EQ(CollationRank('Z'), 62);
  EXPECT_EQ(CollationRank('~'), 77);
  EXPECT_EQ(CollationRank(' '), 0);
  EXPECT_EQ(CollationRank(Utf8ToCp1251("Ж")[0]), 0);
}

TEST(CollationTest, ComparesPositionByPosition) {
  EXPECT_EQ(CompareByCollation("a", "A"), 1);
  EXPECT_EQ(CompareByCollation("A", "a"), 2);
  EXPECT_EQ(CompareByCollation("ab", "a"), 2);
  EXPECT_EQ(CompareByCollation("a", "ab"), 1);
  EXPECT_EQ(CompareByCollation("x", "x"), 0);
  EXPECT_EQ(CompareByCollation(Utf8ToCp1251("Ж"), "0"), 1);
  EXPECT_EQ(CompareByCollation("9", "a"), 1);
  // Characters outside the order rank alike.
  EXPECT_EQ(CompareByCollation(" ", "$"), 0);
  EXPECT_EQ(CompareByCollation("", ""), 0);
}

TEST(CollationTest, SortsRecordsOneToNWithTheirAttributes) {
  std::vector<FileRecord> files = {{"unused", 99}, {"b.mid", 1}, {"A.mid", 2},
                                   {"a.mid", 3},   {"0.mid", 4}, {"zz", 5}};
  SortByCollation(files, 4);
  ASSERT_EQ(files.size(), 6u);
  EXPECT_EQ(files[0].FileName, "unused");
  EXPECT_EQ(files[1].FileName, "0.mid");
  EXPECT_EQ(files[1].FileAttributes, 4);
  EXPECT_EQ(files[2].FileName, "a.mid");
  EXPECT_EQ(files[2].FileAttributes, 3);
  EXPECT_EQ(files[3].FileName, "A.mid");
  EXPECT_EQ(files[4].FileName, "b.mid");
  EXPECT_EQ(files[4].FileAttributes, 1);
  EXPECT_EQ(files[5].FileName, "zz");  // beyond n: untouched
}

}  // namespace
}  // namespace quorix
