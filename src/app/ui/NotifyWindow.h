#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "app/TaskbarNotifier.h"

namespace quorix::ui {

// A font with its colour, as the popup's texts are drawn.
struct NotifyFont {
  QFont font;
  QColor color = Qt::black;
};

// The skin's shape: every pixel except those of its transparent colour (its bottom-left pixel),
// over its width rounded down to a multiple of 4.
QRegion SkinMask(const QImage& skin);

// TTaskbarNotifyWindow on the screen: a frameless tool window shaped like its skin that never
// takes the focus. The sliding logic drives it through NotifyWindowPlatform; it hands the timer
// ticks and the mouse back to that logic.
class NotifyWindow : public QWidget, public NotifyWindowPlatform {
  Q_OBJECT

 public:
  NotifyWindow();

  void SetLogic(TTaskbarNotifyWindow* logic) { logic_ = logic; }
  void SetSkin(const QImage& skin) { skin_ = skin; }
  void SetFonts(const NotifyFont& normal, const NotifyFont& selected);
  const QImage& skin() const { return skin_; }
  const NotifyFont& normalFont() const { return normal_; }
  const NotifyFont& selectedFont() const { return selected_; }

  NotifyRect Screen() const override;
  NotifyRect WorkArea() const override;
  void ApplySkin() override;
  void ShowAt(NotifyPoint position) override;
  void MoveTo(NotifyPoint position) override;
  void HideAway() override;
  void Repaint() override;
  void StartTimer(NotifyTimer timer, int intervalMs) override;
  void StopTimer(NotifyTimer timer) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QTimer& Timer(NotifyTimer timer) { return timers_[static_cast<int>(timer) - 1]; }

  TTaskbarNotifyWindow* logic_ = nullptr;
  QImage skin_;
  NotifyFont normal_;
  NotifyFont selected_;
  QTimer timers_[3];
};

}  // namespace quorix::ui
