#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "app/AppState.h"
#include "app/Clock.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "support/Process.h"
#include "support/RecordingShell.h"

namespace quorix {
namespace {

using emu::EmulatorOptions;
using emu::PtyPhoneServer;
using test::RecordingShell;

EmulatorOptions Phone(const std::string& model = "E398") {
  EmulatorOptions options;
  options.model = model;
  return options;
}

struct Link {
  AppState state;
  RecordingShell shell;
  RealClock clock;
  PhoneConnection phone{state, shell, clock};

  explicit Link(const std::string& port) { state.settings.ComPort = port; }
};

TEST(LinkWithEmulatedPhoneTest, ConnectsAndFramesRepliesAsThePhoneSendsThem) {
  EmulatorOptions options = Phone("V3");
  options.errorOn = {"AT+CPBS"};
  PtyPhoneServer server(options);
  Link link(server.Start());
  link.phone.ConnectPhone();
  ASSERT_TRUE(link.state.link.PhoneConnected);
  EXPECT_EQ(link.state.link.PhoneModel, "V3");
  EXPECT_EQ(link.shell.status[2], "Модель: V3");
  EXPECT_EQ(link.shell.notices.back(), "Motorola V3\r\nподключен!");

  std::string reply;
  link.phone.SendATCommand("ATZ", reply);
  EXPECT_EQ(reply, "\nATZ\r\r\nOK\r");
  link.phone.Com().PollTick();
  link.phone.SendATCommand("ATZ", reply);
  EXPECT_EQ(reply, "ATZ\r\r\nOK\r");
  link.phone.Com().PollTick();
  link.phone.SendATCommand("AT+CGMM", reply);
  EXPECT_EQ(reply.rfind("AT+CGMM\r\r\n+CGMM: ", 0), 0u);
  EXPECT_NE(reply.find("\"MODEL=V3\"\r\n\r\nOK\r"), std::string::npos);

  link.phone.Com().PollTick();
  link.phone.SendATCommand("AT+CPBS=\"ME\"", reply);
  EXPECT_EQ(reply, "AT+CPBS=\"ME\"\r\r\nERROR");
  ASSERT_EQ(link.shell.messages.size(), 1u);
  EXPECT_EQ(link.shell.messages[0].text, "AT Command Error: " + reply);

  link.phone.ToolButton2Click();
  EXPECT_FALSE(link.state.link.PhoneConnected);
  link.phone.ReconnectPort();
  EXPECT_TRUE(link.state.link.PhoneConnected);
  EXPECT_EQ(link.state.link.PhoneModel, "V3");
}

TEST(LinkWithEmulatedPhoneTest, SilentPhoneIsNotFound) {
  EmulatorOptions options = Phone();
  options.silent = true;
  PtyPhoneServer server(options);
  AppState state;
  state.settings.ComPort = server.Start();
  RecordingShell shell;
  VirtualClock clock;
  PhoneConnection phone(state, shell, clock);
  phone.ConnectPhone();
  EXPECT_FALSE(state.link.PhoneConnected);
  EXPECT_FALSE(phone.Com().Connected());
  EXPECT_EQ(shell.status[1], "Телефон не найден!");
  EXPECT_EQ(shell.notices.back(), "Мобильный телефон не найден!");
}

TEST(LinkWithEmulatedPhoneTest, PublishedPhoneIsTheChosenUsbModemPort) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorix-published-e2e-" + std::to_string(getpid()));
  setenv("QUORIX_PUBLISHED_PORTS", dir.c_str(), 1);
  EmulatorOptions options = Phone();
  options.publish = true;
  PtyPhoneServer server(options);
  const std::string port = server.Start();
  Link link("COM4");
  link.phone.FindSerialPorts();
  EXPECT_EQ(link.state.settings.ComPort, port);
  ASSERT_FALSE(link.state.settings.PortItems.empty());
  EXPECT_EQ(link.state.settings.PortItems.back(), port);
  link.phone.ConnectPhone();
  EXPECT_TRUE(link.state.link.PhoneConnected);
  server.Stop();
  unsetenv("QUORIX_PUBLISHED_PORTS");
  std::filesystem::remove_all(dir);
}

test::ProcessResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), QUORIX_CLI_PATH);
  return test::RunProcess(args);
}

TEST(LinkWithEmulatedPhoneTest, CliIdentifiesAndTalksToThePhone) {
  PtyPhoneServer server(Phone());
  const std::string port = server.Start();
  auto r = Cli({"--port", port, "identify"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Motorola E398\n");
  EXPECT_EQ(r.err, "");

  r = Cli({"--port", port, "at", "ATZ", "AT+CGMM"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "ATZ\r\r\nOK\r\n"
            "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\",\"MODEL=E398\"\r\n"
            "\r\nOK\r\n");
}

}  // namespace
}  // namespace quorix
