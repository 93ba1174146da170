#include "datebook/DatebookList.h"

#include <algorithm>

#include "codec/CodePage.h"
#include "codec/Ucs2.h"

namespace quorix {

const std::vector<ListColumn>& DatebookListColumns() {
  static const std::vector<ListColumn> columns = {{"#", 30},
                                                  {std::string("Описание события"), 150},
                                                  {std::string("Повтор"), 60},
                                                  {"Unk", 40},
                                                  {std::string("Начало"), 60},
                                                  {std::string("Дата"), 90},
                                                  {std::string("Продолжительность"), 110},
                                                  {std::string("Оповещение"), 80},
                                                  {"Unk", 90},
                                                  {"Unk", 40}};
  return columns;
}

DatebookListRow DatebookRow(int number, const DatebookRecord& record) {
  DatebookListRow row{std::to_string(number), record};
  row.Cells[EventDescription] = DecodeUcs2Hex(record[EventDescription]);
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

}  // namespace quorix
