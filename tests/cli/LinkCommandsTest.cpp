#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "support/Process.h"
#include "support/PtyLine.h"
#include "support/TempDir.h"

namespace quorix::test {
namespace {

std::string AnswerLikeE398(const std::string& line) {
  if (line == "AT+CGMM") return EchoOk(line, "+CGMM: \"GSM900\",\"MODEL=E398\"");
  if (line == "AT+BAD") return line + "\r\r\nERROR\r\n";
  return EchoOk(line);
}

TEST(LinkCommandsTest, IdentifyPrintsTheModelOrFailsOnAMissingOrSilentPort) {
  PtyLine phone;
  phone.AnswerWith(AnswerLikeE398);
  auto r = RunCli({"--port", phone.SlavePath(), "identify"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Motorola E398\n");
  EXPECT_EQ(r.err, "");

  r = RunCli({"--bluetooth", phone.SlavePath(), "--bt-wait", "100", "--port", "/dev/quorix-none",
              "identify"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Motorola E398\n");

  r = RunCli({"--port", "/dev/quorix-no-such-port", "identify"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Телефон не найден!\n");

  PtyLine silent;
  r = RunCli({"--port", silent.SlavePath(), "identify"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Телефон не найден!\n");
  EXPECT_EQ(silent.Read(100), "ATZ\r\n");
}

TEST(LinkCommandsTest, DefaultsComeFromTheSettingsFile) {
  PtyLine phone;
  phone.AnswerWith(AnswerLikeE398);
  TempDir dir;
  const std::string settings = dir.File("velkor.ini");
  WriteBytes(settings, "[System]\r\nComPort=" + phone.SlavePath() +
                           "\r\nBCom=/dev/quorix-none\r\nBluetooth=0\r\n");
  auto r = RunCli({"--settings", settings, "identify"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Motorola E398\n");

  r = RunCli({"--settings", settings, "--port", "/dev/quorix-none", "identify"});
  EXPECT_EQ(r.exitCode, 1) << "the option wins over the file";
  EXPECT_EQ(r.err, "Телефон не найден!\n");

  r = RunCli(
      {"--settings", settings, "--bluetooth", phone.SlavePath(), "--bt-wait", "soon", "identify"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--bt-wait: 'soon' is not a valid integer value"), std::string::npos);
}

TEST(LinkCommandsTest, AtPrintsEachReplyAsReceived) {
  PtyLine phone;
  phone.AnswerWith(AnswerLikeE398);
  const auto r = RunCli({"--port", phone.SlavePath(), "at", "ATZ", "AT+CGMM", "AT+BAD"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "ATZ\r\r\nOK\r\n"
            "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"MODEL=E398\"\r\n\r\nOK\r\n"
            "AT+BAD\r\r\nERROR\n");
  EXPECT_EQ(r.err, "Quorix: AT Command Error: AT+BAD\r\r\nERROR\n");
  EXPECT_EQ(phone.Lines(),
            (std::vector<std::string>{"ATZ", "AT+CGMM", "ATZ", "AT+CGMM", "AT+BAD"}));
}

TEST(LinkCommandsTest, PortsMarksTheUsbModemPort) {
  PtyLine phone;
  TempDir dir;
  WriteBytes(dir.File("e398"), phone.SlavePath() + "\n");
  setenv("QUORIX_PUBLISHED_PORTS", dir.path().c_str(), 1);
  const auto r = RunCli({"ports"});
  unsetenv("QUORIX_PUBLISHED_PORTS");
  EXPECT_EQ(r.exitCode, 0);
  const std::string last = phone.SlavePath() + " *\n";
  ASSERT_GE(r.out.size(), last.size());
  EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
  EXPECT_EQ(r.out.find(" *"), r.out.size() - last.size() + phone.SlavePath().size());
  EXPECT_EQ(r.err, "");

  // Another user could have put the file into a folder open to all: it is not the phone.
  chmod(dir.path().c_str(), 0777);
  setenv("QUORIX_PUBLISHED_PORTS", dir.path().c_str(), 1);
  const auto open = RunCli({"ports"});
  unsetenv("QUORIX_PUBLISHED_PORTS");
  EXPECT_EQ(open.exitCode, 0);
  EXPECT_EQ(open.out.find(phone.SlavePath()), std::string::npos) << open.out;
  EXPECT_EQ(open.err, "quorix-cli: Папка опубликованных портов не используется: " + dir.path() +
                          " открыта для группы или других пользователей\n");
}

TEST(LinkCommandsTest, MisusedLinkCommandsAreUsageErrors) {
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"at"}, {"identify", "now"}, {"ports", "all"}}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorix::test
