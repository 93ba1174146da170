#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>
#include <filesystem>

#include "app/ui/FileDialogAnswer.h"
#include "app/ui/ListPage.h"
#include "app/ui/ProgressWindow.h"
#include "phonebook/ui/PhonebookWindow.h"
#include "support/Hex.h"

namespace quorix::ui {
namespace {

QAction* DatebookMenuItem(MainWindow& window, const QString& text) {
  for (QAction* menu : window.menuBar()->actions()) {
    if (menu->text() != "Правка") continue;
    for (QAction* sub : menu->menu()->actions()) {
      if (sub->text() != "Ежедневник") continue;
      for (QAction* item : sub->menu()->actions())
        if (item->text() == text) return item;
    }
  }
  return nullptr;
}

TEST(DatebookPageTest, ReadShowsTheEventsAndSaveThenRestoreWritesThemBack) {
  PhonebookWindow w;
  QTreeWidget* list = w.window.LVCal();
  QStringList captions;
  for (int c = 0; c < list->columnCount(); ++c) captions << list->headerItem()->text(c);
  EXPECT_EQ(captions,
            (QStringList{"#", "Описание события", "Со временем", "Оповещение", "Начало", "Дата",
                         "Длительность", "Время оповещения", "Дата оповещения", "Повтор"}));

  w.window.Page(3)->Button("Button2")->click();
  ASSERT_EQ(list->topLevelItemCount(), 9);
  EXPECT_EQ(list->topLevelItem(1)->text(0), "1");
  EXPECT_EQ(list->topLevelItem(1)->text(1), "День рождения Анны");
  // As a person reads it: dates, times, the alarm only when it is on, the repeat in words.
  QStringList row;
  for (int c = 2; c < list->columnCount(); ++c) row << list->topLevelItem(1)->text(c);
  EXPECT_EQ(row,
            (QStringList{"Нет", "Да", "", "15.03.2027", "", "09:00", "15.03.2027", "Ежегодно"}));
  EXPECT_EQ(list->topLevelItem(8)->text(1), "Планёрка; отдел №2");

  const QString path = QString::fromStdString((w.folder.Dir() / "Ежедневник.csv").string());
  ChooseFile(path);
  DatebookMenuItem(w.window, "Сохранить")->trigger();
  ASSERT_TRUE(std::filesystem::exists(path.toStdString()));

  w.phone->Change([](emu::EmulatedPhone& p) {
    for (int i = 0; i < 9; ++i)
      p.PutDatebookEvent(
          i, {test::Hex("x"), "0", "0", "00:00", "01-01-2027", "0", "00:00", "00-00-2000", "0"});
  });
  MessageBoxAnswer ok(QMessageBox::Ok);
  ChooseFile(path);
  DatebookMenuItem(w.window, "Восстановить")->trigger();
  EXPECT_EQ(ok.texts, QStringList{"Загрузка успешно завершена!"});
  EXPECT_FALSE(w.window.Form3()->isVisible());
  std::string title;
  std::string planning;
  w.phone->Inspect([&](const emu::EmulatedPhone& p) {
    title = p.DatebookEvent(1)->title;
    planning = p.DatebookEvent(8)->title;
  });
  EXPECT_EQ(title, test::Hex("День рождения Анны"));
  EXPECT_EQ(planning, test::Hex("Планёрка; отдел №2"));

  DatebookMenuItem(w.window, "Читать")->trigger();
  EXPECT_EQ(list->topLevelItemCount(), 9);
  EXPECT_EQ(list->topLevelItem(0)->text(1), "Совещание");
}

}  // namespace
}  // namespace quorix::ui
