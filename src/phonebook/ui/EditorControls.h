#pragma once

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/ui/Text.h"
#include "base/Translate.h"

namespace quorix::ui {

// An editable drop-down list with the object name of its control.
inline QComboBox* MakeChoiceEdit(const char* name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  return box;
}

inline QLineEdit* MakeTextEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

// Replaces the choices and sets the text, which need not be one of them.
inline void ShowChoices(QComboBox* box, const std::vector<std::string>& choices,
                        const std::string& text) {
  box->clear();
  for (const auto& choice : choices) box->addItem(FromCore(choice));
  box->setEditText(FromCore(text));
}

// Adds a caption (a text marked for the catalog) and its control as the next row of a two-column
// grid; returns the caption.
inline QLabel* AddRow(QGridLayout* grid, const char* label, QWidget* control) {
  const int row = grid->rowCount();
  auto* caption = new QLabel(FromCore(Tr(label)));
  caption->setBuddy(control);
  grid->addWidget(caption, row, 0);
  grid->addWidget(control, row, 1);
  return caption;
}

// Lays out an editor: its groups above, OK (the default button) and Cancel right-aligned below,
// at a fixed size. Cancel rejects the dialog.
inline void LayOutEditor(QDialog* dialog, QLayout* groups, QPushButton* ok, QPushButton* cancel) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ok->setDefault(true);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

}  // namespace quorix::ui
