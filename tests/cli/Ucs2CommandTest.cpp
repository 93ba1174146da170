#include <gtest/gtest.h>

#include "support/Process.h"

namespace quorix::test {
namespace {

TEST(Ucs2CommandTest, EncodesAndDecodesThroughUtf8) {
  auto r = RunCli({"ucs2", "encode", "Ёж"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "04500436\n");
  EXPECT_EQ(r.err, "");

  r = RunCli({"ucs2", "decode", "041F04400438043204350442"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Привет\n");
}

TEST(Ucs2CommandTest, HelpOnStdoutAndUsageErrorsOnStderrWithStatusTwo) {
  const auto help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("ucs2 encode TEXT"), std::string::npos);
  EXPECT_NE(help.out.find("ucs2 decode HEX"), std::string::npos);

  for (const auto& args : std::vector<std::vector<std::string>>{{"ucs2"},
                                                                {"ucs2", "encode"},
                                                                {"ucs2", "sideways", "x"},
                                                                {"frobnicate"},
                                                                {},
                                                                {"--port"}}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: quorix-cli"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorix::test
