#include "app/ui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <exception>

#include "app/ProgramLifecycle.h"
#include "app/ProgramPaths.h"
#include "app/Settings.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ConsolePage.h"
#include "app/ui/ListPage.h"
#include "app/ui/Notifier.h"
#include "app/ui/NumberTypeIcons.h"
#include "app/ui/PhoneFilesPage.h"
#include "app/ui/ProgressWindow.h"
#include "app/ui/SettingsPageWidget.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "datebook/ui/DatebookPage.h"
#include "link/PortName.h"
#include "link/PublishedPortsFolder.h"
#include "phonebook/ui/PhonebookCommands.h"
#include "phonebook/ui/PhonebookViewBinder.h"
#include "sms/ui/MessagesPage.h"

namespace quorix::ui {

MainWindow::MainWindow(std::string settingsPath, QWidget* parent)
    : QMainWindow(parent),
      settingsPath_(std::move(settingsPath)),
      link_(state_.settings, state_.link, *this, clock_),
      p2kBackend_(MakeP2KUsbBackend(clock_, DefaultPublishedPortsDir())),
      p2k_(*this, clock_, *p2kBackend_),
      notifier_(std::make_unique<Notifier>()),
      pages_(new QTabWidget(this)) {
  setObjectName("Form1");
  setWindowTitle("Quorix");
  resize(978, 673);
  move(245, 97);
  state_.settings.PortItems = ComPortNames();
  BuildStatusBar();
  BuildCommands();
  BuildPages();
  BuildToolbar();
  BuildMenus();
  BindOwnCommands();
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
  // Said once: the port search and the P2K step pass over such a folder in silence.
  const std::string problem = CheckPublishedPorts(DefaultPublishedPortsDir()).problem;
  if (!problem.empty()) LogLine(problem);
}

MainWindow::~MainWindow() {
  delete form3_;
}

void MainWindow::SetPortOverride(const std::string& port) {
  portOverride_ = PortOverride(port);
}

// The subsystems build their own pages, in the order of the tabs; the settings and the console
// are the window's.
void MainWindow::BuildPages() {
  pages_->setObjectName("PageControl1");
  setCentralWidget(pages_);
  const SubsystemHost host{state_, *this, link_, p2k_, clock_, *this, typeIcons_, this, pages_};
  phonebook_ = new PhonebookCommands(host);
  datebook_ = new DatebookPage(host);
  messages_ = new MessagesPage(host);
  phoneFiles_ = new PhoneFilesPage(host);
  settingsPage_ = new SettingsPageWidget(state_.settings);
  // Scrolls rather than keeping the window from being made smaller than the page.
  auto* settingsScroll = new QScrollArea;
  settingsScroll->setWidgetResizable(true);
  settingsScroll->setFrameShape(QFrame::NoFrame);
  settingsScroll->setWidget(settingsPage_);
  pages_->addTab(settingsScroll, FromCore(quorix::Tr("Настройки")));
  console_ = new ConsolePage;
  pages_->addTab(console_, FromCore(quorix::Tr("AT Команды")));
  BindPageButtons(console_, *this);
  BindPageButtons(settingsPage_, *this);
}

QTreeWidget* MainWindow::LV() const {
  return phonebook_->LV();
}

QTreeWidget* MainWindow::LVCat() const {
  return phonebook_->LVCat();
}

QTreeWidget* MainWindow::Tr() const {
  return phonebook_->Tr();
}

QMenu* MainWindow::PopupMenu1() const {
  return phonebook_->PopupMenu1();
}

QTreeWidget* MainWindow::LVCal() const {
  return datebook_->LVCal();
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

// While a command waits for the phone the window's events run, so a second command could start
// inside the first: it is not taken then.
void MainWindow::Guarded(const std::function<void()>& work) {
  if (running_) return;
  running_ = true;
  try {
    work();
  } catch (const std::exception& error) {
    QMessageBox::critical(this, QCoreApplication::applicationName(), FromCore(error.what()));
  }
  running_ = false;
  if (closePending_) QTimer::singleShot(0, this, &QWidget::close);
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
    RunStartup(state_, *this, settingsPath_, portOverride_,
               {[this](const WindowLayout& layout) { ApplyLayout(layout); },
                [this] { ShowSettings(); }, [this] { link_.ConnectPhone(); },
                [this] {
                  link_.FindSerialPorts();
                  settingsPage_->Refresh();
                }});
    pages_->setCurrentIndex(0);
    LV()->setFocus();
  });
}

void MainWindow::ApplyLayout(WindowLayout layout) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect room = screen->availableGeometry();
    layout = PlaceInside(layout, {room.x(), room.y(), room.width(), room.height()});
  }
  resize(width(), layout.Height);
  resize(layout.Width, height());
  move(layout.Left, y());
  move(x(), layout.Top);
  if (layout.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::ReadAllSettings() {
  ReadProgramSettings(state_, settingsPath_, portOverride_);
  ShowSettings();
}

void MainWindow::ShowSettings() {
  settingsPage_->Refresh();
  phonebook_->ApplyColumnWidths();
  typeIcons_ =
      LoadNumberTypeIcons(state_.phonebook.NumberTypeNames, NumberTypeIconFolders(settingsPath_));
  ApplyNumberTypeNames(state_.phonebook);
  // The type names and icons show in the phonebook views and the popup.
  phonebook_->Views().ShowAll();
}

void MainWindow::WriteAllSettings() {
  WindowLayout layout{height(), width(), x(), y(), isMaximized()};
  if (layout.Maximized) {
    // The size and place it goes back to, not the screen it fills.
    const QRect normal = normalGeometry();
    const QPoint frame = geometry().topLeft() - pos();
    layout = {normal.height(), normal.width(), normal.x() - frame.x(), normal.y() - frame.y(),
              true};
  }
  WriteProgramSettings(settingsPath_, layout, state_.settings, portOverride_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closed while a command runs: the command stops at its next step and the window closes then.
  if (running_) {
    state_.AbortRequested = true;
    closePending_ = true;
    event->ignore();
    return;
  }
  closePending_ = false;
  if (!exiting_ && !FormCloseQuery()) {
    event->ignore();
    return;
  }
  form3_->hide();
  form5_->hide();
  event->accept();
}

bool MainWindow::FormCloseQuery() {
  if (!ChangesSettled()) return false;
  Guarded([this] { WriteAllSettings(); });
  return true;
}

// An upload the user asked for that left changes behind (no phone, a failure, a stop) keeps the
// window open: it has told why, and the changes can still be saved or uploaded.
bool MainWindow::ChangesSettled() {
  const Answer answer = AskUploadBeforeClosing(state_, *this);
  if (answer == Answer::Cancel) return false;
  if (answer == Answer::Yes) {
    Command("ToolButton13")->trigger();
    return !state_.DataModified;
  }
  return true;
}

// Leaves without writing the settings, but never drops changes the user was not asked about.
void MainWindow::Exit() {
  if (!ChangesSettled()) return;
  exiting_ = true;
  QCoreApplication::exit(0);
}

}  // namespace quorix::ui
