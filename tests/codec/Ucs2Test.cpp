#include "codec/Ucs2.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(Ucs2Test, EveryCharacterTravelsAtItsCodePoint) {
  // As a real L6 sends its names.
  EXPECT_EQ(DecodeUcs2Hex("004D0061006400640079"), "Maddy");
  EXPECT_EQ(DecodeUcs2Hex("0043006c0061007500640069006100200041006d00610074"), "Claudia Amat");
  EXPECT_EQ(EncodeUcs2Hex("Ёж"), "04010436");
  EXPECT_EQ(EncodeUcs2Hex("№1"), "21160031");
  EXPECT_EQ(EncodeUcs2Hex("«Да»"), "00AB0414043000BB");
  EXPECT_EQ(EncodeUcs2Hex("Müller"), "004D00FC006C006C00650072");
  EXPECT_EQ(EncodeUcs2Hex("李"), "674E");
  EXPECT_EQ(DecodeUcs2Hex("2116"), "№");
  EXPECT_EQ(DecodeUcs2Hex("00E9"), "é");
  EXPECT_EQ(DecodeUcs2Hex("0457"), "ї");
  // Codes the old phone table misused are the letters they are.
  EXPECT_EQ(DecodeUcs2Hex("04500456"), "ѐі");

  const std::string many =
      "Ёжик в тумане; Київ Їжак, Ўладзімір, Müller Zoë, Łódź Straße, "
      "Ελένη, 李小龍, Ґанок «Є» №5 \"quoted\"";
  EXPECT_EQ(DecodeUcs2Hex(EncodeUcs2Hex(many)), many);
}

TEST(Ucs2Test, WhatUcs2CannotCarry) {
  EXPECT_EQ(EncodeUcs2Hex("a😀b"), "00610062") << "outside the plane: dropped";
  EXPECT_EQ(Ucs2Misfits("a😀b😀c🙂"), "😀🙂");
  EXPECT_EQ(Ucs2Misfits("Київ"), "");
  // A pair of surrogates, as UTF-16 would send it, is one character; a lone one is none.
  EXPECT_EQ(DecodeUcs2Hex("D83DDE00"), "😀");
  EXPECT_EQ(DecodeUcs2Hex("D83D0041"), "\uFFFDA");
  EXPECT_EQ(DecodeUcs2Hex("DE00"), "\uFFFD");
  // Short and broken groups.
  EXPECT_EQ(DecodeUcs2Hex(""), "");
  EXPECT_EQ(DecodeUcs2Hex("0041004"), std::string("A\x04"));
  EXPECT_EQ(DecodeUcs2Hex("00G10042"), "B");
  EXPECT_EQ(DecodeUcs2Hex("0000"), std::string(1, '\0'));
}

}  // namespace
}  // namespace quorix
