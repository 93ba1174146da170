#include "base/FileFilter.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(FileFilterTest, ReadsLabelAndPatternPairs) {
  const auto items = ParseFileFilter("Phonebook|*.pb;*.txt|All files|*.*");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].label, "Phonebook");
  EXPECT_EQ(items[0].patterns, (std::vector<std::string>{"*.pb", "*.txt"}));
  EXPECT_EQ(items[1].label, "All files");
  EXPECT_EQ(items[1].patterns, std::vector<std::string>{"*.*"});

  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("Label only").empty());
  EXPECT_EQ(ParseFileFilter("Text|*.txt|Dangling").size(), 1u);
}

}  // namespace
}  // namespace quorix
