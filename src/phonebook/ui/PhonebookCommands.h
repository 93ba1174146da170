#pragma once

#include <QObject>
#include <functional>

namespace quorix::ui {

class CategoryEditorDialog;
class EntryEditorDialog;
class MainWindow;
class PhonebookViewBinder;

// The phonebook's commands in the main window: reading, the entry and category commands with
// their editors TForm2 and TForm4, the backup file and the tree's expand and collapse.
class PhonebookCommands : public QObject {
  Q_OBJECT

 public:
  explicit PhonebookCommands(MainWindow& window);

  PhonebookViewBinder& Views() const { return *views_; }
  EntryEditorDialog* Form2() const { return form2_; }
  CategoryEditorDialog* Form4() const { return form4_; }

 private:
  void ToolButton4Click();
  void EditEntry(bool prepared);
  // Runs a command that changes the models and shows them afterwards, also when it throws.
  void ThenShow(const std::function<void()>& command);

  MainWindow& window_;
  PhonebookViewBinder* views_;
  EntryEditorDialog* form2_;
  CategoryEditorDialog* form4_;
};

}  // namespace quorix::ui
