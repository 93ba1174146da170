#include "base/Conversion.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(ConversionTest, ReadsDecimalAndRefusesTheRest) {
  EXPECT_EQ(StrToInt("10"), 10);
  EXPECT_EQ(StrToInt(" -2 "), -2);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"", " ", "abc", "1a", "12.5", "-", "$", "2147483648", "1 2"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace quorix
