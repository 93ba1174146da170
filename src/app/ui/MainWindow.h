#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/AppState.h"
#include "app/ProgramLifecycle.h"
#include "app/ui/CommandRegistry.h"
#include "base/Clock.h"
#include "base/Shell.h"
#include "link/PhoneConnection.h"
#include "link/p2k/TP2KAPI.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QTreeWidget;

namespace quorix::ui {

class AboutBox;
class DatebookPage;
class PhoneFilesPage;
class MessagesPage;
class ConsolePage;
class ListPage;
class Notifier;
class PhonebookCommands;
class ProgressWindow;
class SettingsPageWidget;

// TForm1: the program's one main window. It owns the run's state and every long-lived part, and
// is the Shell through which the core talks to the user.
//
// Every command is a QAction named after the control that carries it ("ToolButton4" for reading
// the phonebook, "Button4" for adding a category, ...): the toolbar shows it, menu items and page
// buttons forward to it. A command whose work is not built yet stays disabled; BindCommand gives
// it its handler and enables it.
class MainWindow : public QMainWindow, public Shell, public CommandRegistry {
  Q_OBJECT

 public:
  // settingsPath: the velkor.ini this window reads and writes.
  explicit MainWindow(std::string settingsPath, QWidget* parent = nullptr);
  ~MainWindow() override;

  AppState& State() { return state_; }
  Clock& Time() { return clock_; }
  PhoneConnection& Link() { return link_; }
  // p2k: the phone's P2K mode over USB.
  TP2KAPI& P2K() { return p2k_; }
  Notifier& Popup() { return *notifier_; }
  // The number type icons of the phonebook views, types 0 to 7, loaded with the settings.
  const std::array<QPixmap, 8>& NumberTypeIcons() const { return typeIcons_; }
  const std::string& SettingsPath() const { return settingsPath_; }
  // Uses this port instead of the stored one for this run; the stored one is kept in the file.
  void SetPortOverride(const std::string& port);

  QTabWidget* pages() const { return pages_; }
  QTreeWidget* LV() const;
  QTreeWidget* LVCat() const;
  QTreeWidget* Tr() const;
  QTreeWidget* LVCal() const;
  // PopupMenu1 of LV with its submenus "Назначить категорию", "Мелодия", "Картинка", "Тип"
  // (object names AssignCategoryMenu, MelodyMenu, PictureMenu, TypeMenu).
  QMenu* PopupMenu1() const;
  ListPage* Page(int index) const;
  SettingsPageWidget* SettingsWidget() const { return settingsPage_; }
  ConsolePage* Console() const { return console_; }
  ProgressWindow* Form3() const { return form3_; }
  AboutBox* Form5() const { return form5_; }

  QAction* Command(const QString& name) const override;
  void BindCommand(const QString& name, std::function<void()> handler) override;
  QAction* Forward(const QString& text, const QString& command) override;
  static QAction* WithKey(QAction* item, const QKeySequence& key);
  void Guarded(const std::function<void()>& work) override;
  PhonebookCommands& Phonebook() const { return *phonebook_; }
  QString StatusText(int panel) const;

  // The start-up and shutdown sequences; showing the window the first time and closing it run
  // them.
  void FormShow();
  // False when the user keeps the window open.
  bool FormCloseQuery();
  // Asks about changes not uploaded; false when the window is to stay open with them.
  bool ChangesSettled();

  void Message(const std::string& caption, const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  bool AskBeforeDestroying(const std::string& caption, const std::string& text) override;
  Answer AskYesNoCancel(const std::string& caption, const std::string& text) override;
  void ProgressShow() override;
  void ProgressClose() override;
  void ProgressSetText(const std::string& text) override;
  void ProgressSetMax(int max) override;
  void ProgressSetPosition(int position) override;
  void ProgressStep(int by) override;
  void ProgressShowGauge(bool shown) override;
  void SetStatus(int panel, const std::string& text) override;
  void Notify(const std::string& text) override;
  void LogLine(const std::string& text) override;
  void SetTitle(const std::string& title) override;
  std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
  std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;
  std::optional<std::string> ChooseFile(FileChoice choice, bool save);
  void ProcessEvents() override;
  void ShowWaiting(bool waiting) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPages();
  void BuildStatusBar();
  void BuildCommands();
  void BuildToolbar();
  void BuildMenus();
  void BindOwnCommands();
  QAction* AddCommand(const QString& name, const QString& text);
  void Exit();
  void ApplyLayout(WindowLayout layout);
  void ReadAllSettings();
  void ShowSettings();
  void WriteAllSettings();
  void Button8Click();
  void Button9Click();
  void Button11Click();

  std::string settingsPath_;
  std::string lastFolder_;  // of the last file chosen in a dialog
  PortOverride portOverride_;
  AppState state_;
  RealClock clock_;
  PhoneConnection link_;
  std::unique_ptr<P2KUsbBackend> p2kBackend_;
  TP2KAPI p2k_;
  std::unique_ptr<Notifier> notifier_;
  QTimer pollTimer_;
  std::array<QPixmap, 8> typeIcons_;
  QTabWidget* pages_ = nullptr;
  SettingsPageWidget* settingsPage_ = nullptr;
  ConsolePage* console_ = nullptr;
  QLabel* panels_[3] = {};
  ProgressWindow* form3_ = nullptr;
  AboutBox* form5_ = nullptr;
  PhonebookCommands* phonebook_ = nullptr;
  DatebookPage* datebook_ = nullptr;
  PhoneFilesPage* phoneFiles_ = nullptr;
  MessagesPage* messages_ = nullptr;
  std::map<QString, QAction*> commands_;
  bool shown_ = false;
  bool exiting_ = false;
  bool running_ = false;       // a command is running
  bool closePending_ = false;  // the window was closed while it ran
};

}  // namespace quorix::ui
