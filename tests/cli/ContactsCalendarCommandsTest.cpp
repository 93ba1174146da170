#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "phone-emulator/PtyPhoneServer.h"
#include "support/Process.h"
#include "support/Python.h"
#include "support/TempDir.h"

namespace quorix::test {
namespace {

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// A printed entry row without its index and the melody and picture columns, which vCard does
// not carry. The phone's own category 1 is no contact's category: its entries land in category 1
// of the phonebook they go to, which an empty one has not named.
std::string Carried(const std::string& row) {
  std::vector<std::string> cells;
  std::istringstream in(row);
  for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
  if (cells.size() < 8) return cells.size() > 1 ? cells[1] : row;
  std::string kept;
  for (size_t k = 1; k < cells.size(); ++k) {
    if (k == 5 && cells[k] == "General") cells[k].clear();
    if (k != 4 && k != 6) kept += cells[k] + "|";
  }
  return kept;
}

std::vector<std::string> CarriedEntries(const std::string& printed) {
  std::vector<std::string> rows;
  for (const std::string& line : SortedLines(printed)) {
    if (std::count(line.begin(), line.end(), '\t') > 8) rows.push_back(Carried(line));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

struct SamplePhone {
  SamplePhone() : server(Options()), port(server.Start()) {
    WriteBytes(settings, "[System]\r\nFromPHONE=1\r\nFromSIM=0\r\nRange=20\r\n");
  }
  static emu::EmulatorOptions Options() {
    emu::EmulatorOptions options;
    options.sample = true;
    return options;
  }
  ProcessResult Cli(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--settings", settings, "--port", port});
    return RunCli(args);
  }
  TempDir dir;
  emu::PtyPhoneServer server;
  std::string port;
  std::string settings = dir.File("velkor.ini");
};

TEST(ContactsCalendarCommandsTest, SamplePhonebookThroughVCardComesBackAndVobjectReadsIt) {
  SamplePhone phone;
  const std::string vcf = phone.dir.File("contacts.vcf");
  const auto exported = phone.Cli({"phonebook", "export", vcf, "--advanced"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, "exported 27 contacts, 39 entries\n");

  const std::string& python = PythonWithVobject();
  if (!python.empty()) {
    const auto read = RunPython(python, R"(
import sys, vobject
for card in vobject.readComponents(open(sys.argv[1], encoding='utf-8').read()):
    tels = ['%s %s' % (t.value, ','.join(t.params.get('TYPE', []))) for t in card.contents.get('tel', [])]
    mails = [e.value for e in card.contents.get('email', [])]
    adr = card.adr.value if 'adr' in card.contents else None
    print('|'.join([card.fn.value, ';'.join(tels), ';'.join(mails),
                    card.bday.value if 'bday' in card.contents else '',
                    '%s/%s/%s/%s/%s' % (adr.extended, adr.street, adr.city, adr.code, adr.country) if adr else '']))
)",
                                {vcf});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    const std::vector<std::string> cards = SortedLines(read.out);
    EXPECT_EQ(cards.size(), 27u);
    const auto has = [&cards](const std::string& card) {
      return std::find(cards.begin(), cards.end(), card) != cards.end();
    };
    EXPECT_TRUE(has("Анна Смирнова|+79031112233 CELL,PREF|anna.smirnova@mail.ru|1985-03-15|"));
    EXPECT_TRUE(
        has("Дмитрий Козлов|+79265554433 CELL,PREF;84952223344 WORK,VOICE;84953334455 "
            "MAIN||1979-11-02|Центральный/ул. Ленина 12/Москва/101000/Россия"));
    EXPECT_TRUE(has("Сергей Петров|+79169876543 CELL,PREF;1234 PAGER|||"));
    EXPECT_TRUE(has("Київ Їжак|+380440000038 CELL,PREF|||"));
    EXPECT_TRUE(has("Кафе; бар \"Ромашка\"|84950000044 WORK,VOICE,PREF|||"));
  }

  // Offline, into a backup: the same entries as the phone's, but melodies and pictures.
  const std::string book = phone.dir.File("from-vcard.csv");
  const auto imported = phone.Cli({"phonebook", "import", vcf, "--save", book, "--advanced"});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  const auto shown = phone.Cli({"phonebook", "show", book});
  const auto onPhone = phone.Cli({"phonebook", "read", "--advanced"});
  ASSERT_EQ(onPhone.exitCode, 0) << onPhone.err;
  EXPECT_EQ(CarriedEntries(shown.out), CarriedEntries(onPhone.out));

  // Into the phone, which has them all already: nothing is added twice.
  const auto again = phone.Cli({"phonebook", "import", vcf});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_NE(again.err.find("Добавлено контактов: 0 из 27, записей: 0. Уже были в справочнике "
                           "номеров: 39."),
            std::string::npos)
      << again.err;
}

TEST(ContactsCalendarCommandsTest, SampleDatebookThroughICalendarComesBackAndGoesToThePhone) {
  SamplePhone phone;
  const std::string ics = phone.dir.File("calendar.ics");
  const auto exported = phone.Cli({"datebook", "export", ics});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, "exported 9 events\n");

  const std::string& python = PythonWithVobject();
  if (!python.empty()) {
    const auto read = RunPython(python, R"(
import sys, vobject
cal = vobject.readOne(open(sys.argv[1], encoding='utf-8').read())
for e in cal.vevent_list:
    alarm = e.valarm.trigger.value if 'valarm' in e.contents else ''
    rule = e.rrule.value if 'rrule' in e.contents else ''
    print('|'.join([e.summary.value, str(e.dtstart.value), str(e.duration.value), str(alarm), rule]))
)",
                                {ics});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(SortedLines(read.out),
              SortedLines("Совещание|2026-12-10 10:00:00|1:00:00|-1 day, 23:45:00|\n"
                          "День рождения Анны|2027-03-15|1 day, 0:00:00|9:00:00|FREQ=YEARLY\n"
                          "Meeting with Alex|2026-12-14 17:00:00|1:30:00||\n"
                          "Стоматолог|2026-12-16 08:30:00|0:30:00|-1 day, 23:30:00|\n"
                          "Оплатить интернет|2026-12-20|1 day, 0:00:00|12:00:00|FREQ=MONTHLY\n"
                          "Football|2026-12-11 19:00:00|2:00:00||FREQ=WEEKLY\n"
                          "Отпуск|2027-01-02|1 day, 0:00:00||\n"
                          "Call mom|2026-12-13 20:00:00|0:15:00|-1 day, 23:55:00|FREQ=WEEKLY\n"
                          "Планёрка; отдел №2|2026-12-15 09:30:00|0:45:00||FREQ=WEEKLY\n"));
  }

  const auto onPhone = phone.Cli({"datebook", "read"});
  ASSERT_EQ(onPhone.exitCode, 0) << onPhone.err;
  const std::string backup = phone.dir.File("from-ics.csv");
  const auto imported = phone.Cli({"datebook", "import", ics, "--save", backup});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(phone.Cli({"datebook", "show", backup}).out, onPhone.out);

  // A backup converted offline, then one new event into the phone's first free record.
  const std::string again = phone.dir.File("again.ics");
  ASSERT_EQ(phone.Cli({"datebook", "export", again, "--from", backup}).exitCode, 0);
  WriteBytes(ics,
             "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20260101T000000Z"
             "\r\nSUMMARY:Новое\r\nDTSTART:20270110T093000\r\nDURATION:PT45M\r\nEND:VEVENT\r\n"
             "END:VCALENDAR\r\n");
  const auto added = phone.Cli({"datebook", "import", ics});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  const auto after = phone.Cli({"datebook", "read"});
  EXPECT_NE(after.out.find("9\tНовое\tДа\tНет\t09:30\t10.01.2027\t45 мин\t\t\tНет"),
            std::string::npos)
      << after.out;
}

}  // namespace
}  // namespace quorix::test
