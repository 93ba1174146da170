#include "codec/PhoneText.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(PhoneTextTest, KeepsWhatThePhoneHoldsAndNamesWhatItDrops) {
  const PhoneTextFit fit = FitPhoneText("  Встреча\t🙂 日 Zoë 🙂\n", 0);
  EXPECT_EQ(fit.text, "Встреча  日 Zoë");
  EXPECT_EQ(fit.dropped, (std::vector<std::string>{"🙂"}));
  EXPECT_FALSE(fit.cut);
  EXPECT_EQ(DroppedCharactersText(fit.dropped), "U+1F642");

  // The limit counts characters, not bytes.
  const PhoneTextFit cut = FitPhoneText("Ёлка новогодняя", 4);
  EXPECT_EQ(cut.text, "Ёлка");
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
