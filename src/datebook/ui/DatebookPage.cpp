#include "datebook/ui/DatebookPage.h"

#include <QTabWidget>
#include <QTreeWidget>

#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "datebook/DatebookList.h"

namespace quorix::ui {

DatebookPage::DatebookPage(const SubsystemHost& host) : QObject(host.window), host_(host) {
  lvCal_ = MakeReportList("LVCal", DatebookListColumns());
  auto* page =
      new ListPage(lvCal_, "Меню ежедневника",
                   {{"Button2", "Читать"}, {"Button7", "Сохранить"}, {"Button10", "Восстановить"}});
  host_.pages->addTab(page, "Ежедневник");
  BindPageButtons(page, host_.commands);
}

}  // namespace quorix::ui
