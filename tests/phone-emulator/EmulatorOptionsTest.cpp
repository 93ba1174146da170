#include "phone-emulator/EmulatorOptions.h"

#include <gtest/gtest.h>

#include "phone-emulator/ModelProfile.h"

namespace quorix::emu {
namespace {

TEST(EmulatorOptionsTest, ReadsEveryOption) {
  EXPECT_TRUE(ParseEmulatorOptions({}).error.empty());
  const auto parsed = ParseEmulatorOptions({"--model",
                                            "C650",
                                            "--sim-capacity",
                                            "100",
                                            "--sample",
                                            "--fill",
                                            "400",
                                            "--baud",
                                            "9600",
                                            "--log",
                                            "/tmp/x.log",
                                            "--publish",
                                            "--silent",
                                            "--hangup-after",
                                            "0",
                                            "--error-on",
                                            "AT+MPBR",
                                            "--error-on",
                                            "AT+CPBS",
                                            "--reply-delay",
                                            "150",
                                            "--usb-delay",
                                            "40",
                                            "--p2k-delay",
                                            "500",
                                            "--no-p2k",
                                            "--p2k-never-ready",
                                            "--p2k-unplug-at",
                                            "3",
                                            "--p2k-capacity",
                                            "2048"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  const EmulatorOptions& o = parsed.options;
  EXPECT_EQ(o.model, "C650");
  EXPECT_EQ(o.simCapacity, 100);
  EXPECT_TRUE(o.sample);
  EXPECT_EQ(o.fill, 400);
  EXPECT_EQ(o.baud, 9600);
  EXPECT_EQ(o.logPath, "/tmp/x.log");
  EXPECT_TRUE(o.publish);
  EXPECT_TRUE(o.silent);
  EXPECT_EQ(o.hangupAfter, 0);
  EXPECT_EQ(o.errorOn, (std::vector<std::string>{"AT+MPBR", "AT+CPBS"}));
  EXPECT_EQ(o.replyDelayMs, 150);
  EXPECT_EQ(o.usbDelayMs, 40);
  EXPECT_EQ(o.p2kDelayMs, 500);
  EXPECT_TRUE(o.noP2K);
  EXPECT_TRUE(o.p2kNeverReady);
  EXPECT_EQ(o.p2kUnplugAt, 3);
  EXPECT_EQ(o.p2kCapacity, 2048u);
  EXPECT_TRUE(ParseEmulatorOptions({"--help"}).help);
}

TEST(EmulatorOptionsTest, RefusesUnusableCommandLines) {
  const std::vector<std::vector<std::string>> bad = {
      {"--modem"},
      {"--model"},
      {"--model", ""},
      {"--baud", "0"},
      {"--baud", "fast"},
      {"--fill", "-1"},
      {"--fill", "12x"},
      {"--sim-capacity", "251"},
      {"--error-on", ""},
      {"--reply-delay", ""},
      {"--hangup-after"},
      {"extra"},
      {"--p2k-unplug-at", "0"},
      {"--p2k-delay", "120001"},
      {"--p2k-capacity", "67108865"},
  };
  for (const auto& args : bad) {
    EXPECT_FALSE(ParseEmulatorOptions(args).error.empty()) << args[0];
  }
}

TEST(EmulatorOptionsTest, P2KDeviceAppearsAfterTheOptionsOrTheModelsDelay) {
  EmulatorOptions o;
  o.usbDelayMs = 30;
  EXPECT_EQ(P2KAppearanceDelayMs(o), 30) << "as any USB mode change";
  o.model = "late-p2k";
  EXPECT_EQ(P2KAppearanceDelayMs(o), 12000);
  o.p2kDelayMs = 500;
  EXPECT_EQ(P2KAppearanceDelayMs(o), 500);
}

}  // namespace
}  // namespace quorix::emu
