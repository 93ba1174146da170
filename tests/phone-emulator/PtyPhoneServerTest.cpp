#include "phone-emulator/PtyPhoneServer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "support/Hex.h"
#include "support/TempDir.h"
#include "support/TerminalClient.h"

namespace quorix::emu {
namespace {

using namespace std::chrono_literals;
using test::Hex;
using test::ReadBytes;
using test::TempDir;
using test::TerminalClient;
namespace fs = std::filesystem;

const std::string kOk = "\r\nOK\r\n";

// Sends one command as the program does (CR LF) and reads up to the final result.
std::string Exchange(TerminalClient& client, const std::string& command) {
  client.Send(command + "\r\n");
  const std::string head = client.ReadUntil("\r\n");
  std::string text = head;
  while (text.find("\r\nOK\r\n") == std::string::npos &&
         text.find("\r\nERROR\r\n") == std::string::npos) {
    const std::string more = client.ReadUntil("\r\n");
    if (more.empty()) break;
    text += more;
  }
  return text;
}

TEST(PtyPhoneServerTest, ServesTheSamplePhoneOnARawTerminal) {
  EmulatorOptions options;
  options.sample = true;
  PtyPhoneServer server(options);
  const std::string path = server.Start();
  EXPECT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;

  TerminalClient client(path);
  ASSERT_TRUE(client.IsOpen());
  client.Send("ATZ\r");
  EXPECT_EQ(client.ReadUntil("OK\r\n"), "ATZ\r\r\nOK\r\n");

  EXPECT_EQ(Exchange(client, "AT+CSCS=UCS2"), "AT+CSCS=UCS2\r" + kOk);
  const std::string written = "\"+79995550011\",145," + Hex("Щука Ёлкина") +
                              ",3,0,255,0,1,5,255,255,0,,0,0,,," + Hex("Тула") +
                              ",,,,,\"01-31-2000\"";
  EXPECT_EQ(Exchange(client, "AT+MPBW=10," + written), "AT+MPBW=10," + written + "\r" + kOk);
  EXPECT_EQ(Exchange(client, "AT+MPBR=10,10"),
            "AT+MPBR=10,10\r\r\n+MPBR: 10," + written + ",\"\"\r\n" + kOk);

  server.Inspect([](const EmulatedPhone& phone) {
    ASSERT_NE(phone.Record(10), nullptr);
    EXPECT_EQ(DecodeUcs2Hex(phone.Record(10)->name), "Щука Ёлкина");
    EXPECT_EQ(DecodeUcs2Hex(phone.Record(10)->address[2]), "Тула");
  });
}

TEST(PtyPhoneServerTest, ClientsComeAndGoWhileThePhoneStays) {
  EmulatorOptions options;
  options.sample = true;
  options.fill = 900;
  options.baud = 19200;
  PtyPhoneServer server(options);
  const std::string path = server.Start();
  {
    TerminalClient first(path);
    EXPECT_EQ(Exchange(first, "ATE0"), "ATE0\r" + kOk);
    // Leaves in the middle of a long reply.
    first.Send("AT+MPBR=1,1000\r\n");
    EXPECT_EQ(first.ReadUntil("+MPBR: 1,"), "\r\n+MPBR: 1,");
  }
  // Once the phone has seen the line fall idle, what was still to come went to nobody; the phone
  // keeps its settings.
  std::this_thread::sleep_for(200ms);
  TerminalClient second(path);
  ASSERT_TRUE(second.IsOpen());
  EXPECT_EQ(second.ReadFor(300ms), "");
  EXPECT_EQ(Exchange(second, "AT"), kOk);
  {
    TerminalClient third(path);
    EXPECT_EQ(Exchange(third, "ATE1"), kOk);
  }
  EXPECT_EQ(Exchange(second, "AT"), "AT\r" + kOk);
}

TEST(PtyPhoneServerTest, TranscriptShowsEveryExchangeAfterTheReplyDelay) {
  TempDir dir;
  EmulatorOptions options;
  options.logPath = dir.File("phone.log");
  options.replyDelayMs = 250;
  options.errorOn = {"AT+CGMM"};
  {
    PtyPhoneServer server(options);
    TerminalClient client(server.Start());
    EXPECT_EQ(Exchange(client, "ATZ"), "ATZ\r" + kOk);
    EXPECT_EQ(Exchange(client, "AT+CGMM"), "AT+CGMM\r\r\nERROR\r\n");
    EXPECT_EQ(Exchange(client, "AT+CGMI"),
              "AT+CGMI\r\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n" + kOk);
  }
  const std::string log = ReadBytes(dir.File("phone.log"));
  for (const char* expected :
       {" < ATZ\n", " > ATZ\\r\n", " > \\r\\nOK\\r\\n\n", " < AT+CGMM\n", " > \\r\\nERROR\\r\\n\n",
        " < AT+CGMI\n", " > \\r\\n+CGMI: \"Motorola CE, Copyright 2000\"\\r\\n\\r\\nOK\\r\\n\n"}) {
    EXPECT_NE(log.find(expected), std::string::npos) << expected << " in\n" << log;
  }
  // Each line starts with its time; the reply goes out the delay after the command came in. The
  // stamps are taken a little after the phone's own times and cut to milliseconds, and a busy
  // machine widens that: a reply sent at once would be some 250 ms short, not a few.
  const size_t received = log.find(" < ATZ\n");
  const size_t reply = log.find(" > \\r\\nOK\\r\\n\n");
  ASSERT_NE(received, std::string::npos);
  ASSERT_NE(reply, std::string::npos);
  const auto millisOfDay = [&log](size_t lineEnd) {
    const size_t start = log.rfind('\n', lineEnd) + 1;
    const std::string t = log.substr(start + 11, 12);  // hh:mm:ss.mmm
    return ((std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2))) * 60 +
            std::stoi(t.substr(6, 2))) *
               1000 +
           std::stoi(t.substr(9, 3));
  };
  EXPECT_GE((millisOfDay(reply) - millisOfDay(received) + 86400000) % 86400000, 200);
}

TEST(PtyPhoneServerTest, SilentPhoneHearsButNeverAnswers) {
  TempDir dir;
  EmulatorOptions options;
  options.silent = true;
  options.logPath = dir.File("silent.log");
  {
    PtyPhoneServer server(options);
    TerminalClient client(server.Start());
    client.Send("ATZ\r\n");
    EXPECT_EQ(client.ReadFor(500ms), "");
    EXPECT_EQ(server.BytesSent(), 0);
  }
  const std::string log = ReadBytes(dir.File("silent.log"));
  EXPECT_NE(log.find(" < ATZ\n"), std::string::npos) << log;
  EXPECT_EQ(log.find(" > "), std::string::npos) << log;
}

TEST(PtyPhoneServerTest, HangsUpAfterTheGivenNumberOfBytes) {
  TempDir dir;
  setenv("QUORIX_PUBLISHED_PORTS", dir.path().c_str(), 1);
  EmulatorOptions options;
  options.hangupAfter = 12;
  options.publish = true;
  PtyPhoneServer server(options);
  TerminalClient client(server.Start());
  EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename().string().rfind("emulator-", 0),
            0u);
  EXPECT_EQ(Exchange(client, "ATZ"), "ATZ\r" + kOk) << "10 bytes";
  client.Send("AT+CGMI\r\n");
  EXPECT_EQ(client.ReadFor(300ms), "AT");
  EXPECT_TRUE(client.LineDropped());
  EXPECT_TRUE(server.HungUp());
  EXPECT_EQ(server.BytesSent(), 12);
  EXPECT_TRUE(fs::is_empty(dir.path())) << "a dropped port leaves the port map";
  unsetenv("QUORIX_PUBLISHED_PORTS");
}

TEST(PtyPhoneServerTest, P2KDeviceAppearsAfterItsOwnDelay) {
  TempDir dir;
  setenv("QUORIX_PUBLISHED_PORTS", dir.path().c_str(), 1);
  EmulatorOptions options;
  options.model = "late-p2k";
  options.publish = true;
  options.usbDelayMs = 30;
  options.p2kDelayMs = 600;
  PtyPhoneServer server(options);
  TerminalClient client(server.Start());
  const auto sent = std::chrono::steady_clock::now();
  client.Send("AT+MODE=8\r\n");
  const auto deadline = sent + 5s;
  while (server.State() != PtyPhoneServer::UsbState::P2KMode &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(server.State(), PtyPhoneServer::UsbState::P2KMode);
  EXPECT_GE(std::chrono::steady_clock::now() - sent, 600ms) << "not after the USB delay";
  unsetenv("QUORIX_PUBLISHED_PORTS");
}

TEST(PtyPhoneServerTest, PublishesThePortWhileServing) {
  TempDir dir;
  const fs::path ports = fs::path(dir.path()) / "ports";
  setenv("QUORIX_PUBLISHED_PORTS", ports.c_str(), 1);
  EmulatorOptions options;
  options.publish = true;
  {
    PtyPhoneServer first(options);
    PtyPhoneServer second(options);
    const std::string firstPath = first.Start();
    const std::string secondPath = second.Start();
    const std::string base = "emulator-" + std::to_string(getpid());
    EXPECT_EQ(ReadBytes(ports / base), firstPath + "\n");
    EXPECT_EQ(ReadBytes(ports / (base + "-1")), secondPath + "\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(ports), fs::directory_iterator()), 2);
    first.Stop();
    EXPECT_FALSE(fs::exists(ports / base));
    EXPECT_TRUE(fs::exists(ports / (base + "-1")));
  }
  EXPECT_TRUE(fs::is_empty(ports)) << "the destructor withdraws it too";
  EXPECT_EQ(fs::status(ports).permissions(), fs::perms::owner_all) << "made for the user alone";

  // A folder that Quorix would not read is refused, not published into.
  fs::permissions(ports, fs::perms::all);
  PtyPhoneServer refused(options);
  try {
    refused.Start();
    ADD_FAILURE() << "published into a folder open to all";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("refusing to publish in " + ports.string()),
              std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(fs::is_empty(ports));
  unsetenv("QUORIX_PUBLISHED_PORTS");
}

TEST(PtyPhoneServerTest, LineNoiseEndlessAndLateRepliesForTheFaultMatrix) {
  EmulatorOptions options;
  options.sample = true;
  options.garbageOn = {"AT+CGMI"};
  options.endlessOn = {"AT+MPBR"};
  options.delayOn = {"AT+CGMM"};
  options.replyDelayMs = 300;
  PtyPhoneServer server(options);
  TerminalClient client(server.Start());
  const std::string noisy = Exchange(client, "AT+CGMI");
  EXPECT_GT(noisy.size(), 48u + 30u);
  EXPECT_EQ(noisy.substr(noisy.size() - kOk.size()), kOk) << "the final code still comes";

  const auto sent = std::chrono::steady_clock::now();
  EXPECT_EQ(Exchange(client, "AT"), "AT\r" + kOk) << "no delay for other commands";
  EXPECT_LT(std::chrono::steady_clock::now() - sent, 250ms);
  EXPECT_NE(Exchange(client, "AT+CGMM").find("MODEL=E398"), std::string::npos);
  EXPECT_GE(std::chrono::steady_clock::now() - sent, 300ms);

  client.Send("AT+MPBR=1,10\r\n");
  const std::string flood = client.ReadFor(200ms);
  EXPECT_GT(flood.size(), 10000u);
  EXPECT_EQ(flood.find("OK"), std::string::npos);
  // A new command ends the stream.
  EXPECT_NE(Exchange(client, "ATZ").find("ATZ\r" + kOk), std::string::npos);
}

}  // namespace
}  // namespace quorix::emu
