#include <gtest/gtest.h>

#include "codec/CodePage.h"
#include "codec/FileText.h"
#include "codec/Utf8.h"

namespace quorix {
namespace {

TEST(TextFormsTest, FilesStayInTheCodePageUnlessItCannotHoldTheText) {
  const EncodedFileText russian = EncodeFileText("Ёлка №5;\r\n");
  EXPECT_FALSE(russian.utf8);
  EXPECT_EQ(russian.bytes,
            "\xA8\xEB\xEA\xE0 \xB9"
            "5;\r\n");
  EXPECT_EQ(DecodeFileText(russian.bytes), "Ёлка №5;\r\n");

  const EncodedFileText other = EncodeFileText("Київ Їжак, Ελένη, 李");
  EXPECT_TRUE(other.utf8);
  EXPECT_EQ(other.bytes, "\xEF\xBB\xBFКиїв Їжак, Ελένη, 李");
  EXPECT_EQ(DecodeFileText(other.bytes), "Київ Їжак, Ελένη, 李");
  EXPECT_TRUE(FitsCp1251("Ёж «Да» №"));
  EXPECT_FALSE(FitsCp1251("ü"));

  // The phone's own 8-bit bytes: UTF-8 stays, the rest is code page 1251.
  EXPECT_EQ(AsUtf8("OK \xFF\xFF \xC6 Ж"), "OK яя Ж Ж");
}

TEST(TextFormsTest, LetterCaseAndLengthForEveryAlphabet) {
  EXPECT_EQ(Utf8Lower("ÜBER Їжак ΩМЕГА Ё"), "über їжак ωмега ё");
  EXPECT_EQ(Utf8Upper("com4 ї ω"), "COM4 Ї Ω");
  EXPECT_TRUE(SameTextNoCase("Starred", "STARRED"));
  EXPECT_TRUE(ContainsNoCase("Київ Їжак", "їЖ"));
  EXPECT_FALSE(ContainsNoCase("Київ", "x"));
  EXPECT_EQ(Utf8Length("Ёлка 李"), 6u);
  EXPECT_EQ(Utf8Prefix("Ёлка 李小龍", 6), "Ёлка 李");
  EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
}

}  // namespace
}  // namespace quorix
