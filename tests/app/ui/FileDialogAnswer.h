#pragma once

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QTimer>

namespace quorix::ui {

// Answers the next file dialog with path, as a user typing it would.
inline void ChooseFile(const QString& path) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    timer->deleteLater();
    timer->stop();
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  timer->start(10);
}

}  // namespace quorix::ui
