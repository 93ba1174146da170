#include "sms/Gsm7.h"

#include <gtest/gtest.h>

namespace quorix::sms {
namespace {

std::string Text(std::vector<uint8_t> septets) {
  return Gsm7ToUtf8(septets);
}

TEST(Gsm7Test, DefaultAndExtensionTables) {
  EXPECT_EQ(Text({0x00, 0x01, 0x09, 0x10, 0x1E, 0x24, 0x40, 0x5D, 0x60, 0x7F}), "@£ÇΔß¤¡Ñ¿à");
  EXPECT_EQ(Text({0x1B, 0x65, 0x1B, 0x3C, 0x1B, 0x3E, 0x1B, 0x28, 0x1B, 0x29,
                  0x1B, 0x2F, 0x1B, 0x3D, 0x1B, 0x14, 0x1B, 0x40, 0x1B, 0x0A}),
            "€[]{}\\~^|\f");
  // An escape the extension table lacks is the default table's character; a doubled one and an
  // escape at the very end have none and show a space.
  EXPECT_EQ(Text({0x1B, 0x41, 0x1B, 0x1B, 0x62, 0x1B}), "A b ");
}

TEST(Gsm7Test, SeptetsAfterFillBits) {
  // "hellohello", the packing every tutorial shows.
  const std::vector<uint8_t> hello{0xE8, 0x32, 0x9B, 0xFD, 0x46, 0x97, 0xD9, 0xEC, 0x37};
  EXPECT_EQ(Text(UnpackSeptets(hello, 0, 10)), "hellohello");
  EXPECT_EQ(Text(UnpackSeptets(hello, 0, 1000)), "hellohello") << "no more than the octets hold";
  // "Hello" after a six-octet header: one fill bit brings it to the septet boundary.
  const std::vector<uint8_t> afterHeader{0x90, 0x65, 0x36, 0xFB, 0x0D};
  EXPECT_EQ(Text(UnpackSeptets(afterHeader, 1, 5)), "Hello");
  EXPECT_TRUE(UnpackSeptets(afterHeader, 40, 5).empty());
  EXPECT_TRUE(UnpackSeptets({}, 0, 3).empty());
}

}  // namespace
}  // namespace quorix::sms
