#include <gtest/gtest.h>

#include "support/Process.h"

namespace quorix::test {
namespace {

TEST(Ucs2CommandTest, EncodesAndDecodesThroughUtf8) {
  auto r = RunCli({"ucs2", "encode", "Ёж"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "04010436\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(RunCli({"ucs2", "encode", "№1"}).out, "21160031\n");
  EXPECT_EQ(RunCli({"ucs2", "encode", "«Да»"}).out, "00AB0414043000BB\n");

  r = RunCli({"ucs2", "decode", "041F04400438043204350442"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Привет\n");
  EXPECT_EQ(RunCli({"ucs2", "decode", "2116"}).out, "№\n");
  EXPECT_EQ(RunCli({"ucs2", "decode", "00E9"}).out, "é\n");
  EXPECT_EQ(RunCli({"ucs2", "decode", "0457"}).out, "ї\n");
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
