#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorix::test
