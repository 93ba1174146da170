#include "datebook/ui/DatebookPage.h"

#include <QTabWidget>
#include <QTreeWidget>

#include "app/AppState.h"
#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "datebook/DatebookCommands.h"
#include "datebook/DatebookList.h"
#include "datebook/DatebookReader.h"
#include "datebook/ICalendarFile.h"
#include "link/PhoneConnection.h"

namespace quorix::ui {

DatebookPage::DatebookPage(const SubsystemHost& host) : QObject(host.window), host_(host) {
  lvCal_ = MakeReportList("LVCal", DatebookListColumns());
  // The translated captions live until the page has copied them.
  auto* page = new ListPage(lvCal_, FromCore(Tr("Меню ежедневника")),
                            {{"Button2", N_("Читать")},
                             {"Button7", N_("Сохранить")},
                             {"Button10", N_("Восстановить")},
                             {"ExportICalendar", N_("Экспорт в iCalendar…")},
                             {"ImportICalendar", N_("Импорт из iCalendar…")}});
  host_.pages->addTab(page, FromCore(Tr("Ежедневник")));
  BindPageButtons(page, host_.commands);
  BindCommands();
}

void DatebookPage::BindCommands() {
  AppState& app = host_.state;
  Shell& shell = host_.shell;
  CommandRegistry& commands = host_.commands;
  commands.BindCommand("Button2", [this] { Button2Click(); });
  commands.BindCommand("Button7", [this, &app, &shell] { Button7Click(app, shell, host_.clock); });
  // A restore or an import changes the table: the list shows what the phone now holds.
  commands.BindCommand("Button10", [this, &app, &shell] {
    Button10Click(app, shell, host_.link, host_.clock);
    ShowList();
  });
  commands.BindCommand("ExportICalendar",
                       [this, &app, &shell] { ExportICalendarClick(app, shell, host_.clock); });
  commands.BindCommand("ImportICalendar", [this, &app, &shell] {
    ImportICalendarClick(app, shell, host_.link, host_.clock);
    ShowList();
  });
}

void DatebookPage::ShowList() {
  lvCal_->clear();
  QList<QTreeWidgetItem*> items;
  for (const DatebookListRow& row : host_.state.datebook.LVCal) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromCore(row.Caption));
    for (int cell = 0; cell < kDatebookFields; ++cell)
      item->setText(cell + 1, FromCore(row.Cells[cell]));
    items << item;
  }
  lvCal_->addTopLevelItems(items);
}

void DatebookPage::Button2Click() {
  if (!host_.link.RequireConnection()) return;
  const DatebookReadOutcome outcome = ReadDatebook(host_.state, host_.shell, host_.link);
  ShowList();
  ReportDatebookReading(host_.shell, outcome);
}

}  // namespace quorix::ui
