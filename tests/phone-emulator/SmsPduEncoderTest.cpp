#include "phone-emulator/SmsPduEncoder.h"

#include <gtest/gtest.h>

namespace quorix::emu {
namespace {

SmsUserData Gsm7(std::string text) {
  return {SmsCoding::Gsm7, std::move(text), std::nullopt};
}

TEST(SmsPduEncoderTest, WritesPublishedPdusByteForByte) {
  // A deliver whose sender is a national number of type C8.
  EXPECT_EQ(EncodeDeliver({"+27381000015",
                           {"27838890001", 0xC8},
                           {1999, 3, 29, 15, 16, 59, 8},
                           Gsm7("hellohello")}),
            "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37");
  // A submit without a service centre, valid for four days.
  EXPECT_EQ(EncodeSubmit({"", AddressFrom("+46708251358"), 0xAA, Gsm7("hellohello")}),
            "0011000B916407281553F80000AA0AE8329BFD4697D9EC37");
}

TEST(SmsPduEncoderTest, BuildsEveryCodingAddressAndHeaderAsWorkedOutByHand) {
  // € [ ] through the escape: 35 1B65 1B3C 78 1B3E; a zone of -7 h sets the sign bit (8A).
  EXPECT_EQ(EncodeDeliver({"+79168999100",
                           AddressFrom("+79031112233"),
                           {2007, 3, 2, 9, 15, 0, -28},
                           Gsm7("5€[x]")}),
            "07919761989901F0040B919730112132F30000703020905100"
            "8A08B54D79C3C36F7C");
  // A name packed as the sender; a letter beyond the 16 bits as a surrogate pair; +3 h is 21.
  EXPECT_EQ(EncodeDeliver({"",
                           AddressFrom("MTS"),
                           {2007, 12, 1, 9, 0, 0, 12},
                           {SmsCoding::Ucs2, "Я😀", std::nullopt}}),
            "000406D04DEA140008702110900000210604"
            "2FD83DDE00");
  // The 6-octet header takes 7 septets; one fill bit puts "Hi" on the next septet boundary.
  SmsUserData part = Gsm7("Hi");
  part.concat = SmsConcatHeader{0xAA, 2, 1};
  EXPECT_EQ(EncodeSubmit({"", AddressFrom("+79161234503"), std::nullopt, part}),
            "0041000B919761214305F3000009050003AA02019069");
  // 8-bit data counts octets, the header's included; a national sender is of type 81.
  SmsUserData data{SmsCoding::Data8, std::string("\x00\xFF\x41", 3), SmsConcatHeader{7, 3, 3}};
  EXPECT_EQ(EncodeDeliver(
                {"+79168999100", AddressFrom("89857770000"), {2007, 11, 6, 14, 22, 10, 12}, data}),
            "07919761989901F044"
            "0B819858770700F0000470116041220121"
            "0905000307030300FF41");
}

TEST(SmsPduEncoderTest, SplitsLongTextsWithoutPartingAnEscapeFromItsSeptet) {
  const auto parts = SplitGsm7Text(std::string(152, 'a') + "€" + std::string(160, 'b'), 153);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0], std::string(152, 'a'));
  EXPECT_EQ(parts[1], "€" + std::string(151, 'b'));
  EXPECT_EQ(parts[2], std::string(9, 'b'));
  EXPECT_EQ(SplitGsm7Text(std::string(306, 'c'), 153).size(), 2u);
}

}  // namespace
}  // namespace quorix::emu
