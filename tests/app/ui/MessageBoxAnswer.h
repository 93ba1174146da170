#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace quorix::ui {

// Answers every message box the code under test opens, as a user would, and remembers what
// it said.
class MessageBoxAnswer {
 public:
  explicit MessageBoxAnswer(QMessageBox::StandardButton answer) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      ++shown;
      title = box->windowTitle();
      text = box->text();
      texts << text;
      icon = box->icon();
      defaultButton = box->standardButton(box->defaultButton());
      escapeButton = box->standardButton(box->escapeButton());
      // A box without that answer (a plain notice) is acknowledged with its only button.
      QAbstractButton* button = box->button(answer);
      (button ? button : box->buttons().first())->click();
    });
    timer_.start();
  }

  int shown = 0;
  QString title;
  QString text;
  QStringList texts;  // of every box, in order
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;  // Enter
  QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;   // Escape, the close box

 private:
  QTimer timer_;
};

}  // namespace quorix::ui
