#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "codec/CodePage.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "support/Transcript.h"

namespace quorix::test {
namespace {

using emu::EmulatorOptions;
using emu::PtyPhoneServer;

// A settings file unlike the one the options ask for, so that what is read shows who won.
std::string WriteSettings(const TempDir& dir, const std::string& comPort) {
  const std::string path = dir.File("velkor.ini");
  WriteBytes(path,
             "[System]\r\nComPort=" + comPort +
                 "\r\nRange=20\r\nSIM=250\r\nFromSIM=1\r\nFromPHONE=1\r\nBluetooth=0\r\n"
                 "AdvancedPhoneBook=0\r\n[NumberTypes]\r\nWork=Work\r\nHome=Home\r\nMain=Main\r\n"
                 "Mobile=Mobile\r\nFax=Fax\r\nPager=Pager\r\nEmail=Email\r\n"
                 "Subscribe=Subscribe\r\n");
  return path;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The two tables as printed: category rows, then entry rows, split at the blank line.
struct Tables {
  std::vector<std::string> categories;
  std::vector<std::string> entries;
};

Tables Split(const std::string& out) {
  Tables tables;
  bool entries = false;
  for (const std::string& line : Lines(out)) {
    if (line.empty() && !entries) {
      entries = true;
      continue;
    }
    (entries ? tables.entries : tables.categories).push_back(line);
  }
  return tables;
}

// Number, name and light of a category row: the melody column differs by design, a restore
// labels built-in melodies in Russian.
std::string WithoutMelody(const std::string& row) {
  const size_t name = row.find('\t', row.find('\t') + 1);
  const size_t light = row.find('\t', name + 1);
  return row.substr(0, name) + row.substr(light);
}

TEST(PhonebookCommandsTest, ReadSavesABackupThatShowPrintsAlike) {
  TempDir dir;
  EmulatorOptions options;
  options.sample = true;
  options.logPath = dir.File("phone.log");
  PtyPhoneServer server(options);
  const std::string port = server.Start();
  const std::string settings = WriteSettings(dir, "/dev/quorix-none");
  const std::string book = dir.File("book.csv");

  const auto read = RunCli({"--settings", settings, "--port", port, "phonebook", "read", "--phone",
                            "--advanced", "--range", "15", "--save", book});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  // No progress bar on a pipe: only the word that the names of the sample made the copy UTF-8.
  ASSERT_EQ(Lines(read.err).size(), 1u) << read.err;
  EXPECT_EQ(read.err.rfind("Резервная копия: Файл " + book + " записан в кодировке UTF-8", 0), 0u)
      << read.err;
  const Tables got = Split(read.out);
  ASSERT_EQ(got.categories.size(), 7u);
  EXPECT_EQ(got.categories[0], "1\tGeneral\tDefault\t");
  EXPECT_EQ(got.categories[3], "4\tСемья\tClassic (7)\tМерцание (4)");
  EXPECT_EQ(got.categories[6], "9\tДрузья №1\tDefault\t");
  int phoneRecords = 0;
  server.Inspect([&](const emu::EmulatedPhone& phone) {
    phoneRecords = phone.UsedRecords(emu::PhonebookMemory::Phone);
  });
  ASSERT_EQ(got.entries.size(), static_cast<size_t>(phoneRecords));
  EXPECT_EQ(got.entries[0], "1\tМама\t+79161234501\tMobile\tClassic (7)\tСемья\t\tYes" +
                                std::string(7, '\t') + "\t");
  EXPECT_EQ(got.entries[9],
            "11\tДмитрий Козлов\t+79265554433\tMobile\tПо умолчанию\tРабота\t\tYes\tЦентральный\t"
            "ул. Ленина 12\tМосква\tМосковская обл.\t101000\tРоссия\t\t11-02-1979");
  EXPECT_NE(std::find(got.entries.begin(), got.entries.end(),
                      "38\tКиїв Їжак\t+380440000038\tMobile\tПо умолчанию\tДрузья №1\t\tYes" +
                          std::string(7, '\t') + "\t"),
            got.entries.end());
  // An E398 counts 1000 records whatever it holds: the blocks run to the end of its range.
  EXPECT_EQ(ReceivedCommands(options.logPath, "AT+CSCS=UCS2"),
            WithReadBlocks({"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?", "AT+CPBS=\"ME\"",
                            "AT+MPGR=?", "AT+MPGR=1,30"},
                           1, 1000, 15))
      << "--phone alone replaces both boxes of the settings file";

  // Code page 1251 has no "ї", "ў", "ł" ...: the copy is UTF-8 with a byte order mark.
  const std::string text = ReadBytes(book);
  const std::vector<std::string> lines = Lines(text);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("\xEF\xBB\xBFMotorola phonebook file, it was created with Quorix ", 0),
            0u);
  EXPECT_EQ(lines[1], "Advanced Phonebook: Yes\r");
  EXPECT_NE(text.find("\r\n4;Семья;7;0;4\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n11;'+79265554433;145;Дмитрий Козлов;3;"), std::string::npos);
  EXPECT_NE(text.find("\r\n38;'+380440000038;145;Київ Їжак;3;"), std::string::npos);
  EXPECT_NE(text.find("\r\n44;'84950000044;129;\"Кафе; бар \"\"Ромашка\"\"\";0;"),
            std::string::npos);

  const auto shown = RunCli({"--settings", settings, "phonebook", "show", book});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.err, "");
  const Tables restored = Split(shown.out);
  EXPECT_EQ(restored.entries, got.entries);
  ASSERT_EQ(restored.categories.size(), got.categories.size());
  for (size_t i = 0; i < got.categories.size(); ++i) {
    EXPECT_EQ(WithoutMelody(restored.categories[i]), WithoutMelody(got.categories[i]));
  }
  EXPECT_EQ(restored.categories[3], "4\tСемья\tКлассический\tМерцание (4)");
}

TEST(PhonebookCommandsTest, FailuresAndUsage) {
  TempDir dir;
  const std::string settings = WriteSettings(dir, "/dev/quorix-none");

  WriteBytes(dir.File("other.csv"), "Motorola datebook file\r\nAdvanced Phonebook: No\r\n");
  auto r = RunCli({"--settings", settings, "phonebook", "show", dir.File("other.csv")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "ERROR: Invalid file type or bad file size. Please open another file!\n");

  r = RunCli({"--settings", settings, "phonebook", "show", dir.File("absent.csv")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");

  r = RunCli({"--settings", settings, "phonebook", "read"});
  EXPECT_EQ(r.exitCode, 1) << "the port of the settings file is used";
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Телефон не найден!\n");

  // A SIM capacity that is no number stops the reading where it is needed.
  EmulatorOptions options;
  options.sample = true;
  PtyPhoneServer server(options);
  std::string text = ReadBytes(settings);
  text.replace(text.find("SIM=250"), 7, "SIM=lots");
  WriteBytes(settings, text);
  r = RunCli({"--settings", settings, "--port", server.Start(), "phonebook", "read", "--sim"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "quorix-cli: the reading stopped: 'lots' is not a valid integer value\n");

  for (const std::vector<std::string>& words : {std::vector<std::string>{"phonebook"},
                                                {"phonebook", "write"},
                                                {"phonebook", "read", "--range", "0"},
                                                {"phonebook", "read", "--range", "ten"},
                                                {"phonebook", "read", "--range", "2147483647"},
                                                {"phonebook", "read", "--sim-capacity", "751"},
                                                {"phonebook", "read", "--sim-capacity"},
                                                {"phonebook", "read", "--color"},
                                                {"phonebook", "read", "--save-partial"},
                                                {"phonebook", "show"}}) {
    std::vector<std::string> args = {"--settings", settings};
    args.insert(args.end(), words.begin(), words.end());
    r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << words.back();
    EXPECT_NE(r.err.find("usage: quorix-cli"), std::string::npos);
  }
}

// The last line the command wrote on stderr.
std::string LastLine(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  return lines.empty() ? std::string() : lines.back();
}

TEST(PhonebookCommandsTest, ABackupWrittenIntoAnEmptiedPhoneGivesTheSameBook) {
  TempDir dir;
  EmulatorOptions sample;
  sample.sample = true;
  PtyPhoneServer from(sample);
  PtyPhoneServer to{EmulatorOptions{}};
  const std::string settings = WriteSettings(dir, from.Start());
  const std::string toPort = to.Start();
  const std::string book = dir.File("b.csv");
  const std::vector<std::string> read = {"--settings", settings,  "phonebook",
                                         "read",       "--phone", "--advanced"};
  auto r = RunCli(
      {"--settings", settings, "phonebook", "read", "--phone", "--advanced", "--save", book});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Tables original = Split(r.out);

  r = RunCli({"--settings", settings, "--port", toPort, "phonebook", "write", book});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err.rfind("quorix-cli: wrote ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(", failed 0;"), std::string::npos) << r.err;
  r = RunCli(
      {"--settings", settings, "--port", toPort, "phonebook", "read", "--phone", "--advanced"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Split(r.out).entries, original.entries);
  EXPECT_EQ(Split(r.out).categories, original.categories);

  // The full clear asks first; with no terminal to answer, a script must say --yes.
  r = RunCli({"--settings", settings, "--port", toPort, "phonebook", "clear"});
  EXPECT_EQ(r.exitCode, 2);
}

TEST(PhonebookCommandsTest, ControlCharactersAndEndlessLinesNeverReachTheTerminal) {
  TempDir dir;
  const std::string settings = WriteSettings(dir, "/dev/quorix-none");
  const std::string book = dir.File("escape.csv");
  WriteBytes(book,
             "Motorola phonebook file, it was created with Quorix x\r\nAdvanced Phonebook: No\r\n"
             "1;\x1b[2JRed\x07\x01;255;0;0\r\n" +
                 Utf8ToCp1251("Ячейка;\"Номер\"") + "\r\n");
  auto r = RunCli({"--settings", settings, "phonebook", "show", book});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Split(r.out).categories, std::vector<std::string>{"1\t?[2JRed??\tDefault\t"});

  WriteBytes(book, std::string(200000, '\x1b'));
  r = RunCli({"--settings", settings, "phonebook", "show", book});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "ERROR: Line 1: longer than 65536 characters\n");
}

TEST(PhonebookCommandsTest, AReadingWithFailuresKeepsAnExistingBackup) {
  TempDir dir;
  const std::string book = dir.File("book.csv");
  const std::string old = "an earlier, good backup\r\n";
  struct Failure {
    const char* failing;
    const char* summary;
    const char* start;  // of the partial backup: UTF-8 once names outside code page 1251 are in
  };
  for (const auto& [failing, summary, start] :
       {Failure{"AT+MPBR", "read 0 of 1000 records; 50 of 53 requests failed",
                "Motorola phonebook file"},
        Failure{"AT+CPBS", "read 39 of 1000 records; 1 of 53 requests failed",
                "\xEF\xBB\xBFMotorola phonebook file"}}) {
    EmulatorOptions options;
    options.sample = true;
    options.errorOn = {failing};
    PtyPhoneServer server(options);
    const std::string settings = WriteSettings(dir, server.Start());
    WriteBytes(book, old);
    auto r = RunCli({"--settings", settings, "phonebook", "read", "--phone", "--save", book});
    EXPECT_EQ(r.exitCode, 1) << failing;
    EXPECT_NE(r.err.find("quorix-cli: " + std::string(summary) + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(LastLine(r.err), "quorix-cli: " + book +
                                   " left as it was: the reading had failures (--save-partial "
                                   "replaces it)");
    EXPECT_EQ(ReadBytes(book), old);
    EXPECT_FALSE(Split(r.out).categories.empty()) << "what was read is printed";

    r = RunCli(
        {"--settings", settings, "phonebook", "read", "--phone", "--save", book, "--save-partial"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadBytes(book).rfind(start, 0), 0u) << failing;
  }
  // With no backup there yet, what was read is written.
  EmulatorOptions options;
  options.sample = true;
  options.errorOn = {"AT+MPBR"};
  PtyPhoneServer server(options);
  const std::string settings = WriteSettings(dir, server.Start());
  const std::string fresh = dir.File("fresh.csv");
  const auto r = RunCli({"--settings", settings, "phonebook", "read", "--phone", "--save", fresh});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(ReadBytes(fresh).rfind("Motorola phonebook file", 0), 0u);
}

TEST(PhonebookCommandsTest, APhoneThatStopsAnsweringFailsTheReading) {
  TempDir dir;
  EmulatorOptions options;
  options.fill = 300;
  options.hangupAfter = 3000;
  options.logPath = dir.File("phone.log");
  PtyPhoneServer server(options);
  const std::string settings = WriteSettings(dir, server.Start());
  const std::string book = dir.File("book.csv");
  WriteBytes(book, "kept\r\n");
  const auto r = RunCli(
      {"--settings", settings, "phonebook", "read", "--phone", "--range", "10", "--save", book});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Lines(r.err).front(),
            "quorix-cli: read 0 of 1000 records; 1 of 4 requests failed; the phone stopped "
            "answering");
  EXPECT_EQ(ReadBytes(book), "kept\r\n");
  EXPECT_TRUE(server.HungUp());
  // The line dropped within the first block; without the stop every block left would wait out
  // the reply limit, far beyond the test's time.
  const std::vector<std::string> sent = ReceivedCommands(options.logPath);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back(), "AT+MPBR=1,10");
}

}  // namespace
}  // namespace quorix::test
