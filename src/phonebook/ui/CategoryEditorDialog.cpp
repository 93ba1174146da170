#include "phonebook/ui/CategoryEditorDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "phonebook/CategoryEditor.h"
#include "phonebook/ui/EditorControls.h"

namespace quorix::ui {

CategoryEditorDialog::CategoryEditorDialog(AppState& app, Shell& shell, QWidget* owner,
                                           std::function<void()> stored)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app),
      shell_(shell),
      stored_(std::move(stored)),
      edit1_(MakeChoiceEdit("Edit1", this)),
      catEdit_(MakeTextEdit("CatEdit", this)),
      comboBox1_(MakeChoiceEdit("ComboBox1", this)),
      edit2_(MakeChoiceEdit("Edit2", this)),
      button1_(new QPushButton("&OK", this)),
      button2_(new QPushButton(FromCore(Tr("&Отмена")), this)) {
  setObjectName("Form4");
  setWindowTitle(FromCore(Tr("Дабавление/Редактирование категорий")));
  setModal(false);
  button1_->setObjectName("Button1");
  button2_->setObjectName("Button2");

  auto* group = new QGroupBox(FromCore(Tr("Редактирование категорий")), this);
  group->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(group);
  const std::pair<const char*, QWidget*> rows[] = {{"#", edit1_},
                                                   {N_("Категория:"), catEdit_},
                                                   {N_("Мелодия:"), comboBox1_},
                                                   {N_("Световой вызов:"), edit2_}};
  for (const auto& [label, control] : rows) AddRow(grid, label, control);
  auto* groups = new QVBoxLayout;
  groups->addWidget(group);
  LayOutEditor(this, groups, button1_, button2_);

  connect(button1_, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(this, &QDialog::rejected, this, [this] { Store(); });
}

void CategoryEditorDialog::Open() {
  const PhonebookState& pb = app_.phonebook;
  const CategoryEditorFields& c = pb.CategoryEditor;
  ShowChoices(edit1_, pb.CategoryEditorLists.Edit1, c.Edit1);
  catEdit_->setText(FromCore(c.CatEdit));
  ShowChoices(comboBox1_, pb.CategoryEditorLists.ComboBox1, c.ComboBox1);
  ShowChoices(edit2_, pb.CategoryEditorLists.Edit2, c.Edit2);
  adjustSize();
  if (parentWidget()) {
    move(parentWidget()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
  activateWindow();
  catEdit_->setFocus();
}

void CategoryEditorDialog::Store() {
  CategoryEditorFields& c = app_.phonebook.CategoryEditor;
  c.Edit1 = ToCore(edit1_->currentText());
  c.CatEdit = ToCore(catEdit_->text());
  c.ComboBox1 = ToCore(comboBox1_->currentText());
  c.Edit2 = ToCore(edit2_->currentText());
}

void CategoryEditorDialog::Button1Click() {
  Store();
  if (!AcceptCategoryEditor(app_, shell_)) return;
  hide();
  stored_();
}

}  // namespace quorix::ui
