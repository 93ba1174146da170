#include "datebook/DatebookCalendar.h"

#include <libical/ical.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <set>

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "codec/PhoneText.h"
#include "codec/Ucs2.h"

namespace quorix {

namespace {

struct ComponentFree {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

const char* const kRepeatRules[] = {nullptr,        "FREQ=DAILY", "FREQ=WEEKLY",
                                    "FREQ=MONTHLY", nullptr,      "FREQ=YEARLY"};
const char* const kWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr int kRepeatMonthlyByWeekday = 4;
const char* const kNoAlarmTime = "\"00:00\"";
const char* const kNoAlarmDate = "\"00-00-2000\"";

// "mm-dd-yyyy" and "hh:mm", quoted or not, as a floating local time; nothing for other text.
std::optional<icaltimetype> PhoneTime(const std::string& date, const std::string& time) {
  int month = 0, day = 0, year = 0, hour = 0, minute = 0;
  char end = 0;
  if (std::sscanf(Unquoted(date).c_str(), "%2d-%2d-%4d%c", &month, &day, &year, &end) != 3 ||
      std::sscanf(Unquoted(time).c_str(), "%2d:%2d%c", &hour, &minute, &end) != 2) {
    return std::nullopt;
  }
  if (month < 1 || month > 12 || year < 1900 || day < 1 ||
      day > icaltime_days_in_month(month, year) || hour > 23 || minute > 59 || hour < 0 ||
      minute < 0) {
    return std::nullopt;
  }
  icaltimetype t = icaltime_null_time();
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  return t;
}

std::string Quoted(const char* format, int a, int b, int c = 0) {
  char text[24];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

std::string PhoneDate(const icaltimetype& t) {
  return Quoted("\"%02d-%02d-%04d\"", t.month, t.day, t.year);
}

std::string PhoneClock(const icaltimetype& t) {
  return Quoted("\"%02d:%02d\"", t.hour, t.minute);
}

std::string RepeatRule(int code, const icaltimetype& start) {
  if (code != kRepeatMonthlyByWeekday) return kRepeatRules[code];
  // The nth weekday of the month; a fifth one is the month's last.
  const int nth = (start.day - 1) / 7 + 1;
  return std::string("FREQ=MONTHLY;BYDAY=") + (nth == 5 ? "-1" : std::to_string(nth)) +
         kWeekdays[icaltime_day_of_week(start) - 1];
}

icalcomponent* Alarm(const std::string& title, int offsetSeconds) {
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(offsetSeconds);
  icalcomponent* alarm = icalcomponent_new_valarm();
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
  icalcomponent_add_property(alarm, icalproperty_new_description(title.c_str()));
  return alarm;
}

std::string RecordName(int number, const std::string& title) {
  return "#" + std::to_string(number) + " " + title;
}

// The record as a VEVENT, or nothing (and the reason in the report) when its start is no date.
icalcomponent* RecordEvent(int number, const DatebookRecord& r, const icaltimetype& stamp,
                           TransferReport& report) {
  const std::string title = DecodeUcs2Hex(r[EventDescription]);
  const std::string who = RecordName(number, title);
  const bool timed = Unquoted(r[EventTimedFlag]) == "1";
  auto start = PhoneTime(r[EventDate], timed ? r[EventStart] : "00:00");
  if (!start) {
    report.Add(
        number, who,
        Tr("начало «") + r[EventDate] + " " + r[EventStart] + Tr("» не дата: событие не записано"));
    return nullptr;
  }
  icalcomponent* event = icalcomponent_new_vevent();
  const std::string uid = "datebook-" + std::to_string(number) + "-" +
                          std::to_string(start->year * 10000 + start->month * 100 + start->day) +
                          "@quorix";
  icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
  icalcomponent_add_property(event, icalproperty_new_summary(title.c_str()));
  icaltimetype dtstart = *start;
  dtstart.is_date = timed ? 0 : 1;
  icalcomponent_add_property(event, icalproperty_new_dtstart(dtstart));
  const int minutes = NumberIn(Unquoted(r[EventDuration])).value_or(0);
  icalcomponent_add_property(
      event, icalproperty_new_duration(timed ? icaldurationtype_from_int(minutes * 60)
                                             : icaldurationtype_from_string("P1D")));

  const auto repeat = NumberIn(Unquoted(r[EventRepeat]));
  if (repeat && *repeat >= 1 && *repeat <= 5) {
    const std::string rule = RepeatRule(*repeat, *start);
    icalcomponent_add_property(
        event, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
  } else if (repeat != 0) {
    report.Add(number, who, Tr("повтор «") + r[EventRepeat] + Tr("» не переведён"));
  }

  if (Unquoted(r[EventAlarmFlag]) == "1") {
    const auto alarm = PhoneTime(r[EventAlarmDate], r[EventAlarmTime]);
    if (alarm) {
      const int offset = static_cast<int>(icaltime_as_timet(*alarm) - icaltime_as_timet(*start));
      icalcomponent_add_component(event, Alarm(title, offset));
    } else {
      report.Add(number, who,
                 Tr("оповещение «") + r[EventAlarmDate] + " " + r[EventAlarmTime] +
                     Tr("» не дата: не записано"));
    }
  }
  return event;
}

}  // namespace

CalendarExport DatebookICalendar(const DatebookTable& table, int64_t nowSeconds) {
  CalendarExport out;
  Component calendar(icalcomponent_new_vcalendar());
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Quorix//Datebook//RU"));
  const icaltimetype stamp = icaltime_from_timet_with_zone(static_cast<time_t>(nowSeconds), 0,
                                                           icaltimezone_get_utc_timezone());
  for (int n = 0; n < kDatebookRecords; ++n) {
    if (!DatebookRecordUsed(table[n])) continue;
    if (icalcomponent* event = RecordEvent(n, table[n], stamp, out.Report)) {
      icalcomponent_add_component(calendar.get(), event);
      ++out.Events;
    }
  }
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  out.Text = text;
  icalmemory_free_buffer(text);
  return out;
}

namespace {

// A time of the file as the phone's local time: floating times and dates as they are, times
// with a zone or in UTC turned into this computer's local time.
icaltimetype LocalTime(const icaltimetype& t) {
  if (icaltime_is_date(t) || (!t.zone && !icaltime_is_utc(t))) return t;
  const time_t when =
      icaltime_as_timet_with_zone(t, t.zone ? t.zone : icaltimezone_get_utc_timezone());
  std::tm local{};
  localtime_r(&when, &local);
  icaltimetype out = icaltime_null_time();
  out.year = local.tm_year + 1900;
  out.month = local.tm_mon + 1;
  out.day = local.tm_mday;
  out.hour = local.tm_hour;
  out.minute = local.tm_min;
  return out;
}

icaltimetype Plus(icaltimetype t, int seconds) {
  t.is_date = 0;
  icaltime_adjust(&t, 0, 0, 0, seconds);
  return t;
}

bool OnlyList(const short* list, short value, short size) {
  return list[0] == value && (size == 1 || list[1] == ICAL_RECURRENCE_ARRAY_MAX);
}

bool Empty(const short* list) {
  return list[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// The phone's repeat code for a rule, or nothing when the phone has none like it. A rule that
// ends (COUNT, UNTIL) is taken as one that does not, which the caller reports.
std::optional<int> RepeatCode(const icalrecurrencetype& rule, const icaltimetype& start) {
  if (rule.interval > 1 || !Empty(rule.by_second) || !Empty(rule.by_minute) ||
      !Empty(rule.by_hour) || !Empty(rule.by_year_day) || !Empty(rule.by_week_no) ||
      !Empty(rule.by_set_pos)) {
    return std::nullopt;
  }
  const short weekday = static_cast<short>(icaltime_day_of_week(start));
  const bool days = Empty(rule.by_day);
  const bool monthDays = Empty(rule.by_month_day);
  const bool months = Empty(rule.by_month);
  switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
      return days && monthDays && months ? std::optional<int>(1) : std::nullopt;
    case ICAL_WEEKLY_RECURRENCE:
      return (days || OnlyList(rule.by_day, weekday, ICAL_BY_DAY_SIZE)) && monthDays && months
                 ? std::optional<int>(2)
                 : std::nullopt;
    case ICAL_MONTHLY_RECURRENCE:
      if (!months) return std::nullopt;
      if (days) {
        return monthDays || OnlyList(rule.by_month_day, static_cast<short>(start.day),
                                     ICAL_BY_MONTHDAY_SIZE)
                   ? std::optional<int>(3)
                   : std::nullopt;
      }
      if (monthDays && rule.by_day[1] == ICAL_RECURRENCE_ARRAY_MAX &&
          icalrecurrencetype_day_day_of_week(rule.by_day[0]) == weekday) {
        const int nth = icalrecurrencetype_day_position(rule.by_day[0]);
        const int last = start.day + 7 > icaltime_days_in_month(start.month, start.year) ? -1 : 0;
        if (nth == (start.day - 1) / 7 + 1 || (nth == -1 && last == -1)) return 4;
      }
      return std::nullopt;
    case ICAL_YEARLY_RECURRENCE:
      return days &&
                     (monthDays || OnlyList(rule.by_month_day, static_cast<short>(start.day),
                                            ICAL_BY_MONTHDAY_SIZE)) &&
                     (months ||
                      OnlyList(rule.by_month, static_cast<short>(start.month), ICAL_BY_MONTH_SIZE))
                 ? std::optional<int>(5)
                 : std::nullopt;
    default:
      return std::nullopt;
  }
}

// The alarm's time: the first VALARM's trigger, relative to the start (or the end) or absolute.
std::optional<icaltimetype> AlarmTime(icalcomponent* event, const icaltimetype& start,
                                      int durationSeconds) {
  for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
       alarm; alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
    icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (!p) continue;
    const icaltriggertype trigger = icalproperty_get_trigger(p);
    if (!icaltime_is_null_time(trigger.time)) return LocalTime(trigger.time);
    icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
    const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
    return Plus(start, icaldurationtype_as_int(trigger.duration) + (fromEnd ? durationSeconds : 0));
  }
  return std::nullopt;
}

class EventImporter {
 public:
  explicit EventImporter(DatebookTable& table) : table_(table) {
    for (const DatebookRecord& r : table_) {
      if (DatebookRecordUsed(r)) held_.insert(Key(r));
    }
  }

  void Add(icalcomponent* event);
  CalendarImport Outcome() {
    if (missing_ > 0) {
      out_.Report.Add(kNoRecord, Tr("Ежедневник"),
                      Tr("в телефоне ") + std::to_string(kDatebookRecords) +
                          Tr(" записей, не поместилось событий: ") + std::to_string(missing_));
    }
    return std::move(out_);
  }

 private:
  static constexpr int kNoRecord = -1;

  static std::string Key(const DatebookRecord& r) {
    std::string key;
    for (const std::string& field : r) key += field + '\n';
    return key;
  }

  int FreeRecord() {
    while (next_ < kDatebookRecords && DatebookRecordUsed(table_[next_])) ++next_;
    return next_ < kDatebookRecords ? next_ : -1;
  }

  DatebookTable& table_;
  std::set<std::string> held_;
  int next_ = 0;
  int missing_ = 0;
  CalendarImport out_;
};

void EventImporter::Add(icalcomponent* event) {
  const int item = out_.Events++;
  const char* summary = icalcomponent_get_summary(event);
  const PhoneTextFit title = FitPhoneText(summary ? summary : "", kPhoneEventTitleLength);
  const icaltimetype dtstart = icalcomponent_get_dtstart(event);
  std::string who = title.text;
  if (!icaltime_is_null_time(dtstart)) {
    who += " (" + std::string(icaltime_as_ical_string(dtstart)).substr(0, 8) + ")";
  }
  TransferReport& report = out_.Report;
  if (title.text.empty()) {
    report.Add(item, who.empty() ? Tr("событие ") + std::to_string(item + 1) : who,
               Tr("нет названия: не добавлено"));
    return;
  }
  if (icaltime_is_null_time(dtstart)) {
    report.Add(item, who, Tr("нет начала: не добавлено"));
    return;
  }
  if (title.cut) {
    report.Add(item, who, Tr("название сокращено до 64 символов"));
  }
  if (!title.dropped.empty()) {
    report.Add(item, who,
               Tr("в названии пропущены символы, которых нет в телефоне: ") +
                   DroppedCharactersText(title.dropped));
  }

  const bool timed = !icaltime_is_date(dtstart);
  const icaltimetype start = LocalTime(dtstart);
  const int duration = icaldurationtype_as_int(icalcomponent_get_duration(event));
  if (!timed && duration > 24 * 3600) {
    report.Add(item, who, Tr("событие на несколько дней: в телефоне только первый"));
  }
  DatebookRecord r;
  r[EventDescription] = EncodeUcs2Hex(title.text);
  r[EventTimedFlag] = timed ? "1" : "0";
  r[EventStart] = timed ? PhoneClock(start) : "\"00:00\"";
  r[EventDate] = PhoneDate(start);
  r[EventDuration] = std::to_string(timed && duration > 0 ? duration / 60 : 0);
  const auto alarm = AlarmTime(event, start, duration);
  r[EventAlarmFlag] = alarm ? "1" : "0";
  r[EventAlarmTime] = alarm ? PhoneClock(*alarm) : kNoAlarmTime;
  r[EventAlarmDate] = alarm ? PhoneDate(*alarm) : kNoAlarmDate;
  r[EventRepeat] = "0";
  if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype rule = icalproperty_get_rrule(p);
    const auto code = RepeatCode(rule, start);
    if (!code) {
      report.Add(item, who,
                 Tr("повтор ") +
                     icalrecurrencetype_as_string(const_cast<icalrecurrencetype*>(&rule)) +
                     Tr(" телефон не знает: событие записано один раз"));
    } else {
      r[EventRepeat] = std::to_string(*code);
      if (rule.count > 0 || !icaltime_is_null_time(rule.until)) {
        report.Add(item, who, Tr("у повтора в телефоне нет конца"));
      }
    }
  }
  if (icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY) ||
      icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY)) {
    report.Add(item, who, Tr("исключения и добавочные даты повтора не переносятся"));
  }

  if (!held_.insert(Key(r)).second) {
    ++out_.Duplicates;
    return;
  }
  const int free = FreeRecord();
  if (free < 0) {
    ++missing_;
    return;
  }
  table_[free] = r;
  ++out_.Added;
}

Component Parsed(std::string_view text) {
  const std::string copy(text);
  return Component(icalparser_parse_string(copy.c_str()));
}

}  // namespace

bool IsICalendar(std::string_view text) {
  const Component root = Parsed(text);
  return root && (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT ||
                  icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT ||
                  icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT);
}

CalendarImport AddCalendarEvents(DatebookTable& table, std::string_view text) {
  const Component root = Parsed(text);
  EventImporter importer(table);
  if (!root) return importer.Outcome();
  if (icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT) {
    importer.Add(root.get());
    return importer.Outcome();
  }
  // Several calendars in one file come as an XROOT holding them.
  std::vector<icalcomponent*> calendars;
  if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
    for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
         c; c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
      calendars.push_back(c);
    }
  } else {
    calendars.push_back(root.get());
  }
  for (icalcomponent* calendar : calendars) {
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
      importer.Add(e);
    }
  }
  return importer.Outcome();
}

}  // namespace quorix
