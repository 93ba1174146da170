#include "phonebook/ui/EntryEditorDialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/AppState.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/ui/EditorControls.h"

namespace quorix::ui {

namespace {

const char* const kAdvancedLabels[] = {N_("Район:"),   N_("Улица:"),        N_("Город:"),
                                       N_("Область:"), N_("Индекс:"),       N_("Страна:"),
                                       N_("Кличка:"),  N_("День рождения:")};

}  // namespace

EntryEditorDialog::EntryEditorDialog(AppState& app, Shell& shell, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      app_(app),
      shell_(shell),
      edit1_(MakeChoiceEdit("Edit1", this)),
      edit2_(MakeTextEdit("Edit2", this)),
      edit3_(MakeTextEdit("Edit3", this)),
      comboBox1_(MakeChoiceEdit("ComboBox1", this)),
      edit4_(MakeChoiceEdit("Edit4", this)),
      comboBox2_(MakeChoiceEdit("ComboBox2", this)),
      edit5_(MakeChoiceEdit("Edit5", this)),
      checkBox1_(new QCheckBox(this)),
      edit6_(MakeTextEdit("Edit6", this)),
      button1_(new QPushButton("&OK", this)),
      button2_(new QPushButton(FromCore(Tr("Отмена")), this)) {
  setObjectName("Form2");
  setWindowTitle(FromCore(Tr("Добавление/Редактирование записи")));
  setModal(true);
  checkBox1_->setObjectName("CheckBox1");
  button1_->setObjectName("Button1");
  button2_->setObjectName("Button2");

  auto* subscriber = new QGroupBox(FromCore(Tr("Абонент")), this);
  subscriber->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(subscriber);
  // Room for a phone file path.
  grid->setColumnMinimumWidth(1, 220);
  AddRow(grid, "#", edit1_);
  AddRow(grid, N_("Имя:"), edit2_);
  AddRow(grid, N_("Номер телефона:"), edit3_);
  AddRow(grid, N_("Тип:"), comboBox1_);
  AddRow(grid, N_("Мелодия:"), edit4_);
  AddRow(grid, N_("Категория:"), comboBox2_);
  AddRow(grid, N_("Картинка:"), edit5_);
  AddRow(grid, N_("Основной номер:"), checkBox1_);
  // The voice label is kept for the table's layout only: never shown, never filled.
  label6_ = AddRow(grid, "Voice Label:", edit6_);
  label6_->hide();
  edit6_->hide();

  auto* extra = new QGroupBox(FromCore(Tr("Дополнительные поля")), this);
  extra->setObjectName("GroupBox2");
  auto* extraGrid = new QGridLayout(extra);
  for (int k = 0; k < 8; ++k) {
    const QByteArray name = "Edit" + QByteArray::number(7 + k);
    advanced_[k] = MakeTextEdit(name.constData(), extra);
    AddRow(extraGrid, kAdvancedLabels[k], advanced_[k]);
  }
  advanced_[7]->setToolTip(FromCore(Tr("Формат даты (ММ-ДД-ГГГГ)")));

  auto* groups = new QHBoxLayout;
  groups->addWidget(subscriber);
  groups->addWidget(extra, 0, Qt::AlignTop);
  LayOutEditor(this, groups, button1_, button2_);

  connect(button1_, &QPushButton::clicked, this, [this] { Button1Click(); });
  // Cancel and Escape keep the typed texts for the next use, as a hidden dialog would.
  connect(this, &QDialog::rejected, this, [this] { Store(); });
}

bool EntryEditorDialog::Exec() {
  Load();
  adjustSize();
  if (parentWidget()) {
    move(parentWidget()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  const bool stored = exec() == QDialog::Accepted;
  EntryEditorFormClose(app_);
  edit1_->setEnabled(app_.phonebook.EntryEditor.Edit1Enabled);
  return stored;
}

void EntryEditorDialog::Load() {
  const PhonebookState& pb = app_.phonebook;
  const EntryEditorFields& e = pb.EntryEditor;
  const EntryEditorChoices& lists = pb.EntryEditorLists;
  ShowChoices(edit1_, lists.Edit1, e.Edit1);
  edit1_->setEnabled(e.Edit1Enabled);
  // The memory of the row sets how long a name may be (15 letters on an L6's SIM). A longer name
  // the row already holds is shown whole: OK then asks to shorten it rather than cutting it here.
  const int limit = NameLengthOfRow(pb, pb.EditIndex);
  const QString name = FromCore(e.Edit2);
  edit2_->setMaxLength(std::max(limit, static_cast<int>(name.size())));
  edit2_->setText(name);
  edit2_->setToolTip(
      FromCore(quorix::Tr("Не больше ") + std::to_string(limit) +
               quorix::Tr(" знаков: столько хранит память телефона для этой ячейки")));
  edit3_->setText(FromCore(e.Edit3));
  ShowChoices(comboBox1_, lists.ComboBox1, e.ComboBox1);
  ShowChoices(edit4_, lists.Edit4, e.Edit4);
  ShowChoices(comboBox2_, lists.ComboBox2, e.ComboBox2);
  ShowChoices(edit5_, lists.Edit5, e.Edit5);
  checkBox1_->setChecked(e.CheckBox1);
  edit6_->setText(FromCore(e.Edit6));
  const std::string* advanced[] = {&e.Edit7,  &e.Edit8,  &e.Edit9,  &e.Edit10,
                                   &e.Edit11, &e.Edit12, &e.Edit13, &e.Edit14};
  for (int k = 0; k < 8; ++k) {
    advanced_[k]->setText(FromCore(*advanced[k]));
    advanced_[k]->setEnabled(e.AdvancedEnabled);
  }
  edit2_->setFocus();
}

void EntryEditorDialog::Store() {
  EntryEditorFields& e = app_.phonebook.EntryEditor;
  e.Edit1 = ToCore(edit1_->currentText());
  e.Edit2 = ToCore(edit2_->text());
  e.Edit3 = ToCore(edit3_->text());
  e.ComboBox1 = ToCore(comboBox1_->currentText());
  e.Edit4 = ToCore(edit4_->currentText());
  e.ComboBox2 = ToCore(comboBox2_->currentText());
  e.Edit5 = ToCore(edit5_->currentText());
  e.CheckBox1 = checkBox1_->isChecked();
  e.Edit6 = ToCore(edit6_->text());
  std::string* advanced[] = {&e.Edit7,  &e.Edit8,  &e.Edit9,  &e.Edit10,
                             &e.Edit11, &e.Edit12, &e.Edit13, &e.Edit14};
  for (int k = 0; k < 8; ++k) *advanced[k] = ToCore(advanced_[k]->text());
}

void EntryEditorDialog::Button1Click() {
  Store();
  if (AcceptEntryEditor(app_, shell_)) accept();
}

}  // namespace quorix::ui
