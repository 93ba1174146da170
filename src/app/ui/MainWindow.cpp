#include "app/ui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <exception>

#include "app/ui/AboutBox.h"
#include "app/ui/ConsolePage.h"
#include "app/ui/ListPage.h"
#include "app/ui/ProgressWindow.h"
#include "app/ui/SettingsPageWidget.h"
#include "app/ui/Text.h"
#include "codec/CodePage.h"

namespace quorix::ui {

MainWindow::MainWindow(std::string settingsPath, QWidget* parent)
    : QMainWindow(parent), settingsPath_(std::move(settingsPath)), pages_(new QTabWidget(this)) {
  setObjectName("Form1");
  setWindowTitle("Quorix");
  setGeometry(245, 97, 978, 673);
  for (int i = 1; i <= 20; ++i) state_.settings.PortItems.push_back("COM" + std::to_string(i));
  BuildPages();
  BuildStatusBar();
  BuildCommands();
  BuildToolbar();
  BuildMenus();
  BuildPopupMenu();
  BindPageButtons();
  BindOwnCommands();
  form3_ = new ProgressWindow(this, [this] { state_.AbortRequested = true; });
  form5_ = new AboutBox(this);
}

MainWindow::~MainWindow() {
  delete form3_;
}

void MainWindow::SetPortOverride(const std::string& port) {
  portOverride_ = port;
}

void MainWindow::BuildPages() {
  pages_->setObjectName("PageControl1");
  setCentralWidget(pages_);
  lv_ = MakeReportList("LV", {{"#", 30},
                              {"Имя", 100},
                              {"Телефон", 100},
                              {"Тип", 50},
                              {"Мелодия", 60},
                              {"Категория", 60},
                              {"Картинка", 70},
                              {"Основной номер", 80},
                              {"Район", 50},
                              {"Улица", 50},
                              {"Город", 50},
                              {"Область", 50},
                              {"Индекс", 50},
                              {"Страна", 50},
                              {"Псевдоним", 50},
                              {"День рождения", 50}});
  lv_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The column widths are settings: every resize goes into the state that is saved.
  connect(lv_->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
    if (column < 16) state_.settings.ColumnWidths[column] = size;
  });
  lvCat_ = MakeReportList(
      "LVCat", {{"#", 30}, {"Категория", 100}, {"Мелодия", 150}, {"Световой вызов", 90}});
  tr_ = new QTreeWidget;
  tr_->setObjectName("Tr");
  tr_->setHeaderHidden(true);
  tr_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvCal_ = MakeReportList("LVCal", {{"#", 30},
                                    {"Описание события", 150},
                                    {"Повтор", 60},
                                    {"Unk", 40},
                                    {"Начало", 60},
                                    {"Дата", 80},
                                    {"Продолжительность", 110},
                                    {"Оповещение", 80},
                                    {"Unk", 40},
                                    {"Unk", 40}});
  pages_->addTab(new ListPage(lv_, "", {}), "Справочник");
  pages_->addTab(
      new ListPage(lvCat_, "Меню категорий",
                   {{"Button4", "Добавить"}, {"Button5", "Редактировать"}, {"Button6", "Удалить"}}),
      "Категории");
  pages_->addTab(
      new ListPage(tr_, "Меню категорий", {{"Button13", "Развернуть"}, {"Button14", "Свернуть"}}),
      "Дерево категорий");
  pages_->addTab(
      new ListPage(lvCal_, "Меню ежедневника",
                   {{"Button2", "Читать"}, {"Button7", "Сохранить"}, {"Button10", "Восстановить"}}),
      "Ежедневник");
  settingsPage_ = new SettingsPageWidget(state_.settings);
  pages_->addTab(settingsPage_, "Настройки");
  console_ = new ConsolePage;
  pages_->addTab(console_, "AT Команды");
}

ListPage* MainWindow::Page(int index) const {
  return qobject_cast<ListPage*>(pages_->widget(index));
}

void MainWindow::BuildStatusBar() {
  auto* bar = statusBar();
  bar->setObjectName("SB");
  bar->setSizeGripEnabled(true);
  const int widths[] = {180, 300, 50};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(bar);
    panels_[i]->setObjectName(QString("SBPanel%1").arg(i));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (i < 2) {
      panels_[i]->setFixedWidth(widths[i]);
      bar->addWidget(panels_[i]);
    } else {
      // The last panel takes the rest of the bar, so a long model name stays readable.
      panels_[i]->setMinimumWidth(widths[i]);
      bar->addWidget(panels_[i], 1);
    }
  }
}

QString MainWindow::StatusText(int panel) const {
  return panels_[panel]->text();
}

void MainWindow::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    QMessageBox::critical(this, QCoreApplication::applicationName(), FromAnsi(error.what()));
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void MainWindow::FormShow() {
  state_.AbortRequested = false;
  SetStatus(0, "Status: Disconnected");
  pages_->setCurrentIndex(0);
  lv_->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!exiting_) FormCloseQuery();
  form3_->hide();
  form5_->hide();
  event->accept();
}

void MainWindow::FormCloseQuery() {
  if (state_.DataModified &&
      AskYesNo(Ansi("Внимание!"), Ansi("Вы хотите загрузить все измененные данные в телефон?"))) {
    QAction* upload = Command("ToolButton13");
    if (upload->isEnabled()) {
      upload->trigger();
    } else {
      Message(Ansi("Внимание!"),
              Ansi("Загрузка данных в телефон пока недоступна: изменения не загружены."),
              MessageIcon::Warning);
    }
  }
}

void MainWindow::Exit() {
  exiting_ = true;
  QCoreApplication::exit(0);
}

}  // namespace quorix::ui
