#pragma once

#include <QObject>
#include <functional>

#include "app/ui/SubsystemHost.h"

class QMenu;
class QTreeWidget;

namespace quorix::ui {

class CategoryEditorDialog;
class EntryEditorDialog;
class PhonebookViewBinder;

// The phonebook in the main window: its three pages ("Справочник" with LV, "Категории" with LVCat,
// "Дерево категорий" with Tr), the list's popup menu PopupMenu1 and keys, and its commands:
// reading, the entry and category commands with their editors TForm2 and TForm4, the backup file
// and the tree's expand and collapse.
class PhonebookCommands : public QObject {
  Q_OBJECT

 public:
  explicit PhonebookCommands(const SubsystemHost& host);

  PhonebookViewBinder& Views() const { return *views_; }
  EntryEditorDialog* Form2() const { return form2_; }
  CategoryEditorDialog* Form4() const { return form4_; }
  QTreeWidget* LV() const { return lv_; }
  QTreeWidget* LVCat() const { return lvCat_; }
  QTreeWidget* Tr() const { return tr_; }
  // PopupMenu1 of LV with its submenus "Назначить категорию", "Мелодия", "Картинка", "Тип"
  // (object names AssignCategoryMenu, MelodyMenu, PictureMenu, TypeMenu).
  QMenu* PopupMenu1() const { return popupMenu1_; }
  // Applies the column widths of the settings to LV; -1 sizes a column to its contents, -2 to
  // its caption.
  void ApplyColumnWidths();

 private:
  void BuildPages();
  void BuildPopupMenu();
  void BindCommands();
  void ToolButton4Click();
  void EditEntry(bool prepared);
  // Runs a command that changes the models and shows them afterwards, also when it throws.
  void ThenShow(const std::function<void()>& command);

  SubsystemHost host_;
  QTreeWidget* lv_ = nullptr;
  QTreeWidget* lvCat_ = nullptr;
  QTreeWidget* tr_ = nullptr;
  QMenu* popupMenu1_ = nullptr;
  PhonebookViewBinder* views_ = nullptr;
  EntryEditorDialog* form2_ = nullptr;
  CategoryEditorDialog* form4_ = nullptr;
};

}  // namespace quorix::ui
