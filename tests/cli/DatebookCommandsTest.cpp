#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "phone-emulator/PtyPhoneServer.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quorix::test {
namespace {

using emu::EmulatorOptions;
using emu::PtyPhoneServer;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every event of the phone, as one text a record.
std::vector<std::string> Events(const PtyPhoneServer& server) {
  std::vector<std::string> events;
  server.Inspect([&](const emu::EmulatedPhone& phone) {
    for (int i = 0; i < emu::EmulatedPhone::kDatebookCapacity; ++i) {
      if (const emu::DatebookRecord* e = phone.DatebookEvent(i)) {
        events.push_back(std::to_string(i) + " " + e->title + " " + e->timed + e->alarm + " " +
                         e->startTime + " " + e->startDate + " " + e->duration + " " +
                         e->alarmTime + " " + e->alarmDate + " " + e->repeat);
      }
    }
  });
  return events;
}

struct Phones {
  Phones() {
    EmulatorOptions options;
    options.sample = true;
    from = std::make_unique<PtyPhoneServer>(options);
    options.sample = false;
    options.errorOn = {"AT+MDBW=2,", "AT+MDBR"};
    failing = std::make_unique<PtyPhoneServer>(options);
  }
  TempDir dir;
  std::string settings = dir.File("velkor.ini");  // none: the program's defaults
  std::unique_ptr<PtyPhoneServer> from;
  std::unique_ptr<PtyPhoneServer> failing;
  PtyPhoneServer into{EmulatorOptions{}};
};

TEST(DatebookCommandsTest, ReadSavesABackupThatWriteRestoresIntoAnotherPhone) {
  Phones p;
  const std::string file = p.dir.File("d.csv");
  const auto read = RunCli(
      {"--settings", p.settings, "--port", p.from->Start(), "datebook", "read", "--save", file});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.err, "");
  const std::vector<std::string> rows = Lines(read.out);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0], "0\tСовещание\tДа\tДа\t10:00\t10.12.2026\t60 мин\t09:45\t10.12.2026\tНет");
  EXPECT_EQ(rows[8], "8\tПланёрка; отдел №2\tДа\tНет\t09:30\t15.12.2026\t45 мин\t\t\tЕженедельно");

  const auto shown = RunCli({"--settings", p.settings, "datebook", "show", file});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out, read.out);

  const auto written =
      RunCli({"--settings", p.settings, "--port", p.into.Start(), "datebook", "write", file});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, "wrote 9 of 9 records\n");
  EXPECT_EQ(Events(p.into), Events(*p.from));
}

TEST(DatebookCommandsTest, FailuresExitOneAndKeepAGoodBackup) {
  Phones p;
  const std::string file = p.dir.File("d.csv");
  ASSERT_EQ(RunCli({"--settings", p.settings, "--port", p.from->Start(), "datebook", "read",
                    "--save", file})
                .exitCode,
            0);
  const std::string good = ReadBytes(file);

  // The emptied phone refuses one write: the others still go in.
  auto r =
      RunCli({"--settings", p.settings, "--port", p.failing->Start(), "datebook", "write", file});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Lines(r.err).back(), "quorix-cli: wrote 8 of 9 records; 1 of 9 writes failed");
  EXPECT_EQ(Events(*p.failing).size(), 8u);

  // A reading that failed leaves the good backup, unless told to replace it.
  const std::vector<std::string> readFailing = {
      "--settings", p.settings, "--port", p.failing->TerminalPath(),
      "datebook",   "read",     "--save", file};
  r = RunCli(readFailing);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Lines(r.err).back(),
            "quorix-cli: " + file +
                " left as it was: the reading had failures (--save-partial replaces it)");
  EXPECT_NE(r.err.find("quorix-cli: read 0 records; 1 of 4 requests failed\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), good);

  WriteBytes(p.dir.File("book.csv"), "Motorola phonebook file, it was created with Quorix \r\n");
  r = RunCli({"--settings", p.settings, "datebook", "show", p.dir.File("book.csv")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "ERROR: Invalid file type or bad file size. Please open another file!\n");

  std::vector<std::string> partial = readFailing;
  partial.push_back("--save-partial");
  EXPECT_EQ(RunCli(partial).exitCode, 1);
  EXPECT_NE(ReadBytes(file), good);

  for (const std::vector<std::string>& words : {std::vector<std::string>{"datebook"},
                                                {"datebook", "read", "--save-partial"},
                                                {"datebook", "show"},
                                                {"datebook", "erase"}}) {
    std::vector<std::string> args = {"--settings", p.settings};
    args.insert(args.end(), words.begin(), words.end());
    EXPECT_EQ(RunCli(args).exitCode, 2) << words.back();
  }
}

}  // namespace
}  // namespace quorix::test
