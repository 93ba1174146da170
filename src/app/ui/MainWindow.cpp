#include "app/ui/MainWindow.h"

#include <QTabWidget>

namespace quorix::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), pages_(new QTabWidget(this)) {
  setObjectName("Form1");
  setWindowTitle("Quorix");
  setGeometry(245, 97, 978, 673);
  pages_->setObjectName("PageControl1");
  setCentralWidget(pages_);
}

}  // namespace quorix::ui
