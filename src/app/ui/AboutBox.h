#pragma once

#include <QDialog>

namespace quorix::ui {

// TForm5: the program's name, version and the libraries it is built on.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

  // The lines the box shows under the name.
  static QString Libraries();
};

}  // namespace quorix::ui
