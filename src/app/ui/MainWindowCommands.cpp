#include <QAction>
#include <QDesktopServices>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <filesystem>

#include "app/ProgramPaths.h"
#include "app/Settings.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ConsolePage.h"
#include "app/ui/ListPage.h"
#include "app/ui/MainWindow.h"
#include "app/ui/SettingsPageWidget.h"
#include "app/ui/Text.h"
#include "app/ui/ToolIcons.h"
#include "base/BackupFileChoice.h"
#include "base/ConsoleLog.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "link/ConsoleCommand.h"
#include "link/p2k/PhoneFileServices.h"

namespace quorix::ui {

namespace {

struct ToolCommand {
  const char* name;
  const char* hint;
  ToolIcon icon;
};

// The toolbar, left to right; a null name is a separator.
const ToolCommand kToolbar[] = {
    {"ToolButton1", N_("Подключиться"), ToolIcon::Connect},
    {"ToolButton2", N_("Отключиться"), ToolIcon::Disconnect},
    {nullptr, nullptr, ToolIcon::Connect},
    {"ToolButton4", N_("Читать справочник"), ToolIcon::ReadPhonebook},
    {"ToolButton5", N_("Дефрагментация записей"), ToolIcon::Defragment},
    {nullptr, nullptr, ToolIcon::Connect},
    {"ToolButton7", N_("Добавить"), ToolIcon::AddEntry},
    {"ToolButton8", N_("Редактировать"), ToolIcon::EditEntry},
    {"ToolButton9", N_("Удалить"), ToolIcon::DeleteEntries},
    {nullptr, nullptr, ToolIcon::Connect},
    {"ToolButton11", N_("Резервная копия"), ToolIcon::SaveToFile},
    {"ToolButton12", N_("Восстановить справочник"), ToolIcon::RestoreFromFile},
    {"ToolButton13", N_("Загрузить данные в телефон"), ToolIcon::Upload},
    {nullptr, nullptr, ToolIcon::Connect},
    {"ToolButton15", N_("Удалить файл MyToneDB.db"), ToolIcon::DeleteToneDb},
    {"ToolButton16", N_("Полная очистка справочника"), ToolIcon::ClearPhonebook},
};

// Page buttons that carry a command of their own.
const char* const kPageButtons[] = {
    "Button4",      "Button5",       "Button6",     "Button13",        "Button14",
    "Button2",      "Button7",       "Button10",    "ExportICalendar", "ImportICalendar",
    "FilesRefresh", "FilesDownload", "FilesUpload", "FilesDelete",     "FilesMakeFolder",
    "SmsRead",      "SmsOpen",       "SmsSave",     "SmsExport"};

}  // namespace

QAction* MainWindow::AddCommand(const QString& name, const QString& text) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setEnabled(false);
  commands_[name] = action;
  return action;
}

QAction* MainWindow::Command(const QString& name) const {
  auto found = commands_.find(name);
  return found == commands_.end() ? nullptr : found->second;
}

void MainWindow::BindCommand(const QString& name, std::function<void()> handler) {
  QAction* action = Command(name);
  connect(action, &QAction::triggered, this,
          [this, handler = std::move(handler)] { Guarded(handler); });
  action->setEnabled(true);
}

QAction* MainWindow::Forward(const QString& text, const QString& command) {
  QAction* target = Command(command);
  auto* item = new QAction(text, this);
  item->setEnabled(target->isEnabled());
  connect(item, &QAction::triggered, target, &QAction::trigger);
  connect(target, &QAction::enabledChanged, item, &QAction::setEnabled);
  return item;
}

// The key the list answers to, shown in the menu; the item itself answers to it only while its
// menu is open, so the list's own shortcut stays the one that acts.
QAction* MainWindow::WithKey(QAction* item, const QKeySequence& key) {
  item->setShortcut(key);
  item->setShortcutContext(Qt::WidgetShortcut);
  return item;
}

void MainWindow::BuildCommands() {
  for (const auto& tool : kToolbar) {
    if (!tool.name) continue;
    QAction* action = AddCommand(tool.name, FromCore(quorix::Tr(tool.hint)));
    action->setIcon(ToolbarIcon(tool.icon));
    action->setToolTip(FromCore(quorix::Tr(tool.hint)));
  }
  for (const char* name : kPageButtons) AddCommand(name, name);
  for (const char* name : {"Button8", "Button9", "Button11", "Button12"}) AddCommand(name, name);
  AddCommand("ExportVCard", FromCore(quorix::Tr("Экспорт в vCard…")));
  AddCommand("ImportVCard", FromCore(quorix::Tr("Импорт из vCard…")));
  AddCommand("RestoreEntries", FromCore(quorix::Tr("Отменить удаление")));
  AddCommand("Exit", FromCore(quorix::Tr("&Выход")));
  AddCommand("Help", FromCore(quorix::Tr("&Вызов справки")));
  AddCommand("About", FromCore(quorix::Tr("&О программе")));
}

void MainWindow::BuildToolbar() {
  auto* bar = addToolBar("ToolBar1");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  for (const auto& tool : kToolbar) {
    if (!tool.name) {
      bar->addSeparator();
      continue;
    }
    QAction* action = Command(tool.name);
    bar->addAction(action);
    bar->widgetForAction(action)->setObjectName(tool.name);
  }
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(FromCore(quorix::Tr("&Файл")));
  file->addAction(Forward(FromCore(quorix::Tr("&Открыть")), "ToolButton12"));
  file->addAction(Forward(FromCore(quorix::Tr("&Сохранить как")), "ToolButton11"));
  file->addSeparator();
  file->addAction(Forward(FromCore(quorix::Tr("Экспорт в vCard…")), "ExportVCard"));
  file->addAction(Forward(FromCore(quorix::Tr("Импорт из vCard…")), "ImportVCard"));
  file->addSeparator();
  file->addAction(Command("Exit"));

  QMenu* edit = menuBar()->addMenu(FromCore(quorix::Tr("Правка")));
  QMenu* entries = edit->addMenu(FromCore(quorix::Tr("Справочник")));
  entries->addAction(
      WithKey(Forward(FromCore(quorix::Tr("Добавить")), "ToolButton7"), Qt::Key_Insert));
  entries->addAction(
      WithKey(Forward(FromCore(quorix::Tr("Редактировать")), "ToolButton8"), Qt::Key_F2));
  entries->addAction(
      WithKey(Forward(FromCore(quorix::Tr("Удалить")), "ToolButton9"), Qt::Key_Delete));
  entries->addAction(Forward(FromCore(quorix::Tr("Отменить удаление")), "RestoreEntries"));
  QMenu* categories = edit->addMenu(FromCore(quorix::Tr("Категории")));
  categories->addAction(Forward(FromCore(quorix::Tr("Добавить")), "Button4"));
  categories->addAction(Forward(FromCore(quorix::Tr("Редактировать")), "Button5"));
  categories->addAction(Forward(FromCore(quorix::Tr("Удалить")), "Button6"));
  QMenu* datebook = edit->addMenu(FromCore(quorix::Tr("Ежедневник")));
  datebook->addAction(Forward(FromCore(quorix::Tr("Читать")), "Button2"));
  datebook->addAction(Forward(FromCore(quorix::Tr("Сохранить")), "Button7"));
  datebook->addAction(Forward(FromCore(quorix::Tr("Восстановить")), "Button10"));
  datebook->addSeparator();
  datebook->addAction(Forward(FromCore(quorix::Tr("Экспорт в iCalendar…")), "ExportICalendar"));
  datebook->addAction(Forward(FromCore(quorix::Tr("Импорт из iCalendar…")), "ImportICalendar"));

  QMenu* view = menuBar()->addMenu(FromCore(quorix::Tr("Вид")));
  const std::pair<const char*, int> shown[] = {{N_("Справочник"), 0},       {N_("Категории"), 1},
                                               {N_("Дерево категорий"), 2}, {N_("Ежедневник"), 3},
                                               {N_("AT Команды"), 5},       {N_("Настройки"), 4}};
  for (const auto& [caption, page] : shown) {
    view->addAction(FromCore(quorix::Tr(caption)), this,
                    [this, page = page] { pages_->setCurrentIndex(page); });
  }

  QMenu* service = menuBar()->addMenu(FromCore(quorix::Tr("Сервис")));
  service->addAction(Forward(FromCore(quorix::Tr("Подключиться")), "ToolButton1"));
  service->addAction(Forward(FromCore(quorix::Tr("Отключиться")), "ToolButton2"));
  service->addSeparator();
  service->addAction(
      WithKey(Forward(FromCore(quorix::Tr("Читать справочник")), "ToolButton4"), Qt::Key_F3));
  service->addAction(Forward(FromCore(quorix::Tr("Загрузить данные")), "ToolButton13"));
  service->addAction(Forward(FromCore(quorix::Tr("Очистить справочник")), "ToolButton16"));
  service->addAction(Forward(FromCore(quorix::Tr("Дефрагментация записей")), "ToolButton5"));
  service->addSeparator();
  service->addAction(Forward(FromCore(quorix::Tr("Удалить файл MyToneDB.db")), "ToolButton15"));

  QMenu* help = menuBar()->addMenu(FromCore(quorix::Tr("&Помощь")));
  help->addAction(Command("Help"));
  help->addAction(Command("About"));
}

void MainWindow::BindOwnCommands() {
  BindCommand("Exit", [this] { Exit(); });
  BindCommand("Help", [this] {
    const std::string guide = UserGuidePath(ProgramDirectory());
    if (guide.empty() ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(guide)))) {
      Message(std::string("Quorix"), quorix::Tr("Справка будет готова немного позже..."),
              MessageIcon::Information);
    }
  });
  BindCommand("About", [this] {
    form5_->show();
    form5_->raise();
  });
  BindCommand("ToolButton1", [this] { link_.ToolButton1Click(); });
  BindCommand("ToolButton2", [this] { link_.ToolButton2Click(); });
  BindCommand("ToolButton15", [this] { ToolButton15Click(p2k_, link_, state_.link, *this); });
  BindCommand("Button8", [this] { Button8Click(); });
  BindCommand("Button9", [this] { Button9Click(); });
  BindCommand("Button11", [this] { Button11Click(); });
  BindCommand("Button12", [this] { ReadAllSettings(); });
}

void MainWindow::Button8Click() {
  if (link_.RequireConnection()) SendConsoleCommand(link_, *this, console_->Command());
}

// The full path, so that a refusal names the folder that cannot be written.
void MainWindow::Button9Click() {
  std::error_code ec;
  const std::string path = (std::filesystem::current_path(ec) / "LogMemo.txt").string();
  SaveLogFile(path, console_->LogLines());
  TellSaved(*this, quorix::Tr("Журнал сохранён"), path);
}

void MainWindow::Button11Click() {
  WriteSettings(settingsPath_, state_.settings);
  Message(quorix::Tr("Внимание!"), quorix::Tr("Установки успешно сохранены!"),
          MessageIcon::Warning);
}

}  // namespace quorix::ui
