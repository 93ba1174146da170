#include "codec/Ucs2.h"

#include <gtest/gtest.h>

#include "codec/CodePage.h"

namespace quorix {
namespace {

std::string A(const char* utf8) {
  return Utf8ToCp1251(utf8);
}

TEST(Ucs2Test, TableHoldsTheLettersThenTheAsciiTail) {
  const std::string& table = CyrillicCodeTable();
  ASSERT_EQ(table.size(), 146u);
  EXPECT_EQ(table.substr(0, 32), A("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
  EXPECT_EQ(table.substr(32, 32), A("абвгдежзийклмнопрстуфхцчшщъыьэюя"));
  EXPECT_EQ(table[69], '"');
  EXPECT_EQ(table[67], ',');
  EXPECT_EQ(table[92], ',');
  EXPECT_EQ(table[93], ' ');
  EXPECT_EQ(table.substr(70, 1), A("№"));
  EXPECT_EQ(table.back(), 'z');
}

TEST(Ucs2Test, EncodesAsciiAndRussianAndDropsTheRest) {
  EXPECT_EQ(EncodeUcs2Hex(""), "");
  EXPECT_EQ(EncodeUcs2Hex(A("Ёж")), "04500436");
  EXPECT_EQ(EncodeUcs2Hex(A("№1")), "04560031");
  EXPECT_EQ(EncodeUcs2Hex("A-b"), "0041002D0062");
  EXPECT_EQ(EncodeUcs2Hex(A("«Да»")), "04140430");
  EXPECT_EQ(EncodeUcs2Hex(A("—Є")), "");
  EXPECT_EQ(EncodeUcs2Hex(A("Жё Я")), "041604510020042F");
}

TEST(Ucs2Test, DecodesGroupsOfFourWithShortAndBrokenGroups) {
  EXPECT_EQ(DecodeUcs2Hex(""), "");
  EXPECT_EQ(DecodeUcs2Hex("04500436"), A("Ёж"));
  EXPECT_EQ(DecodeUcs2Hex("0456"), A("№"));
  EXPECT_EQ(DecodeUcs2Hex("0041002d0062"), "A-b");
  // The standard codes of Ё, № and accented letters are not in the phone's table.
  EXPECT_EQ(DecodeUcs2Hex("0401"), "");
  EXPECT_EQ(DecodeUcs2Hex("2116"), "");
  EXPECT_EQ(DecodeUcs2Hex("00E9"), "");
  // Table positions past the letters decode to their ASCII characters.
  EXPECT_EQ(DecodeUcs2Hex("0452"), ".");
  EXPECT_EQ(DecodeUcs2Hex("0455"), "\"");
  EXPECT_EQ(DecodeUcs2Hex("04A1"), "z");
  EXPECT_EQ(DecodeUcs2Hex("04A2"), "");
  EXPECT_EQ(DecodeUcs2Hex("040F"), "");
  EXPECT_EQ(DecodeUcs2Hex("0041004"), std::string("A\x04"));
  EXPECT_EQ(DecodeUcs2Hex("00G1"), "");
  EXPECT_EQ(DecodeUcs2Hex("00G10042"), "B");
  EXPECT_EQ(DecodeUcs2Hex("0000"), std::string(1, '\0'));
}

TEST(Ucs2Test, EveryRepresentableCharacterRoundTrips) {
  std::string all;
  for (int c = 0; c < 0x80; ++c) all.push_back(static_cast<char>(c));
  all += CyrillicCodeTable().substr(0, 66);
  all += A("№");
  EXPECT_EQ(DecodeUcs2Hex(EncodeUcs2Hex(all)), all);
}

}  // namespace
}  // namespace quorix
