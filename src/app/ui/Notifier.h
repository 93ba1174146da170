#pragma once

#include <QString>
#include <string>

#include "app/TaskbarNotifier.h"
#include "app/ui/NotifyWindow.h"

namespace quorix::ui {

// The main window's Notifier: a TTaskbarNotifier with its window, the drawn skin, navy bold
// fonts, text paddings 7, 35, 7, 20 and times 50, 1000, 50 ms.
class Notifier {
 public:
  Notifier();
  ~Notifier();
  Notifier(const Notifier&) = delete;
  Notifier& operator=(const Notifier&) = delete;

  // Sets Message and shows it.
  void Show(const std::string& cp1251);
  void Show(const QString& text);

  // Copies the picture and takes its size as the popup's.
  void SetSkin(const QImage& skin);
  void SetFonts(const NotifyFont& normal, const NotifyFont& selected);

  TTaskbarNotifier& notifier() { return notifier_; }
  NotifyWindow& window() { return window_; }

 private:
  NotifyWindow window_;
  TTaskbarNotifier notifier_;
};

}  // namespace quorix::ui
