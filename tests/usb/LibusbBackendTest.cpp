#include "link/p2k/LibusbBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "link/p2k/P2KFileList.h"
#include "link/p2k/PhoneFiles.h"
#include "link/p2k/TP2KAPI.h"
#include "support/P2KStates.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"
#include "usb/UsbPhoneTestbed.h"

namespace quorix::test {
namespace {

using Watch = LibusbBackend::RemovalWatch;

TEST(LibusbBackendTest, FindsThePhoneByItsInterfaceNameCarriesCommandsAndSeesItGo) {
  ASSERT_TRUE(UsbPhoneTestbed::UnderUmockdev()) << "run this program under umockdev-wrapper";
  UsbPhoneTestbed usb;
  int device = 2;
  for (const Watch watch : {Watch::Hotplug, Watch::PresencePoll}) {
    SCOPED_TRACE(watch == Watch::Hotplug ? "hotplug" : "presence poll");
    usb.Plug(device);
    TempDir ports;
    RecordingShell shell;
    PausingClock clock;
    FastClock searchClock;
    LibusbBackend backend(searchClock, watch);
    std::mutex logMutex;
    std::vector<std::string> log;
    TP2KAPI p2k(shell, clock, backend, &searchClock);
    p2k.SetPortMapSource({ports.path(), ports.path()});
    p2k.DebugLog = [&](const std::string& text) {
      const std::lock_guard lock(logMutex);
      log.push_back(text);
    };
    clock.onPause = [&](int64_t ms) {
      if (ms != TP2KAPI::kSwitchPauseMs) return;
      if (p2k.Searching()) {
        EXPECT_TRUE(WaitUntil([&] { return p2k.DeviceOpen(); }));
      } else if (usb.Leaving() == emu::P2KLeave::ToAtMode) {
        usb.Unplug();  // it re-enumerates as the modem
      }
    };

    ASSERT_TRUE(p2k.SwitchTo("P2K"));
    ASSERT_TRUE(p2k.DeviceOpen());
    const std::string node = "/dev/bus/usb/001/00" + std::to_string(device);
    {
      const std::lock_guard lock(logMutex);
      EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
                (std::vector<std::string>{"Dev name is " + node + " interface 0", "",
                                          "Dev name is " + node + " interface 8",
                                          "Motorola Test Command"}));
    }
    EXPECT_TRUE(usb.Claimed());
    std::vector<uint8_t> reply;
    ASSERT_TRUE(p2k.SendCommand(p2k::kFileCommand, p2k::FileCountPayload(), reply));
    EXPECT_EQ(p2k::FileCountFromReply(reply), 11);
    ASSERT_TRUE(p2k.SendCommand(p2k::kFileCommand, p2k::FileListPayload(), reply));
    const auto files = p2k::FileRecordsFromReply(reply);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[1].name, "/a/mobile/audio/Moscow Nights.mid");
    // A file out and back in over the USB control transfers, in more than one chunk each way.
    const bool stop = false;
    PhoneFiles phoneFiles(p2k, shell, stop);
    const std::string data(1500, static_cast<char>(device));
    const std::string path = "/a/usb" + std::to_string(device) + ".bin";
    ASSERT_TRUE(phoneFiles.Write(path, data)) << phoneFiles.Failure();
    EXPECT_EQ(phoneFiles.Read(path, static_cast<uint32_t>(data.size())), data);

    if (watch == Watch::Hotplug) {
      EXPECT_TRUE(p2k.SwitchTo("AT"));
    } else {
      usb.Unplug();
    }
    EXPECT_TRUE(WaitUntil([&] { return !usb.Claimed(); })) << "released with the device";
    EXPECT_EQ(DeliverStates(p2k, 3), (std::vector<int>{0, 1, 0}));
    ++device;
  }
}

}  // namespace
}  // namespace quorix::test
