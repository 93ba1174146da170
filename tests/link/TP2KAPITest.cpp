#include "link/p2k/TP2KAPI.h"

#include <gtest/gtest.h>

#include <fstream>

#include "link/PhoneOnBus.h"
#include "link/p2k/P2KFileList.h"
#include "support/P2KStates.h"
#include "support/PtyLine.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"

namespace quorix::test {
namespace {

using Bytes = std::vector<uint8_t>;

// The component with a phone on an imagined bus and an empty port map; the search thread runs on
// fast real time, everything else on virtual time.
struct P2K {
  TempDir ports;
  RecordingShell shell;
  PausingClock clock;
  FastClock searchClock;
  std::vector<std::string> log;
  std::mutex logMutex;

  explicit P2K(PhoneOnBus& bus) : api(shell, clock, bus, &searchClock) {
    api.SetPortMapSource({ports.path(), ports.path()});
    api.DebugLog = [this](const std::string& text) {
      const std::lock_guard lock(logMutex);
      log.push_back(text);
    };
  }
  std::vector<int> Delivered(size_t count) { return DeliverStates(api, count); }

  TP2KAPI api;
};

// A reply read answer: one reply of the given class and id with this data.
Bytes Answer(uint16_t id, uint8_t replyClass, const Bytes& data) {
  const auto length = static_cast<uint16_t>(data.size());
  Bytes answer = {1,
                  0,
                  0,
                  0,
                  uint8_t((length + 8) >> 8),
                  uint8_t(length + 8),
                  uint8_t(id >> 8),
                  uint8_t(id),
                  uint8_t(replyClass << 4),
                  0,
                  uint8_t(length >> 8),
                  uint8_t(length),
                  0,
                  0};
  answer.insert(answer.end(), data.begin(), data.end());
  return answer;
}

// A phone whose poll reports `waiting` replies of `size` bytes and whose reply read gives `read`.
PhoneOnBus::Respond Scripted(uint8_t waiting, uint16_t size, Bytes read) {
  return [=](std::span<const uint8_t> request) -> std::optional<Bytes> {
    if (request[0] == 0x41) return Bytes{};
    if (request[1] == 0) return Bytes{0, waiting, uint8_t(size >> 8), uint8_t(size), 0, 0, 0, 0};
    return read;
  };
}

TEST(TP2KAPITest, CommandsAgainstThePhoneAndItsFaults) {
  PhoneOnBus bus;
  P2K p2k(bus);
  std::vector<uint8_t> reply = {9, 9};
  EXPECT_FALSE(p2k.api.SendCommand(0x4A, p2k::FileListPayload(), reply));
  EXPECT_EQ(p2k.log, std::vector<std::string>{"WriteData DevIOCtl fail"});
  EXPECT_EQ(p2k.clock.NowMs(), 0) << "no device: no wait for the request limit";

  p2k.api.StartSearch(false);
  ASSERT_TRUE(p2k.api.SearchForDevice());
  EXPECT_EQ(p2k.Delivered(2), (std::vector<int>{0, 1}));
  EXPECT_TRUE(p2k.api.DevicePresent());
  ASSERT_TRUE(p2k.api.SendCommand(0x4A, p2k::FileCountPayload(), reply));
  EXPECT_EQ(reply, (Bytes{0x00, 0x0B})) << "eleven files match the six patterns";
  const auto sent = bus.Requests();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[0], *p2k::CommandRequest(1, 0x4A, p2k::FileCountPayload()));
  EXPECT_EQ(sent[1], Bytes(p2k::kStatusPollRequest.begin(), p2k::kStatusPollRequest.end()));
  EXPECT_EQ(sent.back(), (Bytes{0xC1, 0x01, 0x01, 0x00, 0x08, 0x00, 0x10, 0x00, 0x00}));

  const auto failsKeepingReply = [&](PhoneOnBus::Respond respond) {
    bus.respond = std::move(respond);
    reply = {7};
    return !p2k.api.SendCommand(0x4A, p2k::FileListPayload(), reply) && reply == Bytes{7};
  };
  EXPECT_TRUE(failsKeepingReply(Scripted(1, 10, Answer(0x8002, 8, {1, 2})))) << "other id";
  EXPECT_TRUE(failsKeepingReply(Scripted(1, 10, Answer(0x8001, 5, {1, 2})))) << "class 5";
  Bytes tooLong = Answer(1, 8, {});
  tooLong[4] = 0x0F;
  tooLong[5] = 0xFC;
  tooLong[10] = 0x0F;
  tooLong[11] = 0xF4;
  EXPECT_TRUE(failsKeepingReply(Scripted(1, 0x0FFC, tooLong))) << "4084 bytes of data";
  bus.respond = Scripted(1, 8, Answer(0x8001, 6, {}));
  EXPECT_TRUE(p2k.api.SendCommand(0x4A, p2k::FileListPayload(), reply));
  EXPECT_TRUE(reply.empty());

  const int64_t start = p2k.clock.NowMs();
  p2k.log.clear();
  EXPECT_TRUE(failsKeepingReply(Scripted(3, 10, Answer(1, 8, {1, 2}))));
  EXPECT_EQ(p2k.clock.NowMs() - start, TP2KAPI::kReplyLimitMs) << "one 1 ms pause per poll";
  EXPECT_EQ(p2k.log, std::vector<std::string>{"USB Time-out"});
}

TEST(TP2KAPITest, ModesAndCandidates) {
  PhoneOnBus bus({"Motorola Flash", "motorola test command", "Motorola Test Command"});
  P2K p2k(bus);
  for (const char* mode : {"", "USB"}) {
    EXPECT_FALSE(p2k.api.SwitchTo(mode));
    ASSERT_FALSE(p2k.shell.messages.empty());
    EXPECT_EQ(p2k.shell.messages.back().text, "Unknown param SwitchTo(), please try again!");
  }
  EXPECT_EQ(p2k.clock.NowMs(), 0) << "refused at once";

  p2k.api.StartSearch(false);
  ASSERT_TRUE(p2k.api.SearchForDevice());
  EXPECT_EQ(p2k.log, (std::vector<std::string>{"Dev name is bus/0", "Motorola Flash",
                                               "Dev name is bus/1", "motorola test command",
                                               "Dev name is bus/2", "Motorola Test Command"}))
      << "the test command interface wins over the flash one listed first";
  EXPECT_TRUE(p2k.api.SwitchTo("At"));
  EXPECT_EQ(bus.Requests().back(), Bytes(p2k::kAtModeRequest.begin(), p2k::kAtModeRequest.end()));
  EXPECT_EQ(bus.phone.Leaving(), emu::P2KLeave::ToAtMode);
  EXPECT_EQ(p2k.clock.NowMs(), TP2KAPI::kSwitchPauseMs);

  PhoneOnBus flashOnly({"Motorola Flash"});
  P2K second(flashOnly);
  second.api.StartSearch(false);
  EXPECT_TRUE(second.api.SearchForDevice()) << "the second candidate";
}

TEST(TP2KAPITest, TheSearchSendsTheModeLineAndRunsOneThreadThatEndsWithTheComponent) {
  PhoneOnBus bus;
  std::vector<int> states;
  {
    P2K p2k(bus);
    PtyLine modem;
    { std::ofstream(p2k.ports.File("phone")) << modem.SlavePath() << '\n'; }
    EXPECT_EQ(p2k.api.FindModemPort(), modem.SlavePath());
    p2k.clock.onPause = [&](int64_t) {
      EXPECT_TRUE(WaitUntil([&] { return p2k.api.DeviceOpen(); }));
    };
    EXPECT_TRUE(p2k.api.SwitchTo("p2k"));
    EXPECT_EQ(modem.Read(1000), "AT+MODE=8\r");
    EXPECT_TRUE(p2k.api.SwitchTo("P2K")) << "joins the running search";
    EXPECT_EQ(p2k.Delivered(2), (std::vector<int>{0, 1}));
    bus.Unplug();
    EXPECT_EQ(p2k.Delivered(1), std::vector<int>{0});
    // The line of the next pass, read as it comes: the master sees a hang-up between passes.
    EXPECT_TRUE(WaitUntil([&] { return modem.Read(0) == "AT+MODE=8\r"; })) << "the next pass";
    EXPECT_EQ(p2k.Delivered(0), std::vector<int>{}) << "the absent state, once";
    // The thread searches on; destroying the component stops it.
  }
  EXPECT_EQ(bus.MostWatching(), 1);
}

}  // namespace
}  // namespace quorix::test
