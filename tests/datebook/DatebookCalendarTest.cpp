#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "codec/CodePage.h"
#include "codec/Ucs2.h"
#include "datebook/DatebookCalendar.h"

namespace quorix {
namespace {

std::string Event(const std::string& lines) {
  return "BEGIN:VEVENT\r\nUID:x\r\nDTSTAMP:20260101T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\n" +
         events + "END:VCALENDAR\r\n";
}

// The record's fields after the title, as the phone sends them.
std::string Fields(const DatebookRecord& r) {
  std::string text = std::string(DecodeUcs2Hex(r[0]));
  for (int k = 1; k < kDatebookFields; ++k) text += "," + r[k];
  return text;
}

TEST(DatebookCalendarTest, EventsOfOtherCalendarsBecomeRecordsAndWhatDoesNotFitIsReportedOnce) {
  ::setenv("TZ", "Europe/Moscow", 1);
  ::tzset();
  DatebookTable table;
  table[0][0] = EncodeUcs2Hex(std::string("Уже есть"));
  const std::string longTitle(70, 'x');
  const CalendarImport got = AddCalendarEvents(
      table,
      Calendar(
          Event(
              "SUMMARY:Созвон 🙂\r\nDTSTART:20270105T070000Z\r\nDTEND:20270105T073000Z\r\n"
              "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT5M\r\n"
              "DESCRIPTION:x\r\nEND:VALARM\r\n") +
          Event("SUMMARY:Каждый второй вторник\r\nDTSTART;VALUE=DATE:20270112\r\n"
                "RRULE:FREQ=MONTHLY;BYDAY=2TU\r\n") +
          Event("SUMMARY:" + longTitle +
                "\r\nDTSTART:20270201T120000\r\nDURATION:PT1H\r\n"
                "RRULE:FREQ=WEEKLY;INTERVAL=2\r\n") +
          Event("SUMMARY:Конференция\r\nDTSTART;VALUE=DATE:20270301\r\n"
                "DTEND;VALUE=DATE:20270304\r\nRRULE:FREQ=YEARLY;COUNT=3\r\n")));
  EXPECT_EQ(got.Events, 4);
  EXPECT_EQ(got.Added, 4);
  EXPECT_EQ(Fields(table[1]), "Созвон,1,1,\"10:00\",\"01-05-2027\",30,\"10:35\",\"01-05-2027\",0")
      << "UTC is this computer's local time; the alarm counts from the end";
  EXPECT_EQ(Fields(table[2]),
            "Каждый второй вторник,0,0,\"00:00\",\"01-12-2027\",0,\"00:00\",\"00-00-2000\",4");
  EXPECT_EQ(Fields(table[3]), longTitle.substr(0, 64) +
                                  ",1,0,\"12:00\",\"02-01-2027\",60,\"00:00\",\"00-00-2000\",0");
  EXPECT_EQ(Fields(table[4]),
            "Конференция,0,0,\"00:00\",\"03-01-2027\",0,\"00:00\",\"00-00-2000\",5");
  const std::vector<std::string> lines = got.Report.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(std::string(lines[0]),
            "Созвон (20270105): в названии пропущены символы, которых нет в телефоне: U+1F642");
  EXPECT_EQ(std::string(lines[1]),
            longTitle.substr(0, 64) +
                " (20270201): название сокращено до 64 символов; повтор FREQ=WEEKLY;INTERVAL=2 "
                "телефон не знает: событие записано один раз");
  EXPECT_EQ(std::string(lines[2]),
            "Конференция (20270301): событие на несколько дней: в телефоне только первый; у "
            "повтора в телефоне нет конца");

  // The same file again adds nothing; a full datebook counts what did not fit in one line.
  DatebookTable full;
  std::string many;
  for (int n = 0; n < kDatebookRecords + 3; ++n) {
    many += Event("SUMMARY:Событие " + std::to_string(n) + "\r\nDTSTART:20270101T100000\r\n");
  }
  const CalendarImport crowded = AddCalendarEvents(full, Calendar(many));
  EXPECT_EQ(crowded.Added, kDatebookRecords);
  ASSERT_EQ(crowded.Report.Size(), 1u);
  EXPECT_EQ(std::string(crowded.Report.Lines()[0]),
            "Ежедневник: в телефоне 500 записей, не поместилось событий: 3");
  EXPECT_EQ(
      AddCalendarEvents(full, Calendar(Event("SUMMARY:Событие 0\r\nDTSTART:20270101T100000\r\n")))
          .Duplicates,
      1);
}

TEST(DatebookCalendarTest, RecordsTheIcalendarCannotTakeAreReported) {
  DatebookTable table;
  table[3] = {EncodeUcs2Hex("Bad"), "1", "0", "\"25:00\"", "\"13-40-2026\"", "10", "\"00:00\"",
              "\"00-00-2000\"",     "0"};
  table[4] = {EncodeUcs2Hex("Good"), "1", "0", "\"10:00\"", "\"01-31-2027\"", "10", "\"00:00\"",
              "\"00-00-2000\"",      "9"};
  const CalendarExport out = DatebookICalendar(table, 0);
  EXPECT_EQ(out.Events, 1);
  EXPECT_EQ(
      out.Report.Lines(),
      (std::vector<std::string>{
          std::string("#3 Bad: начало «\"13-40-2026\" \"25:00\"» не дата: событие не записано"),
          std::string("#4 Good: повтор «9» не переведён")}));
  EXPECT_NE(out.Text.find("DTSTART:20270131T100000\r\n"), std::string::npos) << out.Text;
  EXPECT_EQ(out.Text.find("RRULE"), std::string::npos);
}

}  // namespace
}  // namespace quorix
