#include <QApplication>

#include "app/ui/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorix");
  quorix::ui::MainWindow window;
  window.show();
  return QApplication::exec();
}
