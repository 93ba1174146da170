#include "codec/PhoneText.h"

#include <gtest/gtest.h>

#include "codec/CodePage.h"

namespace quorix {
namespace {

TEST(PhoneTextTest, KeepsWhatThePhoneHoldsAndNamesWhatItDrops) {
  const PhoneTextFit fit = FitPhoneText("  Встреча\t🙂 日 🙂\n", 0);
  EXPECT_EQ(Cp1251ToUtf8(fit.text), "Встреча");
  EXPECT_EQ(fit.dropped, (std::vector<std::string>{"🙂", "日"}));
  EXPECT_FALSE(fit.cut);
  EXPECT_EQ(DroppedCharactersText(fit.dropped), "U+1F642 U+65E5");

  const PhoneTextFit cut = FitPhoneText("Ёлка новогодняя", 4);
  EXPECT_EQ(Cp1251ToUtf8(cut.text), "Ёлка");
  EXPECT_TRUE(cut.cut);

  // A broken sequence loses its own bytes only, not the letters after it.
  EXPECT_EQ(FitPhoneText("A\xD0"
                         "B\xE2\x82"
                         "C",
                         0)
                .text,
            "ABC");
}

}  // namespace
}  // namespace quorix
