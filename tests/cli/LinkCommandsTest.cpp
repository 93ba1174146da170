#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/TempDir.h"
#include "support/Process.h"
#include "support/PtyLine.h"

namespace quorix::test {
namespace {

ProcessResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), QUORIX_CLI_PATH);
  return RunProcess(args);
}

std::string AnswerLikeE398(const std::string& line) {
  if (line == "AT+CGMM") return EchoOk(line, "+CGMM: \"GSM900\",\"MODEL=E398\"");
  if (line == "AT+BAD") return line + "\r\r\nERROR\r\n";
  return EchoOk(line);
}

TEST(LinkCommandsTest, IdentifyPrintsTheModelOrFails) {
  PtyLine phone;
  phone.AnswerWith(AnswerLikeE398);
  auto r = Cli({"--port", phone.SlavePath(), "identify"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Motorola E398\n");
  EXPECT_EQ(r.err, "");

  r = Cli({"--bluetooth", phone.SlavePath(), "--bt-wait", "100", "--port", "/dev/quorix-none",
           "identify"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Motorola E398\n");

  r = Cli({"--port", "/dev/quorix-no-such-port", "identify"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Телефон не найден!\n");
}

TEST(LinkCommandsTest, DefaultsComeFromTheSettingsFile) {
  PtyLine phone;
  phone.AnswerWith(AnswerLikeE398);
  quorix::testing::TempDir dir;
  const std::string settings = dir.File("velkor.ini");
  quorix::testing::WriteBytes(settings, "[System]\r\nComPort=" + phone.SlavePath() +
                                            "\r\nBCom=/dev/quorix-none\r\nBluetooth=0\r\n");
  auto r = Cli({"--settings", settings, "identify"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Motorola E398\n");

  r = Cli({"--settings", settings, "--port", "/dev/quorix-none", "identify"});
  EXPECT_EQ(r.exitCode, 1) << "the option wins over the file";
  EXPECT_EQ(r.err, "Телефон не найден!\n");

  r = Cli(
      {"--settings", settings, "--bluetooth", phone.SlavePath(), "--bt-wait", "soon", "identify"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--bt-wait: 'soon' is not a valid integer value"), std::string::npos);
}

TEST(LinkCommandsTest, IdentifyGivesUpOnASilentPort) {
  PtyLine silent;
  const auto r = Cli({"--port", silent.SlavePath(), "identify"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Телефон не найден!\n");
  EXPECT_EQ(silent.Read(100), "ATZ\r\n");
}

TEST(LinkCommandsTest, AtPrintsEachReplyAsReceived) {
  PtyLine phone;
  phone.AnswerWith(AnswerLikeE398);
  const auto r = Cli({"--port", phone.SlavePath(), "at", "ATZ", "AT+CGMM", "AT+BAD"});
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
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorix-published-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "e398") << phone.SlavePath() << "\n";
  setenv("QUORIX_PUBLISHED_PORTS", dir.c_str(), 1);
  const auto r = Cli({"ports"});
  unsetenv("QUORIX_PUBLISHED_PORTS");
  std::filesystem::remove_all(dir);
  EXPECT_EQ(r.exitCode, 0);
  const std::string last = phone.SlavePath() + " *\n";
  ASSERT_GE(r.out.size(), last.size());
  EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
  EXPECT_EQ(r.out.find(" *"), r.out.size() - last.size() + phone.SlavePath().size());
}

TEST(LinkCommandsTest, MisusedLinkCommandsAreUsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"at"},
           {"identify", "now"},
           {"ports", "all"},
           {"--bluetooth", "/dev/null", "--bt-wait", "soon", "identify"}}) {
    const auto r = Cli(args);
    EXPECT_EQ(r.exitCode, 2) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorix::test
