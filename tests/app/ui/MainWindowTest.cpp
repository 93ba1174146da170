#include "app/ui/MainWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>

#include "MessageBoxAnswer.h"
#include "QtPrinting.h"
#include "SettingsFolder.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ConsolePage.h"
#include "app/ui/ListPage.h"
#include "app/ui/ToolkitLook.h"

namespace quorix::ui {
namespace {

TEST(MainWindowTest, StartsWithItsTitleLayoutPagesAndStatus) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  window.show();
  EXPECT_EQ(window.windowTitle(), "Quorix");
  QStringList captions;
  for (int i = 0; i < window.pages()->count(); ++i) captions << window.pages()->tabText(i);
  EXPECT_EQ(captions, (QStringList{"Справочник", "Категории", "Дерево категорий", "Ежедневник",
                                   "Сообщения", "Файлы телефона", "Настройки", "AT Команды"}));
  EXPECT_EQ(window.pages()->currentIndex(), 0);
  EXPECT_EQ(window.StatusText(0), "Status: Disconnected");

  EXPECT_EQ(window.LV()->columnCount(), 16);
  EXPECT_EQ(window.LV()->headerItem()->text(7), "Основной номер");
  // The shipped widths show every caption whole.
  for (QTreeWidget* list : {window.LV(), window.LVCat(), window.LVCal()}) {
    for (int column = 0; column < list->columnCount(); ++column) {
      EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column))
          << list->headerItem()->text(column).toStdString();
    }
  }
  EXPECT_EQ(window.LVCat()->columnCount(), 4);
  EXPECT_EQ(window.LVCat()->columnWidth(2), 150);
  EXPECT_EQ(window.LVCal()->columnCount(), 10);
  EXPECT_EQ(window.Page(1)->Button("Button5")->text(), "Редактировать");
  EXPECT_EQ(window.Page(2)->Button("Button13")->text(), "Развернуть");
  EXPECT_EQ(window.Page(3)->Button("Button10")->text(), "Восстановить");

  // The list's column widths are the settings' column widths.
  window.LV()->setColumnWidth(1, 140);
  EXPECT_EQ(window.State().settings.ColumnWidths[1], 140);
}

TEST(MainWindowTest, SaysOnceInTheLogThatAPublishedPortsFolderOpenToOthersIsNotUsed) {
  SettingsFolder folder;
  const std::string ports = (folder.Dir() / "ports").string();
  std::filesystem::create_directory(ports);
  std::filesystem::permissions(ports, std::filesystem::perms::all);
  setenv("QUORIX_PUBLISHED_PORTS", ports.c_str(), 1);
  MainWindow window(folder.Path());
  unsetenv("QUORIX_PUBLISHED_PORTS");
  std::filesystem::remove(ports);
  const QString log = window.Console()->LogMemo()->toPlainText();
  EXPECT_EQ(log.count("Папка опубликованных портов не используется"), 1) << log.toStdString();
  EXPECT_TRUE(log.contains("открыта для группы или других пользователей"));
}

TEST(MainWindowTest, TheToolkitSpeaksTheWindowsLanguageAndTheProgramHasItsIcon) {
  QTranslator* translator = InstallToolkitTranslations(*QCoreApplication::instance());
  ASSERT_NE(translator, nullptr) << "Qt's Russian catalog (qt6-translations-l10n) is missing";
  QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Yes | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Да");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove('&'), "Отмена");
  QCoreApplication::removeTranslator(translator);
  delete translator;

  EXPECT_FALSE(ProgramIcon(QUORIX_BIN_DIR).isNull()) << "drawn beside the program in the build";
  EXPECT_TRUE(ProgramIcon("/quorix/nowhere").isNull() || QIcon::hasThemeIcon("quorix"));
}

TEST(MainWindowTest, MenusShowTheKeysOfTheList) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  QStringList shown;
  for (QAction* menu : window.menuBar()->actions()) {
    for (QAction* item : menu->menu()->actions()) {
      if (item->menu()) {
        for (QAction* sub : item->menu()->actions()) {
          if (!sub->shortcut().isEmpty()) shown << sub->text() + " " + sub->shortcut().toString();
        }
      } else if (!item->shortcut().isEmpty()) {
        shown << item->text() + " " + item->shortcut().toString();
      }
    }
  }
  EXPECT_EQ(shown, (QStringList{"Добавить Ins", "Редактировать F2", "Удалить Del",
                                "Читать справочник F3"}));
}

TEST(MainWindowTest, OffersEveryCommand) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  for (const char* name : {"ToolButton1", "ToolButton2", "ToolButton4", "ToolButton5",
                           "ToolButton7", "ToolButton8", "ToolButton9", "ToolButton11",
                           "ToolButton12", "ToolButton13", "ToolButton15", "ToolButton16"}) {
    auto* button = window.findChild<QToolButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_FALSE(button->icon().isNull()) << name;
  }
  EXPECT_EQ(window.Command("ToolButton16")->toolTip(), "Полная очистка справочника");

  // A menu item follows the command it forwards to.
  QAction* readItem = nullptr;
  for (QAction* menu : window.menuBar()->actions()) {
    for (QAction* item : menu->menu()->actions()) {
      if (item->text() == "Загрузить данные") readItem = item;
    }
  }
  ASSERT_NE(readItem, nullptr);
  QAction* upload = window.Command("ToolButton13");
  upload->setEnabled(false);
  EXPECT_FALSE(readItem->isEnabled());
  upload->setEnabled(true);
  ASSERT_TRUE(readItem->isEnabled());
  int uploads = 0;
  QObject::connect(upload, &QAction::triggered, [&] { ++uploads; });
  MessageBoxAnswer ok(QMessageBox::Ok);  // the upload wants a phone first
  readItem->trigger();
  EXPECT_EQ(uploads, 1);
  EXPECT_EQ(ok.texts, QStringList{"Подключитесь к телефону!"});
  EXPECT_TRUE(window.Page(3)->Button("Button2")->isEnabled());

  // Every command is built.
  for (const char* name :
       {"ToolButton4", "ToolButton5", "ToolButton7", "ToolButton8", "ToolButton9", "ToolButton11",
        "ToolButton12", "ToolButton13", "ToolButton15", "ToolButton16", "Button4", "Button5",
        "Button6", "Button13", "Button14", "Button2", "Button7", "Button10"}) {
    EXPECT_TRUE(window.Command(name)->isEnabled()) << name;
  }
}

TEST(MainWindowTest, ViewMenuShowsThePagesInItsOwnOrder) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  QMenu* view = nullptr;
  for (QAction* menu : window.menuBar()->actions()) {
    if (menu->text() == "Вид") view = menu->menu();
  }
  ASSERT_NE(view, nullptr);
  const auto items = view->actions();
  ASSERT_EQ(items.size(), 6);
  EXPECT_EQ(items[4]->text(), "AT Команды");
  items[4]->trigger();
  EXPECT_EQ(window.pages()->currentIndex(), 5);
  EXPECT_EQ(items[5]->text(), "Настройки");
  items[5]->trigger();
  EXPECT_EQ(window.pages()->currentIndex(), 4);
}

TEST(MainWindowTest, HelpAndAboutShowTheirTexts) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  MessageBoxAnswer answer(QMessageBox::Ok);
  window.Command("Help")->trigger();
  EXPECT_EQ(answer.text, "Справка будет готова немного позже...");

  window.Command("About")->trigger();
  EXPECT_TRUE(window.Form5()->isVisible());
  EXPECT_EQ(window.Form5()->windowTitle(), "About");
  EXPECT_TRUE(AboutBox::Libraries().contains(qVersion()));
  auto* ok = window.Form5()->findChild<QPushButton*>("OKButton");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "&OK");
  ok->click();
  EXPECT_FALSE(window.Form5()->isVisible());
}

// Without changes nothing is asked (see StartupShutdownTest).
}  // namespace
}  // namespace quorix::ui
