#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <string>
#include <vector>

#include "app/ui/Text.h"

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
  for (const auto& choice : choices) box->addItem(FromAnsi(choice));
  box->setEditText(FromAnsi(text));
}

}  // namespace quorix::ui
