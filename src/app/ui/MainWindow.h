#pragma once

#include <QMainWindow>

class QTabWidget;

namespace quorix::ui {

// TForm1: the program's one main window.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  QTabWidget* pages() const { return pages_; }

 private:
  QTabWidget* pages_;
};

}  // namespace quorix::ui
