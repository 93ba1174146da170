#include "codec/CodePage.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(CodePageTest, ConvertsBothWays) {
  EXPECT_EQ(Utf8ToCp1251("Abc"), "Abc");
  EXPECT_EQ(Utf8ToCp1251("Ж"), "\xC6");
  EXPECT_EQ(Utf8ToCp1251("Ёё№"), "\xA8\xB8\xB9");
  EXPECT_EQ(Cp1251ToUtf8("\xC6\xE6"), "Жж");
  EXPECT_EQ(Cp1251ToUtf8("\xAB\xC4\xE0\xBB"), "«Да»");
  EXPECT_EQ(Cp1251ToUtf8(""), "");
  const std::string all = "Съешь же ещё этих мягких французских булок, да выпей чаю №5";
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(all)), all);
}

TEST(CodePageTest, DropsWhatTheOtherSideCannotHold) {
  EXPECT_EQ(Utf8ToCp1251("a中b"), "ab");
  EXPECT_EQ(Utf8ToCp1251("x😀y"), "xy");
  // Broken UTF-8: the stray bytes go, the text around them stays.
  EXPECT_EQ(Utf8ToCp1251("a\xD0z"), "az");
  EXPECT_EQ(Utf8ToCp1251("a\xFF\xFE"
                         "b"),
            "ab");
  // 0x98 is the one byte code page 1251 leaves undefined.
  EXPECT_EQ(Cp1251ToUtf8("a\x98"
                         "b"),
            "ab");
  // Long texts cross the converter's buffer size intact.
  const std::string longText(5000, 'z');
  EXPECT_EQ(Utf8ToCp1251(longText + "Я"), longText + "\xDF");
}

}  // namespace
}  // namespace quorix
