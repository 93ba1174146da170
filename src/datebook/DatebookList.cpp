#include "datebook/DatebookList.h"

#include "codec/CodePage.h"

namespace quorix {

const std::vector<ListColumn>& DatebookListColumns() {
  static const std::vector<ListColumn> columns = {{"#", 30},
                                                  {Ansi("Описание события"), 150},
                                                  {Ansi("Повтор"), 60},
                                                  {"Unk", 40},
                                                  {Ansi("Начало"), 60},
                                                  {Ansi("Дата"), 80},
                                                  {Ansi("Продолжительность"), 110},
                                                  {Ansi("Оповещение"), 80},
                                                  {"Unk", 40},
                                                  {"Unk", 40}};
  return columns;
}

}  // namespace quorix
