#include <gtest/gtest.h>

#include <string>

#include "phone-emulator/PtyPhoneServer.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quorix::test {
namespace {

using emu::EmulatorOptions;
using emu::PtyPhoneServer;

EmulatorOptions Sample(std::vector<std::string> errorOn = {}) {
  EmulatorOptions options;
  options.sample = true;
  options.errorOn = std::move(errorOn);
  return options;
}

// A reading prints the conversations and saves the backup, which show prints the same and export
// turns into Android's XML and text; a reading with failures exits 1 and leaves an existing
// backup as it was; words out of place exit 2.
TEST(SmsCommandsTest, ReadShowAndExportAsACommandLineDoes) {
  TempDir dir;
  const std::string settings = dir.File("velkor.ini");
  PtyPhoneServer phone(Sample());
  const std::string backup = dir.File("m.sms");
  const auto read =
      RunCli({"--settings", settings, "--port", phone.Start(), "sms", "read", "--save", backup});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_NE(read.out.find("← Привет! Как дела? Встречаемся в 19:00 у метро."), std::string::npos)
      << read.out;
  EXPECT_NE(read.err.find("Прочитано сообщений: 12"), std::string::npos) << read.err;
  const auto shown = RunCli({"--settings", settings, "sms", "show", backup});
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out, read.out);

  const auto xml = RunCli({"--settings", settings, "sms", "export", dir.File("m.xml"), "--format",
                           "android-xml", "--from", backup});
  EXPECT_EQ(xml.exitCode, 0) << xml.err;
  EXPECT_NE(ReadBytes(dir.File("m.xml")).find("<smses count=\"12\">"), std::string::npos);
  const auto text = RunCli({"--settings", settings, "sms", "export", dir.File("m.txt"), "--format",
                            "text", "--from", backup});
  EXPECT_EQ(text.exitCode, 0) << text.err;
  EXPECT_EQ(ReadBytes(dir.File("m.txt")), read.out);

  PtyPhoneServer failing(Sample({"AT+CMGL"}));
  const auto partial =
      RunCli({"--settings", settings, "--port", failing.Start(), "sms", "read", "--save", backup});
  EXPECT_EQ(partial.exitCode, 1);
  EXPECT_NE(partial.err.find("left as it was"), std::string::npos) << partial.err;
  EXPECT_EQ(RunCli({"--settings", settings, "sms", "show", backup}).out, read.out);

  for (const std::vector<std::string>& words : {std::vector<std::string>{"sms", "export", "x.xml"},
                                                {"sms", "export", "x.xml", "--format", "csv"},
                                                {"sms", "show"},
                                                {"sms", "read", "--bogus"},
                                                {"sms", "send"}}) {
    EXPECT_EQ(RunCli(words).exitCode, 2) << words.back();
  }
}

}  // namespace
}  // namespace quorix::test
