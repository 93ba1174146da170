#pragma once

#include <QWidget>
#include <functional>

class QLabel;

namespace quorix::ui {

class Gauge;

// TForm3: the window every long command shows while it runs. Not modal: the command keeps
// running and lets events through; the main window is disabled meanwhile. Its close box is the
// user's stop button.
class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  // onClosed runs whenever the window closes, by the command or by the user.
  ProgressWindow(QWidget* owner, std::function<void()> onClosed);

  // Resets the gauge, disables the owner and shows the window centred on it.
  void ShowOver();
  void SetProgressText(const QString& text);
  QLabel* Label1() const { return label1_; }
  Gauge* Gauge1() const { return gauge1_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* owner_;
  std::function<void()> onClosed_;
  QLabel* label1_;
  Gauge* gauge1_;
};

}  // namespace quorix::ui
