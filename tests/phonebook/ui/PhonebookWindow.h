#pragma once

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <string>

#include "app/ui/MainWindow.h"
#include "app/ui/MessageBoxAnswer.h"
#include "app/ui/QtPrinting.h"
#include "app/ui/SettingsFolder.h"
#include "phone-emulator/PtyPhoneServer.h"

namespace quorix::ui {

// The main window connected to the emulated sample phone, with its phonebook read.
struct PhonebookWindow {
  explicit PhonebookWindow(const emu::EmulatorOptions& options = SampleOptions())
      : phone(std::make_unique<emu::PtyPhoneServer>(options)), window(folder.Path()) {
    window.SetPortOverride(phone->Start());
    window.show();
    window.Command("ToolButton1")->trigger();
  }

  void Read() { window.Command("ToolButton4")->trigger(); }

  AppState& State() { return window.State(); }
  EntryRow& Entry(int index) { return window.State().phonebook.PhonebookEntries[index]; }

  // The LV row whose "#" column is index, nullptr when the list has none.
  QTreeWidgetItem* ListRow(int index) const {
    const auto found = window.LV()->findItems(QString::number(index), Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.first();
  }

  QTreeWidgetItem* TreeCategory(const QString& name) const {
    const auto found = window.Tr()->findItems(name, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.first();
  }

  static QStringList Children(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; node && i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
  }

  static emu::EmulatorOptions SampleOptions() {
    emu::EmulatorOptions options;
    options.sample = true;
    return options;
  }

  // The phone outlives the window, which lets go of its port first.
  std::unique_ptr<emu::PtyPhoneServer> phone;
  SettingsFolder folder;
  MainWindow window;
};

// Runs work as soon as the event loop of a modal dialog is running.
inline void WhenModal(std::function<void()> work) {
  QTimer::singleShot(0, [work = std::move(work)] { work(); });
}

}  // namespace quorix::ui
