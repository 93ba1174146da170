#include <gtest/gtest.h>

#include <algorithm>

#include "link/p2k/P2KFileList.h"
#include "support/EmulatedP2K.h"
#include "support/Link.h"

namespace quorix::test {
namespace {

using Usb = emu::PtyPhoneServer::UsbState;

TEST(P2KWithEmulatedPhoneTest, TheModemPortGivesWayToTheP2KDeviceAndComesBackAfterARestart) {
  EmulatedP2K phone;
  EXPECT_EQ(phone.p2k.FindModemPort(), phone.port);
  ASSERT_TRUE(phone.p2k.SwitchTo("P2K"));
  EXPECT_EQ(phone.server.State(), Usb::P2KMode);
  EXPECT_EQ(phone.p2k.FindModemPort(), "") << "gone from the port map";
  EXPECT_EQ(phone.Delivered(2), (std::vector<int>{0, 1}));

  std::vector<uint8_t> reply;
  ASSERT_TRUE(phone.p2k.SendCommand(p2k::kFileCommand, p2k::FileCountPayload(), reply));
  EXPECT_EQ(p2k::FileCountFromReply(reply), 11);
  ASSERT_TRUE(phone.p2k.SendCommand(p2k::kFileCommand, p2k::FileListPayload(), reply));
  const auto files = p2k::FileRecordsFromReply(reply);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].name, "/a/mobile/audio/Classic.mid");
  EXPECT_EQ(files[2].attributes, 4) << "attributes 0x0002, owner 0x0200";

  EXPECT_TRUE(phone.p2k.RestartPhone());
  EXPECT_FALSE(phone.p2k.Searching());
  EXPECT_EQ(phone.Delivered(1), std::vector<int>{0});
  EXPECT_TRUE(WaitUntil([&] { return phone.p2k.FindModemPort() == phone.port; }))
      << "back under the same name";
  Link<> link(phone.port);  // a serial dialogue runs on real time
  link.phone.ConnectPhone();
  EXPECT_EQ(link.state.link.PhoneModel, "E398") << "identifiable again";
}

TEST(P2KWithEmulatedPhoneTest, AnUnplugInTheMiddleOfACommandPostsTheAbsentStateOnce) {
  emu::EmulatorOptions options;
  options.p2kUnplugAt = 2;
  EmulatedP2K phone(options);
  ASSERT_TRUE(phone.p2k.SwitchTo("P2K"));
  std::vector<uint8_t> reply;
  EXPECT_TRUE(phone.p2k.SendCommand(p2k::kFileCommand, p2k::FileCountPayload(), reply));
  EXPECT_FALSE(phone.p2k.SendCommand(p2k::kFileCommand, p2k::FileListPayload(), reply));
  EXPECT_EQ(phone.Delivered(3), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(phone.server.State(), Usb::Unplugged);
  EXPECT_TRUE(phone.p2k.Searching()) << "the search goes on for a phone plugged in again";
  EXPECT_EQ(phone.p2k.FindModemPort(), "");
}

// A phone whose P2K device comes after the fixed pause is waited for, the user told; one that
// never comes ends the switch with false after the bounded wait.
TEST(P2KWithEmulatedPhoneTest, ADeviceThatComesLateIsWaitedForWithinABound) {
  emu::EmulatorOptions late;
  late.model = "late-p2k";
  late.p2kDelayMs = 150;  // real time: longer than the guard the fixed pause stands for
  EmulatedP2K phone(late);
  phone.switchGuard = std::chrono::milliseconds(20);
  ASSERT_TRUE(phone.p2k.SwitchTo("P2K"));
  EXPECT_GT(phone.clock.NowMs(), TP2KAPI::kSwitchPauseMs);
  EXPECT_TRUE(std::any_of(phone.shell.calls.begin(), phone.shell.calls.end(), [](const auto& c) {
    return c.rfind("ProgressSetText|Ожидание телефона в режиме P2K", 0) == 0;
  }));
  std::vector<uint8_t> reply;
  EXPECT_TRUE(phone.p2k.SendCommand(p2k::kFileCommand, p2k::FileCountPayload(), reply));

  emu::EmulatorOptions never;
  never.noP2K = true;
  EmulatedP2K silent(never);
  silent.switchGuard = std::chrono::milliseconds(20);
  EXPECT_FALSE(silent.p2k.SwitchTo("P2K"));
  EXPECT_EQ(silent.clock.NowMs(), TP2KAPI::kSwitchPauseMs + TP2KAPI::kDeviceWaitMs);
  EXPECT_FALSE(silent.p2k.Searching());
}

// With a second phone on the bus, only the phone the program talks to is switched, however long
// its P2K device takes: the search never sends the other one to P2K mode.
TEST(P2KWithEmulatedPhoneTest, OnlyThePhoneTheProgramTalksToIsSwitched) {
  emu::EmulatorOptions late;
  late.model = "late-p2k";
  late.p2kDelayMs = 150;
  EmulatedP2K phone(late);
  phone.switchGuard = std::chrono::milliseconds(20);
  emu::EmulatorOptions other;
  other.publish = true;
  other.usbDelayMs = 30;
  emu::PtyPhoneServer second(other);
  second.Start();  // published beside the first
  phone.p2k.SetModemPort(phone.port);
  ASSERT_TRUE(phone.p2k.SwitchTo("P2K"));
  EXPECT_EQ(phone.server.State(), Usb::P2KMode);
  EXPECT_EQ(second.State(), Usb::AtMode);
  std::vector<uint8_t> reply;
  EXPECT_TRUE(phone.p2k.SendCommand(p2k::kFileCommand, p2k::FileCountPayload(), reply));
  EXPECT_EQ(phone.InTranscript("P2K command"), 1);
  second.Stop();
}

}  // namespace
}  // namespace quorix::test
