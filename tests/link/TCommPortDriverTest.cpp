#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/Clock.h"
#include "link/TCommPortDriver.h"
#include "support/PtyLine.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

using test::PtyLine;

// A pseudo-terminal hands bytes to the other side asynchronously; wait until they are there.
void AwaitInput(TCommPortDriver& com, uint32_t count) {
  for (int i = 0; i < 200 && com.CountRX() < count; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_GE(com.CountRX(), count);
}

// A driver in virtual time, pointed at a fresh pseudo-terminal but not yet connected.
class TCommPortDriverTest : public ::testing::Test {
 protected:
  TCommPortDriverTest() { com.SetPortName(line.SlavePath()); }

  PtyLine line;
  VirtualClock clock;
  TCommPortDriver com{clock};
};

TEST_F(TCommPortDriverTest, SettersFollowTheirRulesAndClamps) {
  com.SetPort(pnCOM7);
  EXPECT_EQ(com.PortName(), "\\\\.\\COM7");
  com.SetPortName("\\\\.\\COM4");
  EXPECT_EQ(com.Port(), pnCustom);
  com.SetPort(pnCustom);
  EXPECT_EQ(com.PortName(), "\\\\.\\COM4");

  com.SetBaudRate(br115200);
  EXPECT_EQ(com.BaudRateValue(), 115200u);
  com.SetBaudRateValue(12345);
  EXPECT_EQ(com.BaudRate(), brCustom);
  com.SetBaudRate(br256000);
  EXPECT_EQ(com.BaudRateValue(), 256000u);

  com.SetInBufSize(100);
  EXPECT_EQ(com.InBufSize(), 128u);
  com.SetInBufSize(10000);
  EXPECT_EQ(com.InBufSize(), 8192u);
  com.SetOutBufSize(1);
  EXPECT_EQ(com.OutBufSize(), 128u);
  com.SetOutBufSize(9000);
  EXPECT_EQ(com.OutBufSize(), 8192u);

  com.SetPollingDelay(2);
  EXPECT_EQ(com.PollingDelay(), 5);
  com.SetPollingDelay(50);
  com.SetPacketTimeout(30);
  EXPECT_EQ(com.PacketTimeout(), 70);
  com.SetPacketTimeout(0);
  EXPECT_EQ(com.PacketTimeout(), -1);
  com.SetPacketTimeout(40);
  com.SetPollingDelay(100);
  EXPECT_EQ(com.PacketTimeout(), 140);

  com.SetPacketSize(0);
  EXPECT_EQ(com.PacketSize(), -1);
  com.SetInBufSize(2048);
  com.SetPacketSize(4000);
  EXPECT_EQ(com.PacketSize(), 4000);
  EXPECT_EQ(com.InBufSize(), 4000u);
  com.SetPacketSize(20000);
  EXPECT_EQ(com.PacketSize(), 8192);
  EXPECT_EQ(com.InBufSize(), 8192u);
  com.SetPacketSize(16);
  com.SetInBufSize(100);
  EXPECT_EQ(com.InBufSize(), 128u);
  EXPECT_EQ(com.PacketSize(), 16);
}

TEST_F(TCommPortDriverTest, OpensAPseudoTerminalRawAndExclusivelyAndNothingElse) {
  EXPECT_EQ(com.CountRX(), 65535u);
  EXPECT_EQ(com.OutFreeSpace(), 65535u);
  EXPECT_EQ(com.GetLineStatus(), 0u);
  EXPECT_FALSE(com.ApplyCOMSettings());

  com.SetPortName("\\\\.\\" + line.SlavePath());
  ASSERT_TRUE(com.Connect());
  EXPECT_TRUE(com.Connected());
  EXPECT_TRUE(com.Connect());

  termios t{};
  ASSERT_EQ(tcgetattr(line.MasterFd(), &t), 0);
  EXPECT_EQ(t.c_lflag & (ECHO | ICANON), 0u);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & PARENB, 0u);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  com.SetBaudRate(br19200);
  com.SetStopBits(sb2BITS);
  ASSERT_EQ(tcgetattr(line.MasterFd(), &t), 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  com.SetBaudRate(br14400);
  EXPECT_TRUE(com.ApplyCOMSettings());

  com.SetPortName("/dev/null");
  com.SetInBufSize(512);
  com.SetOutBufSize(512);
  EXPECT_EQ(com.PortName(), "\\\\.\\" + line.SlavePath());
  EXPECT_EQ(com.InBufSize(), 2048u);
  EXPECT_EQ(com.OutBufSize(), 2048u);

  TCommPortDriver second(clock);
  second.SetPortName(line.SlavePath());
  EXPECT_FALSE(second.Connect());

  com.Disconnect();
  EXPECT_FALSE(com.Connected());
  EXPECT_TRUE(second.Connect());

  test::TempDir dir;
  test::WriteBytes(dir.File("not-a-tty"), "x");
  TCommPortDriver third(clock);
  third.SetPortName(dir.File("not-a-tty"));
  EXPECT_FALSE(third.Connect());
  third.SetPortName("/dev/quorix-no-such-port");
  EXPECT_FALSE(third.Connect());
  EXPECT_FALSE(third.Connected());
}

TEST_F(TCommPortDriverTest, ReadsAndWritesWithinTheirLimits) {
  uint8_t byte = 'z';
  EXPECT_FALSE(com.ReadByte(byte));
  EXPECT_EQ(com.SendData("x", 1), 0u);
  ASSERT_TRUE(com.Connect());

  const int64_t before = clock.NowMs();
  EXPECT_FALSE(com.ReadByte(byte));
  EXPECT_EQ(byte, 'z');
  EXPECT_GT(clock.NowMs() - before, 200);
  EXPECT_LE(clock.NowMs() - before, 210);

  EXPECT_TRUE(com.SendString(""));
  EXPECT_EQ(line.Read(50), "");
  EXPECT_TRUE(com.SendString("AT\r\n"));
  EXPECT_EQ(line.Read(1000), "AT\r\n");

  line.Write("OK");
  AwaitInput(com, 2);
  EXPECT_TRUE(com.ReadByte(byte));
  EXPECT_EQ(byte, 'O');
  char rest[4] = {};
  EXPECT_EQ(com.ReadData(rest, 4), 1u);
  EXPECT_EQ(rest[0], 'K');

  com.SetCheckLineStatus(true);
  EXPECT_FALSE(com.SendString("AT\r\n"));
  EXPECT_EQ(line.Read(50), "");
}

TEST_F(TCommPortDriverTest, ReadingWaitsForBytesStillOnTheWayAndGetsEveryByteInOrder) {
  RealClock realClock;
  TCommPortDriver real(realClock);
  real.SetPortName(line.SlavePath());
  ASSERT_TRUE(real.Connect());
  std::thread late([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    line.Write("AB");
  });
  char got[2] = {};
  EXPECT_EQ(real.ReadData(got, 2), 2u);
  late.join();
  EXPECT_EQ(std::string(got, 2), "AB");

  std::string sent;
  for (int i = 0; i < 10000; ++i) sent.push_back(static_cast<char>('a' + i % 26));
  std::thread writer([&] { line.Write(sent); });
  std::string all(sent.size(), '\0');
  uint8_t first = 0;
  ASSERT_TRUE(real.ReadByte(first));
  all[0] = static_cast<char>(first);
  EXPECT_EQ(real.ReadData(all.data() + 1, 9999), 9999u);
  writer.join();
  EXPECT_EQ(all, sent);
}

TEST_F(TCommPortDriverTest, PollingTickDropsOrDeliversUnaskedBytes) {
  com.PollTick();
  ASSERT_TRUE(com.Connect());

  line.Write("\n");
  AwaitInput(com, 1);
  com.PollTick();
  EXPECT_EQ(com.CountRX(), 0u);

  std::string delivered;
  com.SetOnReceiveData([&](TCommPortDriver& sender, const uint8_t* data, uint32_t size) {
    EXPECT_EQ(&sender, &com);
    delivered.append(reinterpret_cast<const char*>(data), size);
  });
  line.Write("RING");
  AwaitInput(com, 4);
  com.PausePolling();
  com.PollTick();
  EXPECT_EQ(delivered, "");
  com.ContinuePolling();
  com.PollTick();
  EXPECT_EQ(delivered, "RING");
}

// One read takes what the kernel holds; callers still see the bytes not yet taken as waiting in
// the port, as the polling tick and the next exchange rely on.
TEST_F(TCommPortDriverTest, BytesReadAheadStayInTheReceiveQueue) {
  ASSERT_TRUE(com.Connect());
  std::string delivered;
  com.SetOnReceiveData([&](TCommPortDriver&, const uint8_t* data, uint32_t size) {
    delivered.append(reinterpret_cast<const char*>(data), size);
  });

  line.Write("OK\r\nRING");
  AwaitInput(com, 8);
  std::string reply;
  for (int i = 0; i < 3; ++i) {
    uint8_t byte = 0;
    ASSERT_TRUE(com.ReadByte(byte));
    reply.push_back(static_cast<char>(byte));
  }
  EXPECT_EQ(reply, "OK\r");
  EXPECT_EQ(com.CountRX(), 5u);
  com.PollTick();
  EXPECT_EQ(delivered, "\nRING");
  EXPECT_EQ(com.CountRX(), 0u);

  line.Write("ABC");
  AwaitInput(com, 3);
  uint8_t byte = 0;
  ASSERT_TRUE(com.ReadByte(byte));
  EXPECT_EQ(com.CountRX(), 2u);
  ASSERT_TRUE(com.FlushBuffers(true, false));
  EXPECT_EQ(com.CountRX(), 0u);
  EXPECT_FALSE(com.ReadByte(byte)) << "a flush drops what was read ahead";

  line.Write("xyz");
  AwaitInput(com, 3);
  ASSERT_TRUE(com.ReadByte(byte));
  com.Disconnect();
  ASSERT_TRUE(com.Connect());
  EXPECT_EQ(com.CountRX(), 0u) << "nothing read ahead outlives the connection";
}

TEST_F(TCommPortDriverTest, PacketModeCutsPacketsAndFlushesTheRestAtItsTimeout) {
  com.SetPacketSize(4);
  com.SetPacketTimeout(100);
  com.SetPacketMode(pmPass);
  std::vector<std::string> packets;
  com.SetOnReceivePacket([&](TCommPortDriver&, const uint8_t* data, uint32_t size) {
    packets.emplace_back(reinterpret_cast<const char*>(data), size);
  });
  ASSERT_TRUE(com.Connect());

  line.Write("abcdefghxy");
  AwaitInput(com, 10);
  com.PollTick();
  EXPECT_EQ(packets, (std::vector<std::string>{"abcd", "efgh"}));
  com.PollTick();
  clock.SleepMs(100);
  com.PollTick();
  EXPECT_EQ(packets.size(), 2u);
  clock.SleepMs(1);
  com.PollTick();
  EXPECT_EQ(packets, (std::vector<std::string>{"abcd", "efgh", "xy"}));

  com.SetPacketMode(pmDiscard);
  line.Write("zz");
  AwaitInput(com, 2);
  com.PollTick();
  clock.SleepMs(200);
  com.PollTick();
  EXPECT_EQ(packets.size(), 3u);
  EXPECT_EQ(com.CountRX(), 0u);
}

}  // namespace
}  // namespace quorix
