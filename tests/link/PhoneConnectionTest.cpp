#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/AppState.h"
#include "base/Clock.h"
#include "base/Conversion.h"
#include "codec/CodePage.h"
#include "link/PhoneConnection.h"
#include "support/Link.h"
#include "support/PtyLine.h"
#include "support/RecordingShell.h"

namespace quorix {
namespace {

using test::EchoOk;
using Link = test::Link<>;
using test::PtyLine;
using test::RecordingShell;

const std::string kModelReply = "+CGMM: \"GSM900\",\"GSM1800\",\"MODEL=E398\"";

std::string AnswerLikeE398(const std::string& line) {
  if (line == "AT+CGMM") return EchoOk(line, kModelReply);
  return EchoOk(line);
}

// Opens the port the way the connect sequence does, without talking to anything yet.
void OpenPort(PhoneConnection& phone, const std::string& port) {
  phone.Com().SetPortName("\\\\.\\" + port);
  ASSERT_TRUE(phone.Com().Connect());
}

TEST(PhoneConnectionTest, RepliesAreFramedUpToOkAndOneMoreCharacterOrUpToError) {
  PtyLine line;
  Link link(line.SlavePath());
  OpenPort(link.phone, line.SlavePath());

  std::string reply = "untouched";
  link.phone.SendATCommand("", reply);
  EXPECT_EQ(reply, "untouched");
  EXPECT_EQ(line.Read(50), "");

  line.Write("ATZ\r\r\nOK\r\n");
  link.phone.SendATCommand("ATZ", reply);
  EXPECT_EQ(line.Read(1000), "ATZ\r\n");
  EXPECT_EQ(reply, "ATZ\r\r\nOK\r");

  // No polling tick ran: the line feed left over from the last reply opens this one.
  line.Write(EchoOk("AT+CGMM", kModelReply));
  link.phone.SendATCommand("AT+CGMM", reply);
  EXPECT_EQ(reply, "\nAT+CGMM\r\r\n" + kModelReply + "\r\n\r\nOK\r");

  line.Write("AT\r\r\nOK\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  link.phone.Com().PollTick();
  line.Write("AT\r\r\nOK\r\n");
  link.phone.SendATCommand("AT", reply);
  EXPECT_EQ(reply, "AT\r\r\nOK\r");
  link.phone.Com().PollTick();
  EXPECT_TRUE(link.shell.messages.empty());

  line.Write("AT+CPBS=\"XX\"\r\r\n+CME ERROR: 4\r\n");
  link.phone.SendATCommand("AT+CPBS=\"XX\"", reply);
  EXPECT_EQ(reply, "AT+CPBS=\"XX\"\r\r\n+CME ERROR");
  ASSERT_EQ(link.shell.messages.size(), 1u);
  EXPECT_EQ(link.shell.messages[0].text, "AT Command Error: " + reply);
  EXPECT_EQ(link.shell.messages[0].caption, "Quorix");
  {
    // A question the phone may not know: its ERROR goes to the log only.
    const QuietQuestions quiet(link.phone);
    line.Write("AT+MPGR=?\r\r\nERROR\r\n");
    link.phone.SendATCommand("AT+MPGR=?", reply);
  }
  EXPECT_EQ(link.shell.messages.size(), 1u);

  link.phone.Com().PollTick();
  line.Write("OK");
  link.phone.SendATCommand("AT", reply);
  EXPECT_EQ(reply, "OK");
}

TEST(PhoneConnectionTest, ConnectsIdentifiesAndDisconnects) {
  PtyLine line;
  line.AnswerWith(AnswerLikeE398);
  Link link(line.SlavePath());
  link.phone.ToolButton2Click();
  EXPECT_TRUE(link.shell.notices.empty());

  link.phone.ToolButton1Click();
  EXPECT_TRUE(link.state.link.PhoneConnected);
  EXPECT_TRUE(link.phone.Com().Connected());
  EXPECT_EQ(link.state.link.PhoneModel, "E398");
  EXPECT_EQ(link.shell.status[0], std::string("Статус: Подключен :)"));
  EXPECT_EQ(link.shell.status[1], "");
  EXPECT_EQ(link.shell.status[2], std::string("Модель: E398"));
  ASSERT_EQ(link.shell.notices.size(), 1u);
  EXPECT_EQ(link.shell.notices[0], std::string("Motorola E398\r\nподключен!"));
  EXPECT_EQ(line.Lines(), (std::vector<std::string>{"ATZ", "AT+CGMM"}));
  EXPECT_TRUE(link.phone.RequireConnection());

  link.phone.ToolButton1Click();
  EXPECT_EQ(line.Lines().size(), 2u);

  link.shell.status[2] = "stale";
  link.phone.ToolButton2Click();
  EXPECT_FALSE(link.state.link.PhoneConnected);
  EXPECT_FALSE(link.phone.Com().Connected());
  EXPECT_EQ(link.shell.status[0], std::string("Статус: Отключен"));
  EXPECT_EQ(link.shell.status[2], "");
  EXPECT_EQ(link.shell.notices.back(), std::string("Телефон отключен!"));

  EXPECT_FALSE(link.phone.RequireConnection());
  ASSERT_EQ(link.shell.messages.size(), 1u);
  EXPECT_EQ(link.shell.messages[0].caption, std::string("Внимание!"));
  EXPECT_EQ(link.shell.messages[0].text, std::string("Подключитесь к телефону!"));
  EXPECT_EQ(link.shell.messages[0].icon, MessageIcon::Warning);
}

TEST(PhoneConnectionTest, ModelWithoutEqualsSignIsTheReplyLessItsLastEightCharacters) {
  PtyLine line;
  line.AnswerWith([](const std::string& l) { return EchoOk(l, l == "AT+CGMM" ? "V3" : ""); });
  Link link(line.SlavePath());
  link.phone.ConnectPhone();
  EXPECT_TRUE(link.state.link.PhoneConnected);
  // Without the closing quote only seven characters follow the name: the cut takes one of it.
  EXPECT_EQ(link.state.link.PhoneModel, "AT+CGMM\r\r\nV");
}

TEST(PhoneConnectionTest, FailedIdentificationClosesThePortSoTheNextConnectTakesTheNewChoice) {
  PtyLine wrong;
  wrong.AnswerWith([](const std::string& l) { return l + "\r\r\nERROR\r\n"; });
  Link link(wrong.SlavePath());
  link.phone.ConnectPhone();
  EXPECT_FALSE(link.state.link.PhoneConnected);
  EXPECT_FALSE(link.phone.Com().Connected());
  EXPECT_EQ(link.shell.status[0], std::string("Статус: Отключен"));
  EXPECT_EQ(link.shell.status[1], std::string("Телефон не найден!"));
  EXPECT_EQ(link.shell.notices.back(), std::string("Мобильный телефон не найден!"));

  PtyLine right;
  right.AnswerWith(AnswerLikeE398);
  link.state.settings.ComPort = right.SlavePath();
  link.phone.ToolButton1Click();
  EXPECT_TRUE(link.state.link.PhoneConnected);
  EXPECT_EQ(link.phone.Com().PortName(), "\\\\.\\" + right.SlavePath());

  Link nowhere("/dev/quorix-no-such-port");
  nowhere.phone.ConnectPhone();
  EXPECT_FALSE(nowhere.state.link.PhoneConnected);
  EXPECT_EQ(nowhere.shell.status[1], std::string("Телефон не найден!"));
}

// Virtual time for a phone that does answer on another thread: each fd wait gives the answer a
// few real milliseconds to come before the virtual timeout is counted. Data that came may be
// taken to have come after stepOnDataMs.
class PatientVirtualClock : public Clock {
 public:
  explicit PatientVirtualClock(int64_t stepOnDataMs = 0) : stepOnDataMs_(stepOnDataMs) {}
  int64_t NowMs() override { return now_; }
  void SleepMs(int64_t ms) override { now_ += ms > 0 ? ms : 0; }
  int64_t WallSeconds() override { return VirtualClock::kVirtualEpoch + now_ / 1000; }
  bool WaitFd(int fd, short events, int64_t timeoutMs) override {
    pollfd p{fd, events, 0};
    const bool ready = poll(&p, 1, 20) > 0;
    SleepMs(ready ? stepOnDataMs_ : timeoutMs);
    return ready;
  }

 private:
  int64_t now_ = 0;
  int64_t stepOnDataMs_;
};

TEST(PhoneConnectionTest, EmptyModelReplyFailsTheConnection) {
  PtyLine line;
  // A phone that ends its "OK" without a line feed leaves nothing over for the next reply.
  line.AnswerWith([](const std::string& l) { return l == "ATZ" ? l + "\r\r\nOK\r" : ""; });
  test::Link<PatientVirtualClock> link(line.SlavePath());
  link.phone.ConnectPhone();
  EXPECT_FALSE(link.state.link.PhoneConnected);
  EXPECT_FALSE(link.phone.Com().Connected());
  ASSERT_EQ(link.shell.messages.size(), 1u);
  EXPECT_EQ(link.shell.messages[0].text, "error in check phone model");
}

TEST(PhoneConnectionTest, SilentPhoneIsGivenUpAfterFiveSecondsWithoutAByte) {
  PtyLine line;
  test::Link<VirtualClock> link(line.SlavePath());
  link.phone.ConnectPhone();
  EXPECT_GE(link.clock.NowMs(), PhoneConnection::kReplySilenceMs);
  EXPECT_LE(link.clock.NowMs(), PhoneConnection::kReplySilenceMs + 250);
  EXPECT_FALSE(link.state.link.PhoneConnected);
  EXPECT_EQ(link.shell.status[1], std::string("Телефон не найден!"));
  EXPECT_EQ(line.Read(100), "ATZ\r\n");

  std::string reply = "x";
  link.phone.SendATCommand("AT", reply);
  EXPECT_EQ(reply, "");
}

// Checks at each pause whether the phone has already been sent anything.
class WatchingClock : public Clock {
 public:
  explicit WatchingClock(int master) : master_(master) {}
  int64_t NowMs() override { return inner_.NowMs(); }
  int64_t WallSeconds() override { return inner_.WallSeconds(); }
  void SleepMs(int64_t ms) override {
    pollfd p{master_, POLLIN, 0};
    sentBeforeSleep_ = poll(&p, 1, 20) > 0 && (p.revents & POLLIN);
    sleeps_.push_back(ms);
    inner_.SleepMs(ms);
  }
  bool WaitFd(int fd, short events, int64_t timeoutMs) override {
    return inner_.WaitFd(fd, events, timeoutMs);
  }
  std::vector<int64_t> sleeps_;
  bool sentBeforeSleep_ = true;

 private:
  int master_;
  VirtualClock inner_;
};

TEST(PhoneConnectionTest, EventsRunWhileAReplyIsAwaitedAndASilentPhoneIsDisconnected) {
  PtyLine line;
  line.AnswerWith([](const std::string& l) {
    if (l == "AT+MUTE") return std::string();
    if (l == "AT+SLOW") std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return AnswerLikeE398(l);
  });
  test::Link<PatientVirtualClock> link(line.SlavePath());
  link.phone.ConnectPhone();
  ASSERT_TRUE(link.state.link.PhoneConnected);
  const int eventsBefore = link.shell.processEventsCount;
  const int waitsBefore = link.shell.waits;
  std::string reply;
  link.phone.SendATCommand("AT+SLOW", reply);
  EXPECT_EQ(reply, "\nAT+SLOW\r\r\nOK\r");
  EXPECT_GT(link.shell.processEventsCount, eventsBefore) << "the window repaints meanwhile";
  EXPECT_EQ(link.shell.waits, waitsBefore + 1);
  EXPECT_FALSE(link.shell.waiting);
  EXPECT_TRUE(link.state.link.PhoneConnected);

  link.phone.SendATCommand("AT+MUTE", reply);
  EXPECT_FALSE(link.state.link.PhoneConnected);
  EXPECT_FALSE(link.phone.Com().Connected());
  EXPECT_EQ(link.shell.status[0], std::string("Статус: Отключен"));
  EXPECT_EQ(link.shell.status[1], std::string("Телефон не найден!"));
  EXPECT_EQ(link.shell.status[2], "");
  EXPECT_EQ(link.shell.notices.back(), std::string("Мобильный телефон не найден!"));
  EXPECT_TRUE(link.shell.messages.empty());
}

TEST(PhoneConnectionTest, AnIdentificationWithoutAModelFails) {
  for (const std::string& answer :
       {std::string("AT+CGMM\r\r\nOK\r\n"), std::string("AT+CGMM\r\r\nERROR\r\n"),
        std::string("AT+CGMM\r\r\n+CGMM: \"GSM900\",\"MOD")}) {
    PtyLine line;
    line.AnswerWith([&](const std::string& l) { return l == "ATZ" ? EchoOk(l) : answer; });
    test::Link<PatientVirtualClock> link(line.SlavePath());
    link.phone.ConnectPhone();
    EXPECT_FALSE(link.state.link.PhoneConnected) << answer;
    EXPECT_FALSE(link.phone.Com().Connected());
    EXPECT_NE(link.shell.status[0], std::string("Статус: Подключен :)"));
  }
}

// Each byte of the phone comes 4 s after the one before: never silent long enough to be given up.
struct TrickleClock : PatientVirtualClock {
  TrickleClock() : PatientVirtualClock(4000) {}
};

TEST(PhoneConnectionTest, RepliesThatNeverEndAreGivenUpAtTheirBounds) {
  PtyLine line;
  std::atomic<bool> trickling{false};
  line.AnswerWith([&](const std::string& l) {
    if (l == "AT+FLOOD") {
      std::string flood = l + "\r";
      while (flood.size() <= PhoneConnection::kMaxReplyBytes) flood += "\r\n+MPBR: 1,\"1\",129\r\n";
      return flood;
    }
    if (l == "AT+DRIP") {
      trickling = true;
      return l + "\r";
    }
    return AnswerLikeE398(l);
  });
  std::atomic<bool> stop{false};
  std::thread dripper([&] {
    while (!stop) {
      if (trickling) line.Write("+");
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });

  test::Link<TrickleClock> link(line.SlavePath());
  link.phone.ConnectPhone();
  ASSERT_TRUE(link.state.link.PhoneConnected);
  std::string reply;
  link.phone.SendATCommand("AT+DRIP", reply);
  trickling = false;
  EXPECT_GE(link.clock.NowMs(), link.phone.ReplyTimeLimitMs());
  EXPECT_LT(link.clock.NowMs(), link.phone.ReplyTimeLimitMs() + 30000);
  EXPECT_FALSE(link.state.link.PhoneConnected);
  ASSERT_EQ(link.shell.messages.size(), 1u);
  EXPECT_EQ(link.shell.messages[0].text,
            std::string("Ответ телефона не кончается: обмен прерван."));

  test::Link<PatientVirtualClock> flooded(line.SlavePath());
  flooded.phone.ConnectPhone();
  ASSERT_TRUE(flooded.state.link.PhoneConnected);
  flooded.phone.SendATCommand("AT+FLOOD", reply);
  EXPECT_EQ(reply.size(), PhoneConnection::kMaxReplyBytes);
  EXPECT_FALSE(flooded.state.link.PhoneConnected);
  stop = true;
  dripper.join();
}

TEST(PhoneConnectionTest, BluetoothUsesItsOwnPortAndWaitsBeforeTheFirstCommand) {
  PtyLine line;
  AppState state;
  state.settings.ComPort = "/dev/quorix-no-such-port";
  state.settings.Bluetooth = true;
  state.settings.BCom = line.SlavePath();
  state.settings.BTimeout = "1500";
  RecordingShell shell;
  WatchingClock clock(line.MasterFd());
  PhoneConnection phone(state.settings, state.link, shell, clock);
  phone.ConnectPhone();
  EXPECT_EQ(clock.sleeps_, std::vector<int64_t>{1500});
  EXPECT_FALSE(clock.sentBeforeSleep_);
  EXPECT_EQ(line.Read(100), "ATZ\r\n");

  state.settings.BTimeout = "1,5 s";
  try {
    phone.ConnectPhone();
    ADD_FAILURE() << "a wait that is no number went through";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'1,5 s' is not a valid integer value");
  }
  EXPECT_FALSE(state.link.PhoneConnected);
  EXPECT_FALSE(phone.Com().Connected());
}

TEST(PhoneConnectionTest, ReconnectPortRetriesAndGivesUpAfterAMinute) {
  test::Link<VirtualClock> link("");
  link.phone.Com().SetPortName("/dev/quorix-no-such-port");
  link.state.link.PhoneConnected = true;
  link.phone.ReconnectPort();
  EXPECT_FALSE(link.state.link.PhoneConnected);
  EXPECT_GE(link.clock.NowMs(), PhoneConnection::kReconnectLimitMs);
  EXPECT_LT(link.clock.NowMs(), PhoneConnection::kReconnectLimitMs + 600);
  EXPECT_EQ(link.shell.processEventsCount, PhoneConnection::kReconnectLimitMs / 300);
  EXPECT_EQ(link.shell.status[1], std::string("Телефон не найден!"));
  EXPECT_EQ(link.shell.notices.back(), std::string("Мобильный телефон не найден!"));

  PtyLine line;
  link.state.link.PhoneModel = "E398";
  link.phone.Com().SetPortName(line.SlavePath());
  link.phone.ReconnectPort();
  EXPECT_TRUE(link.state.link.PhoneConnected);
  EXPECT_TRUE(link.phone.Com().Connected());
  EXPECT_EQ(link.state.link.PhoneModel, "E398");
}

}  // namespace
}  // namespace quorix
