#include <gtest/gtest.h>

#include "support/Process.h"

namespace quorix::test {
namespace {

ProcessResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), QUORIX_CLI_PATH);
  return RunProcess(args);
}

TEST(Ucs2CommandTest, EncodesAndDecodesThroughUtf8) {
  auto r = Cli({"ucs2", "encode", "Ёж"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "04500436\n");
  EXPECT_EQ(r.err, "");

  r = Cli({"ucs2", "decode", "0041002d0062"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "A-b\n");

  r = Cli({"ucs2", "decode", "2116"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "\n");

  r = Cli({"ucs2", "decode", "041F04400438043204350442"});
  EXPECT_EQ(r.out, "Привет\n");
}

TEST(Ucs2CommandTest, UsageErrorsGoToStderrWithStatusTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"ucs2"},
                                                                {"ucs2", "encode"},
                                                                {"ucs2", "sideways", "x"},
                                                                {"frobnicate"},
                                                                {},
                                                                {"--port"}}) {
    const auto r = Cli(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: quorix-cli"), std::string::npos);
  }
}

TEST(Ucs2CommandTest, HelpListsEveryCommand) {
  const auto r = Cli({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("ucs2 encode TEXT"), std::string::npos);
  EXPECT_NE(r.out.find("ucs2 decode HEX"), std::string::npos);
}

}  // namespace
}  // namespace quorix::test
