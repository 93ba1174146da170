#pragma once

#include <functional>
#include <string>

namespace quorix {

// A screen rectangle; Right and Bottom lie just outside it.
struct NotifyRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

struct NotifyPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const NotifyPoint&) const = default;
};

enum class NotifyTimer { Show = 1, Live = 2, Hide = 3 };

// What the popup needs of the platform: the screen, a shaped window and three timers. The Qt
// window implements it; tests drive the logic tick by tick through a recording double.
class NotifyWindowPlatform {
 public:
  virtual ~NotifyWindowPlatform() = default;

  virtual NotifyRect Screen() const = 0;
  // The screen less the taskbar.
  virtual NotifyRect WorkArea() const = 0;

  // Sizes the window to the skin and shapes it by the skin's transparent colour.
  virtual void ApplySkin() = 0;
  // Shows the window at a position with the skin's size, without taking the focus.
  virtual void ShowAt(NotifyPoint position) = 0;
  virtual void MoveTo(NotifyPoint position) = 0;
  // Shrinks the window to nothing at (0, 0) and hides it.
  virtual void HideAway() = 0;
  virtual void Repaint() = 0;

  // Starting a running timer restarts it with the new interval.
  virtual void StartTimer(NotifyTimer timer, int intervalMs) = 0;
  virtual void StopTimer(NotifyTimer timer) = 0;
};

class TTaskbarNotifier;

// The sliding window's logic: where it comes out, how far it has slid and what each tick does.
class TTaskbarNotifyWindow {
 public:
  enum State { Hidden = 0, SlidingIn = 1, Shown = 2, SlidingOut = 3 };
  static constexpr int kSlideStep = 2;

  explicit TTaskbarNotifyWindow(NotifyWindowPlatform& platform) : platform_(platform) {}

  // What Show hands over before Start.
  void SetSkinSize(int width, int height);
  void SetTextRect(const NotifyRect& rect) { textRect_ = rect; }
  void SetMessage(const std::string& message) { message_ = message; }
  void SetTimes(int toShow, int toLive, int toHide);
  void SetClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

  // Brings the message out, or shows it at once in a popup already out.
  void Start();
  void Tick(NotifyTimer timer);

  void MouseEnter();
  void MouseLeave();
  void MouseRelease();

  State state() const { return state_; }
  bool hover() const { return hover_; }
  const std::string& message() const { return message_; }
  const NotifyRect& textRect() const { return textRect_; }
  int width() const { return width_; }
  int height() const { return height_; }
  NotifyPoint startPosition() const { return start_; }
  NotifyPoint position() const;
  NotifyPoint shownPosition() const;
  int showInterval() const { return showInterval_; }
  int hideInterval() const { return hideInterval_; }

 private:
  void Place();
  int SlideDistance() const;
  int TickInterval(int totalMs) const;
  void Hide();

  NotifyWindowPlatform& platform_;
  int width_ = 0;
  int height_ = 0;
  NotifyRect textRect_;
  std::string message_;
  int timeToShow_ = 500;
  int timeToLive_ = 3000;
  int timeToHide_ = 500;
  std::function<void()> onClick_;
  bool hover_ = false;
  State state_ = Hidden;
  NotifyPoint start_;
  NotifyPoint direction_;
  int moved_ = 0;  // pixels slid out from the start
  int showInterval_ = 0;
  int hideInterval_ = 0;
};

// A short message that slides out from behind the taskbar, stays a while and slides back. The
// skin picture and the fonts belong to the front end; only the skin's size matters here.
class TTaskbarNotifier {
 public:
  explicit TTaskbarNotifier(NotifyWindowPlatform& platform);

  std::string Message;  // code page 1251
  int SkinWidth = 0;    // 0 x 0: no skin, Show does nothing
  int SkinHeight = 0;
  int TextLeftPadding = 0;
  int TextTopPadding = 0;
  int TextRightPadding = 0;
  int TextBottomPadding = 0;
  int TimeToShow = 500;
  int TimeToLive = 3000;
  int TimeToHide = 500;
  int Increment = 1;  // kept for callers; the slide step is fixed
  std::function<void(TTaskbarNotifier& sender)> OnClick;

  void Show();

  TTaskbarNotifyWindow& window() { return window_; }
  const TTaskbarNotifyWindow& window() const { return window_; }

 private:
  TTaskbarNotifyWindow window_;
};

}  // namespace quorix
