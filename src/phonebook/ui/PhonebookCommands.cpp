#include "phonebook/ui/PhonebookCommands.h"

#include <QAction>
#include <QTreeWidget>

#include "app/AppState.h"
#include "app/ui/MainWindow.h"
#include "phonebook/CategoryEditor.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookReader.h"
#include "phonebook/UnsavedChanges.h"
#include "phonebook/ui/CategoryEditorDialog.h"
#include "phonebook/ui/EntryEditorDialog.h"
#include "phonebook/ui/PhonebookViewBinder.h"

namespace quorix::ui {

PhonebookCommands::PhonebookCommands(MainWindow& window)
    : QObject(&window),
      window_(window),
      views_(new PhonebookViewBinder(window)),
      form2_(new EntryEditorDialog(window.State(), window, &window)),
      form4_(new CategoryEditorDialog(window.State(), window, &window,
                                      [this] { views_->ShowAll(); })) {
  AppState& app = window_.State();
  window_.BindCommand("ToolButton4", [this] { ToolButton4Click(); });
  window_.BindCommand("ToolButton7", [this, &app] { EditEntry(PrepareAddEntry(app, window_)); });
  window_.BindCommand("ToolButton8", [this, &app] { EditEntry(PrepareEditEntry(app, window_)); });
  window_.BindCommand("ToolButton9",
                      [this, &app] { ThenShow([&] { RemoveSelectedEntry(app, window_); }); });
  window_.BindCommand("ToolButton11",
                      [this, &app] { ToolButton11Click(app, window_, window_.Time()); });
  window_.BindCommand("ToolButton12",
                      [this, &app] { ThenShow([&] { ToolButton12Click(app, window_); }); });
  window_.BindCommand("Button4", [this, &app] {
    if (PrepareAddCategory(app, window_)) form4_->Open();
  });
  window_.BindCommand("Button5", [this, &app] {
    if (PrepareEditCategory(app)) form4_->Open();
  });
  window_.BindCommand("Button6", [this, &app] {
    RemoveSelectedCategory(app, window_);
    views_->ShowAll();
  });
  window_.BindCommand("Button13", [this] { window_.Tr()->expandAll(); });
  window_.BindCommand("Button14", [this] { window_.Tr()->collapseAll(); });
  views_->ShowPopupMenus();
}

void PhonebookCommands::ToolButton4Click() {
  if (!window_.Link().RequireConnection()) return;
  if (!ConfirmReplacingChanges(window_.State(), window_)) return;
  window_.State().AbortRequested = false;
  PhonebookReadOutcome outcome;
  ThenShow([this, &outcome] { outcome = ReadPhonebook(window_.State(), window_, window_.Link()); });
  ReportPhonebookReading(window_, outcome);
}

void PhonebookCommands::EditEntry(bool prepared) {
  if (prepared && form2_->Exec()) views_->ShowAll();
}

// What a command changed before it failed stays in the models, and is shown too.
void PhonebookCommands::ThenShow(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    views_->ShowAll();
    throw;
  }
  views_->ShowAll();
}

}  // namespace quorix::ui
