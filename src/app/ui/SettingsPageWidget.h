#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quorix {
struct SettingsPage;
}

namespace quorix::ui {

// Page "Настройки": the controls whose state is the program's settings, the language of its texts
// among them, the buttons that save and load them, and the text converter. Every change of a
// control goes straight into the SettingsPage it is bound to; Refresh shows that state again after
// something else changed it.
class SettingsPageWidget : public QWidget {
  Q_OBJECT

 public:
  SettingsPageWidget(SettingsPage& settings, QWidget* parent = nullptr);

  void Refresh();

  QComboBox* PortEdit() const { return portEdit_; }
  QComboBox* RateEdit() const { return rateEdit_; }
  QComboBox* BCom() const { return bCom_; }
  QComboBox* ComboBox1() const { return comboBox1_; }
  QLineEdit* Edit8() const { return edit8_; }
  QComboBox* Edit3() const { return edit3_; }
  // CheckBox1 ... CheckBox9.
  QCheckBox* CheckBox(int number) const { return checkBoxes_.at(number - 1); }
  QPushButton* Button11() const { return button11_; }
  QPushButton* Button12() const { return button12_; }
  QLineEdit* AnsiEdit() const { return ansiEdit_; }
  QLineEdit* UCSEdit() const { return ucsEdit_; }
  QPushButton* Button3() const { return button3_; }
  QPushButton* Button1() const { return button1_; }
  QComboBox* LanguageEdit() const { return languageEdit_; }

 private:
  QWidget* BuildPortGroup();
  QWidget* BuildReadingGroup();
  QWidget* BuildConverterGroup();
  QWidget* BuildLanguageGroup();
  void BindControls();

  SettingsPage& settings_;
  QComboBox* portEdit_;
  QComboBox* rateEdit_;
  QComboBox* bCom_;
  QComboBox* comboBox1_;
  QLineEdit* edit8_;
  QComboBox* edit3_;
  std::vector<QCheckBox*> checkBoxes_;
  QPushButton* button11_;
  QPushButton* button12_;
  QLineEdit* ansiEdit_;
  QLineEdit* ucsEdit_;
  QPushButton* button3_;
  QPushButton* button1_;
  QComboBox* languageEdit_;
  bool refreshing_ = false;
};

}  // namespace quorix::ui
