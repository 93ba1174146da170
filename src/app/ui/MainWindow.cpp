#include "app/ui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <exception>

#include "app/Settings.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ConsolePage.h"
#include "app/ui/ListPage.h"
#include "app/ui/Notifier.h"
#include "app/ui/NumberTypeIcons.h"
#include "app/ui/ProgressWindow.h"
#include "app/ui/SettingsPageWidget.h"
#include "app/ui/Text.h"
#include "codec/CodePage.h"
#include "phonebook/ui/PhonebookCommands.h"
#include "phonebook/ui/PhonebookViewBinder.h"

namespace quorix::ui {

MainWindow::MainWindow(std::string settingsPath, QWidget* parent)
    : QMainWindow(parent),
      settingsPath_(std::move(settingsPath)),
      link_(state_, *this, clock_),
      p2kBackend_(MakeP2KUsbBackend(clock_, SerialPortMapSource::DefaultPublishedPortsDir())),
      p2k_(*this, clock_, *p2kBackend_),
      notifier_(std::make_unique<Notifier>()),
      pages_(new QTabWidget(this)) {
  setObjectName("Form1");
  setWindowTitle("Quorix");
  resize(978, 673);
  move(245, 97);
  for (int i = 1; i <= 20; ++i) state_.settings.PortItems.push_back("COM" + std::to_string(i));
  BuildPages();
  BuildStatusBar();
  BuildCommands();
  BuildToolbar();
  BuildMenus();
  BuildPopupMenu();
  BindPageButtons();
  BindOwnCommands();
  phonebook_ = new PhonebookCommands(*this);
  form3_ = new ProgressWindow(this, [this] { state_.AbortRequested = true; });
  form5_ = new AboutBox(this);
  // The serial port's receive polling runs on this thread, between events; so does the delivery
  // of the P2K device's presence changes.
  pollTimer_.setInterval(link_.Com().PollingDelay());
  connect(&pollTimer_, &QTimer::timeout, this, [this] {
    if (link_.Com().Connected()) link_.Com().PollTick();
    p2k_.DeliverStateMessages();
  });
  pollTimer_.start();
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
  // Scrolls rather than keeping the window from being made smaller than the page.
  auto* settingsScroll = new QScrollArea;
  settingsScroll->setWidgetResizable(true);
  settingsScroll->setFrameShape(QFrame::NoFrame);
  settingsScroll->setWidget(settingsPage_);
  pages_->addTab(settingsScroll, "Настройки");
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

// A setting that does not convert stops the sequence there; the window stays usable.
void MainWindow::FormShow() {
  Guarded([this] {
    state_.AbortRequested = false;
    WindowLayout layout;
    ReadWindowLayout(settingsPath_, layout);
    resize(width(), layout.Height);
    resize(layout.Width, height());
    move(layout.Left, y());
    move(x(), layout.Top);
    ReadAllSettings();
    state_.phonebook.FirstIndex = 1;
    state_.phonebook.LastIndex = 1000;
    if (state_.settings.AutoConnect) {
      link_.ConnectPhone();
    } else {
      SetStatus(0, "Status: Disconnected");
    }
    pages_->setCurrentIndex(0);
    lv_->setFocus();
    if (state_.settings.AutoFind) {
      link_.FindSerialPorts();
      settingsPage_->Refresh();
    }
  });
}

void MainWindow::ReadAllSettings() {
  ReadSettings(settingsPath_, state_.settings, state_.phonebook.NumberTypeNames);
  if (!portOverride_.empty()) {
    storedPort_ = state_.settings.ComPort;
    state_.settings.ComPort = portOverride_;
  }
  settingsPage_->Refresh();
  ApplyColumnWidths();
  typeIcons_ = LoadNumberTypeIcons(state_.phonebook.NumberTypeNames);
  ApplyNumberTypeNames(state_.phonebook);
  // The type names and icons show in the phonebook views and the popup.
  phonebook_->Views().ShowAll();
}

void MainWindow::ApplyColumnWidths() {
  const auto widths = state_.settings.ColumnWidths;
  for (int column = 0; column < 16; ++column) {
    // -1 sizes a column to its contents, -2 to its caption.
    if (widths[column] == -1) {
      lv_->resizeColumnToContents(column);
    } else if (widths[column] == -2) {
      lv_->setColumnWidth(column, lv_->header()->sectionSizeHint(column));
    } else {
      lv_->setColumnWidth(column, widths[column]);
    }
  }
}

void MainWindow::WriteAllSettings() {
  WriteWindowLayout(settingsPath_, {height(), width(), x(), y()});
  SettingsPage stored = state_.settings;
  // A port given for this run only is not kept, unless the user chose another one meanwhile.
  if (!portOverride_.empty() && stored.ComPort == portOverride_) stored.ComPort = storedPort_;
  WriteSettings(settingsPath_, stored);
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
  Guarded([this] { WriteAllSettings(); });
}

void MainWindow::Exit() {
  exiting_ = true;
  QCoreApplication::exit(0);
}

}  // namespace quorix::ui
