#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quorix {
struct AppState;
class Shell;
}  // namespace quorix

namespace quorix::ui {

// TForm4, the category editor. Shown without blocking the main window; its controls show
// state.phonebook.CategoryEditor and OK stores them through AcceptCategoryEditor, which may refuse
// them and keep the dialog open. Cancel keeps the typed texts for the next use.
class CategoryEditorDialog : public QDialog {
  Q_OBJECT

 public:
  // stored runs after OK has changed the tables.
  CategoryEditorDialog(AppState& app, Shell& shell, QWidget* owner, std::function<void()> stored);

  // Shows the prepared fields, centred on the owner, and returns at once.
  void Open();

  QComboBox* Edit1() const { return edit1_; }
  QLineEdit* CatEdit() const { return catEdit_; }
  QComboBox* ComboBox1() const { return comboBox1_; }
  QComboBox* Edit2() const { return edit2_; }
  QPushButton* Button1() const { return button1_; }
  QPushButton* Button2() const { return button2_; }

 private:
  void Store();
  void Button1Click();

  AppState& app_;
  Shell& shell_;
  std::function<void()> stored_;
  QComboBox* edit1_;
  QLineEdit* catEdit_;
  QComboBox* comboBox1_;
  QComboBox* edit2_;
  QPushButton* button1_;
  QPushButton* button2_;
};

}  // namespace quorix::ui
