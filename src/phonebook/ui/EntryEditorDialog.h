#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorix {
struct AppState;
class Shell;
}  // namespace quorix

namespace quorix::ui {

// TForm2, the entry editor. Its controls show state.phonebook.EntryEditor and its choice lists;
// OK writes the texts back and stores them through the phonebook's AcceptEntryEditor, which may
// refuse them and keep the dialog open. Cancel keeps the typed texts for the next use but stores
// nothing.
class EntryEditorDialog : public QDialog {
  Q_OBJECT

 public:
  EntryEditorDialog(AppState& app, Shell& shell, QWidget* owner);

  // Shows the prepared fields modally, centred on the owner; true when OK stored them.
  bool Exec();

  QComboBox* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  QLineEdit* Edit3() const { return edit3_; }
  QComboBox* ComboBox1() const { return comboBox1_; }
  QComboBox* Edit4() const { return edit4_; }
  QComboBox* ComboBox2() const { return comboBox2_; }
  QComboBox* Edit5() const { return edit5_; }
  QCheckBox* CheckBox1() const { return checkBox1_; }
  QLineEdit* Edit6() const { return edit6_; }
  // Edit7 .. Edit14.
  QLineEdit* Advanced(int number) const { return advanced_[number - 7]; }
  QPushButton* Button1() const { return button1_; }
  QPushButton* Button2() const { return button2_; }

 private:
  void Load();
  void Store();
  void Button1Click();

  AppState& app_;
  Shell& shell_;
  QComboBox* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QComboBox* comboBox1_;
  QComboBox* edit4_;
  QComboBox* comboBox2_;
  QComboBox* edit5_;
  QCheckBox* checkBox1_;
  QLineEdit* edit6_;
  QLabel* label6_;
  std::array<QLineEdit*, 8> advanced_{};
  QPushButton* button1_;
  QPushButton* button2_;
};

}  // namespace quorix::ui
