#include "datebook/DatebookList.h"

#include <algorithm>

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/Ucs2.h"

namespace quorix {

namespace {

std::string YesNo(const std::string& flag) {
  if (flag == "1") return Tr("Да");
  if (flag == "0") return Tr("Нет");
  return flag;
}

// "02-24-2006" as a person reads it: "24.02.2006"; the phone's empty date "00-00-2000" shows
// nothing, anything else as it came.
std::string DateText(const std::string& value) {
  const std::string date = Unquoted(value);
  if (date == "00-00-2000") return {};
  if (date.size() == 10 && date[2] == '-' && date[5] == '-') {
    return date.substr(3, 2) + "." + date.substr(0, 2) + "." + date.substr(6);
  }
  return date;
}

std::string RepeatText(const std::string& code) {
  static const char* const kWords[] = {N_("Нет"),
                                       N_("Ежедневно"),
                                       N_("Еженедельно"),
                                       N_("Ежемесячно по числу"),
                                       N_("Ежемесячно по дню недели"),
                                       N_("Ежегодно")};
  if (code.size() == 1 && code[0] >= '0' && code[0] <= '5') return Tr(kWords[code[0] - '0']);
  return code;
}

}  // namespace

// Built anew at each call, so the captions follow the language in effect.
std::vector<ListColumn> DatebookListColumns() {
  return {{"#", 30},
          {Tr("Описание события"), 150},
          {Tr("Со временем"), 80},
          {Tr("Оповещение"), 80},
          {Tr("Начало"), 60},
          {Tr("Дата"), 80},
          {Tr("Длительность"), 90},
          {Tr("Время оповещения"), 110},
          {Tr("Дата оповещения"), 110},
          {Tr("Повтор"), 150}};
}

DatebookListRow DatebookRow(int number, const DatebookRecord& record) {
  DatebookListRow row{std::to_string(number), {}};
  const bool alarm = record[EventAlarmFlag] == "1";
  row.Cells[EventDescription] = DecodeUcs2Hex(record[EventDescription]);
  row.Cells[EventTimedFlag] = YesNo(record[EventTimedFlag]);
  row.Cells[EventAlarmFlag] = YesNo(record[EventAlarmFlag]);
  row.Cells[EventStart] = record[EventTimedFlag] == "0" ? "" : Unquoted(record[EventStart]);
  row.Cells[EventDate] = DateText(record[EventDate]);
  row.Cells[EventDuration] = record[EventDuration].empty() || record[EventTimedFlag] == "0"
                                 ? ""
                                 : record[EventDuration] + Tr(" мин");
  row.Cells[EventAlarmTime] = alarm ? Unquoted(record[EventAlarmTime]) : "";
  row.Cells[EventAlarmDate] = alarm ? DateText(record[EventAlarmDate]) : "";
  row.Cells[EventRepeat] = RepeatText(record[EventRepeat]);
  return row;
}

void ShowDatebookRow(std::vector<DatebookListRow>& list, DatebookListRow row) {
  const auto same = std::find_if(
      list.begin(), list.end(), [&](const DatebookListRow& r) { return r.Caption == row.Caption; });
  if (same != list.end()) {
    *same = std::move(row);
  } else {
    list.push_back(std::move(row));
  }
}

void RebuildDatebookList(std::vector<DatebookListRow>& list, const DatebookTable& table) {
  list.clear();
  for (int n = 0; n < kDatebookRecords; ++n) {
    if (DatebookRecordUsed(table[n])) list.push_back(DatebookRow(n, table[n]));
  }
}

}  // namespace quorix
