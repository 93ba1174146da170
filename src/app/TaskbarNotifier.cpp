#include "app/TaskbarNotifier.h"

#include <algorithm>
#include <cmath>

#include "base/Translate.h"
#include "codec/CodePage.h"

namespace quorix {

void TTaskbarNotifyWindow::SetSkinSize(int width, int height) {
  width_ = width;
  height_ = height;
  platform_.ApplySkin();
}

void TTaskbarNotifyWindow::SetTimes(int toShow, int toLive, int toHide) {
  timeToShow_ = toShow;
  timeToLive_ = toLive;
  timeToHide_ = toHide;
}

int TTaskbarNotifyWindow::SlideDistance() const {
  return direction_.X != 0 ? width_ : height_;
}

// The whole slide takes the given time in steps of two pixels (a tiny skin still takes one step).
int TTaskbarNotifyWindow::TickInterval(int totalMs) const {
  const int steps = std::max(1, SlideDistance() / kSlideStep);
  return static_cast<int>(std::nearbyint(static_cast<double>(totalMs) / steps));
}

NotifyPoint TTaskbarNotifyWindow::position() const {
  return {start_.X + direction_.X * moved_, start_.Y + direction_.Y * moved_};
}

NotifyPoint TTaskbarNotifyWindow::shownPosition() const {
  const int distance = SlideDistance();
  return {start_.X + direction_.X * distance, start_.Y + direction_.Y * distance};
}

void TTaskbarNotifyWindow::Start() {
  switch (state_) {
    case Hidden: {
      const NotifyRect screen = platform_.Screen();
      const NotifyRect work = platform_.WorkArea();
      // The taskbar is on the side where the work area falls short of the screen. Edges are
      // compared with the screen's own, so a second monitor away from (0, 0) works too.
      if (work.Width() < screen.Width() && work.Left == screen.Left) {
        start_ = {work.Right, work.Bottom - height_};
        direction_ = {-1, 0};
      } else if (work.Width() < screen.Width()) {
        start_ = {work.Left - width_, work.Bottom - height_};
        direction_ = {1, 0};
      } else if (work.Height() < screen.Height() && work.Top != screen.Top) {
        start_ = {work.Right - width_, work.Top - height_};
        direction_ = {0, 1};
      } else {
        start_ = {work.Right - width_, work.Bottom};
        direction_ = {0, -1};
      }
      showInterval_ = TickInterval(timeToShow_);
      hideInterval_ = TickInterval(timeToHide_);
      moved_ = 0;
      state_ = SlidingIn;
      platform_.ShowAt(position());
      platform_.StartTimer(NotifyTimer::Show, showInterval_);
      break;
    }
    case SlidingIn:
      platform_.Repaint();
      break;
    case Shown:
      platform_.Repaint();
      platform_.StartTimer(NotifyTimer::Live, timeToLive_);
      break;
    case SlidingOut:
      platform_.StopTimer(NotifyTimer::Hide);
      platform_.StartTimer(NotifyTimer::Live, timeToLive_);
      moved_ = SlideDistance();
      state_ = Shown;
      Place();
      platform_.Repaint();
      break;
  }
}

void TTaskbarNotifyWindow::Tick(NotifyTimer timer) {
  switch (timer) {
    case NotifyTimer::Show:
      if (state_ != SlidingIn) return;
      moved_ = std::min(moved_ + kSlideStep, SlideDistance());
      if (moved_ == SlideDistance()) {
        platform_.StopTimer(NotifyTimer::Show);
        platform_.StartTimer(NotifyTimer::Live, timeToLive_);
        state_ = Shown;
      }
      Place();
      break;
    case NotifyTimer::Live:
      // Sliding out starts now, so a message arriving before the first step finds it sliding.
      platform_.StopTimer(NotifyTimer::Live);
      platform_.StartTimer(NotifyTimer::Hide, hideInterval_);
      state_ = SlidingOut;
      break;
    case NotifyTimer::Hide:
      if (state_ != SlidingOut) return;
      moved_ = std::max(moved_ - kSlideStep, 0);
      if (moved_ == 0) {
        Hide();
        return;
      }
      Place();
      break;
  }
}

void TTaskbarNotifyWindow::Place() {
  platform_.MoveTo(position());
}

void TTaskbarNotifyWindow::Hide() {
  platform_.StopTimer(NotifyTimer::Show);
  platform_.StopTimer(NotifyTimer::Live);
  platform_.StopTimer(NotifyTimer::Hide);
  platform_.HideAway();
  state_ = Hidden;
}

void TTaskbarNotifyWindow::MouseEnter() {
  hover_ = true;
  platform_.Repaint();
}

void TTaskbarNotifyWindow::MouseLeave() {
  hover_ = false;
  platform_.Repaint();
}

void TTaskbarNotifyWindow::MouseRelease() {
  if (onClick_) onClick_();
}

TTaskbarNotifier::TTaskbarNotifier(NotifyWindowPlatform& platform)
    : Message(Tr("Сообщение")), window_(platform) {}

void TTaskbarNotifier::Show() {
  if (SkinWidth <= 0 || SkinHeight <= 0) return;
  window_.SetSkinSize(SkinWidth, SkinHeight);
  window_.SetTextRect({TextLeftPadding, TextTopPadding, SkinWidth - TextRightPadding,
                       SkinHeight - TextBottomPadding});
  window_.SetMessage(Message);
  window_.SetTimes(TimeToShow, TimeToLive, TimeToHide);
  window_.SetClickHandler([this] {
    if (OnClick) OnClick(*this);
  });
  window_.Start();
}

}  // namespace quorix
