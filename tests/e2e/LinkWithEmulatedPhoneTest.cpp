#include <gtest/gtest.h>

#include <cstdlib>

#include "app/AppState.h"
#include "base/Clock.h"
#include "codec/CodePage.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "support/Link.h"
#include "support/Process.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

using emu::EmulatorOptions;
using emu::PtyPhoneServer;
using Link = test::Link<>;

EmulatorOptions Phone(const std::string& model = "E398") {
  EmulatorOptions options;
  options.model = model;
  return options;
}

TEST(LinkWithEmulatedPhoneTest, ConnectsAndFramesRepliesAsThePhoneSendsThem) {
  EmulatorOptions options = Phone("V3");
  options.errorOn = {"AT+CPBS"};
  PtyPhoneServer server(options);
  Link link(server.Start());
  link.phone.ConnectPhone();
  ASSERT_TRUE(link.state.link.PhoneConnected);
  EXPECT_EQ(link.state.link.PhoneModel, "V3");
  EXPECT_EQ(link.shell.status[2], std::string("Модель: V3"));
  EXPECT_EQ(link.shell.notices.back(), std::string("Motorola V3\r\nподключен!"));

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

TEST(LinkWithEmulatedPhoneTest, PublishedPhoneIsTheChosenUsbModemPort) {
  test::TempDir dir;
  setenv("QUORIX_PUBLISHED_PORTS", dir.path().c_str(), 1);
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
}

TEST(LinkWithEmulatedPhoneTest, CliIdentifiesAndTalksToThePhone) {
  PtyPhoneServer server(Phone());
  const std::string port = server.Start();
  auto r = test::RunCli({"--port", port, "identify"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Motorola E398\n");
  EXPECT_EQ(r.err, "");

  r = test::RunCli({"--port", port, "at", "ATZ", "AT+CGMM"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "ATZ\r\r\nOK\r\n"
            "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\",\"MODEL=E398\"\r\n"
            "\r\nOK\r\n");
}

}  // namespace
}  // namespace quorix
