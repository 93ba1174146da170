#include "app/TaskbarNotifier.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "codec/CodePage.h"

namespace quorix {
namespace {

// Virtual timers and a recorded window: the test delivers each tick itself.
class FakePlatform : public NotifyWindowPlatform {
 public:
  NotifyRect screen{0, 0, 1280, 1024};
  NotifyRect work{0, 0, 1280, 984};
  std::map<NotifyTimer, int> running;  // timer -> interval
  std::optional<NotifyPoint> shownAt;
  NotifyPoint at;
  bool visible = false;
  int skinApplied = 0;
  int repaints = 0;

  NotifyRect Screen() const override { return screen; }
  NotifyRect WorkArea() const override { return work; }
  void ApplySkin() override { ++skinApplied; }
  void ShowAt(NotifyPoint position) override {
    shownAt = position;
    at = position;
    visible = true;
  }
  void MoveTo(NotifyPoint position) override { at = position; }
  void HideAway() override {
    at = {0, 0};
    visible = false;
  }
  void Repaint() override { ++repaints; }
  void StartTimer(NotifyTimer timer, int intervalMs) override { running[timer] = intervalMs; }
  void StopTimer(NotifyTimer timer) override { running.erase(timer); }

  bool Running(NotifyTimer timer) const { return running.count(timer) != 0; }
  // Delivers ticks of whichever timer runs until the popup reaches the state.
  int RunUntil(TTaskbarNotifyWindow& window, TTaskbarNotifyWindow::State state) {
    int ticks = 0;
    while (window.state() != state) {
      EXPECT_EQ(running.size(), 1u);
      if (running.empty()) break;
      window.Tick(running.begin()->first);
      ++ticks;
    }
    return ticks;
  }
};

// The main window's notifier.
void UseMainWindowValues(TTaskbarNotifier& notifier) {
  notifier.SkinWidth = 148;
  notifier.SkinHeight = 120;
  notifier.TextLeftPadding = 7;
  notifier.TextTopPadding = 35;
  notifier.TextRightPadding = 7;
  notifier.TextBottomPadding = 20;
  notifier.TimeToShow = 50;
  notifier.TimeToLive = 1000;
  notifier.TimeToHide = 50;
}

TEST(TaskbarNotifierTest, TheEmptySkinShowsNothing) {
  FakePlatform platform;
  TTaskbarNotifier notifier(platform);
  notifier.Show();
  EXPECT_FALSE(platform.visible);
  EXPECT_EQ(platform.skinApplied, 0);
  EXPECT_TRUE(platform.running.empty());
  EXPECT_EQ(notifier.window().state(), TTaskbarNotifyWindow::Hidden);
}

TEST(TaskbarNotifierTest, RisesStaysAndSinksWithTheTaskbarAtTheBottom) {
  FakePlatform platform;
  TTaskbarNotifier notifier(platform);
  UseMainWindowValues(notifier);
  int clicks = 0;
  notifier.OnClick = [&](TTaskbarNotifier& sender) {
    EXPECT_EQ(&sender, &notifier);
    ++clicks;
  };
  notifier.Message = std::string("Телефон отключен!");
  notifier.Show();
  auto& window = notifier.window();

  EXPECT_EQ(platform.skinApplied, 1);
  EXPECT_EQ(window.width(), 148);
  EXPECT_EQ(window.height(), 120);
  EXPECT_EQ(window.textRect().Left, 7);
  EXPECT_EQ(window.textRect().Top, 35);
  EXPECT_EQ(window.textRect().Right, 141);
  EXPECT_EQ(window.textRect().Bottom, 100);
  EXPECT_EQ(window.message(), std::string("Телефон отключен!"));
  EXPECT_EQ(platform.shownAt, (NotifyPoint{1280 - 148, 984}));
  EXPECT_EQ(window.showInterval(), 1);  // 50 ms over 60 steps
  EXPECT_EQ(window.hideInterval(), 1);
  EXPECT_EQ(platform.running, (std::map<NotifyTimer, int>{{NotifyTimer::Show, 1}}));

  window.Tick(NotifyTimer::Show);
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 982}));
  EXPECT_EQ(platform.RunUntil(window, TTaskbarNotifyWindow::Shown), 59);
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 864}));
  EXPECT_EQ(platform.running, (std::map<NotifyTimer, int>{{NotifyTimer::Live, 1000}}));

  window.MouseEnter();
  EXPECT_TRUE(window.hover());
  window.MouseRelease();
  EXPECT_EQ(clicks, 1);
  window.MouseLeave();
  EXPECT_FALSE(window.hover());

  window.Tick(NotifyTimer::Live);
  EXPECT_EQ(window.state(), TTaskbarNotifyWindow::SlidingOut);
  EXPECT_EQ(platform.running, (std::map<NotifyTimer, int>{{NotifyTimer::Hide, 1}}));
  window.Tick(NotifyTimer::Hide);
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 866}));
  EXPECT_EQ(platform.RunUntil(window, TTaskbarNotifyWindow::Hidden), 59);
  EXPECT_FALSE(platform.visible);
  EXPECT_EQ(platform.at, (NotifyPoint{0, 0}));
  EXPECT_TRUE(platform.running.empty());

  // The same window comes out again for the next message.
  notifier.Show();
  EXPECT_EQ(window.state(), TTaskbarNotifyWindow::SlidingIn);
  EXPECT_EQ(platform.shownAt, (NotifyPoint{1132, 984}));
}

TEST(TaskbarNotifierTest, ComesOutOfTheTaskbarOnEverySide) {
  struct Case {
    const char* side;
    NotifyRect work;
    NotifyPoint start;
    NotifyPoint shown;
  };
  // Screen 1280 x 1024; a 40-pixel taskbar on each side in turn.
  const Case cases[] = {
      {"bottom", {0, 0, 1280, 984}, {1132, 984}, {1132, 864}},
      {"top", {0, 40, 1280, 1024}, {1132, -80}, {1132, 40}},
      {"right", {0, 0, 1240, 1024}, {1240, 904}, {1092, 904}},
      {"left", {40, 0, 1280, 1024}, {-108, 904}, {40, 904}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    FakePlatform platform;
    platform.work = c.work;
    TTaskbarNotifier notifier(platform);
    UseMainWindowValues(notifier);
    notifier.TimeToShow = 740;
    notifier.TimeToHide = 300;
    notifier.Show();
    auto& window = notifier.window();
    EXPECT_EQ(window.startPosition(), c.start);
    EXPECT_EQ(window.shownPosition(), c.shown);
    const bool sideways = c.start.Y == c.shown.Y;
    // Left and right slides go the width (74 steps), up and down the height (60 steps).
    EXPECT_EQ(window.showInterval(), sideways ? 10 : 12);
    EXPECT_EQ(window.hideInterval(), sideways ? 4 : 5);
    EXPECT_EQ(platform.RunUntil(window, TTaskbarNotifyWindow::Shown), sideways ? 74 : 60);
    EXPECT_EQ(platform.at, c.shown);
  }

  // A second monitor to the right of the first, its taskbar on its right.
  FakePlatform platform;
  platform.screen = {1280, 0, 2560, 1024};
  platform.work = {1280, 0, 2520, 1024};
  TTaskbarNotifier notifier(platform);
  UseMainWindowValues(notifier);
  notifier.Show();
  EXPECT_EQ(notifier.window().startPosition(), (NotifyPoint{2520, 904}));
  EXPECT_EQ(notifier.window().shownPosition(), (NotifyPoint{2372, 904}));
}

TEST(TaskbarNotifierTest, ANewMessageInEveryStateShowsAtOnce) {
  FakePlatform platform;
  TTaskbarNotifier notifier(platform);
  UseMainWindowValues(notifier);
  auto& window = notifier.window();

  // Twice in quick succession: one popup, the second text, still sliding in.
  notifier.Message = "first";
  notifier.Show();
  window.Tick(NotifyTimer::Show);
  const int repaints = platform.repaints;
  notifier.Message = "second";
  notifier.Show();
  EXPECT_EQ(window.state(), TTaskbarNotifyWindow::SlidingIn);
  EXPECT_EQ(window.message(), "second");
  EXPECT_EQ(platform.repaints, repaints + 1);
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 982}));
  EXPECT_EQ(platform.RunUntil(window, TTaskbarNotifyWindow::Shown), 59);

  // Shown: the waiting time starts again.
  platform.running[NotifyTimer::Live] = -1;
  notifier.Message = "third";
  notifier.Show();
  EXPECT_EQ(window.state(), TTaskbarNotifyWindow::Shown);
  EXPECT_EQ(platform.running, (std::map<NotifyTimer, int>{{NotifyTimer::Live, 1000}}));
  EXPECT_EQ(window.message(), "third");

  // Sliding out: back fully shown at once, waiting again.
  window.Tick(NotifyTimer::Live);
  for (int i = 0; i < 10; ++i) window.Tick(NotifyTimer::Hide);
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 884}));
  notifier.Message = "fourth";
  notifier.Show();
  EXPECT_EQ(window.state(), TTaskbarNotifyWindow::Shown);
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 864}));
  EXPECT_EQ(platform.running, (std::map<NotifyTimer, int>{{NotifyTimer::Live, 1000}}));
  EXPECT_EQ(window.message(), "fourth");

  // Just as the waiting time ends, before the first step down.
  window.Tick(NotifyTimer::Live);
  notifier.Show();
  EXPECT_EQ(window.state(), TTaskbarNotifyWindow::Shown);
  EXPECT_EQ(platform.running, (std::map<NotifyTimer, int>{{NotifyTimer::Live, 1000}}));
  EXPECT_EQ(platform.at, (NotifyPoint{1132, 864}));
}

TEST(TaskbarNotifierTest, OddAndTinySkinsStillSlideTheWholeWay) {
  FakePlatform platform;
  TTaskbarNotifier notifier(platform);
  UseMainWindowValues(notifier);
  notifier.SkinWidth = 1;
  notifier.SkinHeight = 5;
  notifier.Show();
  auto& window = notifier.window();
  EXPECT_EQ(window.showInterval(), 25);  // 50 ms over 2 steps
  EXPECT_EQ(platform.RunUntil(window, TTaskbarNotifyWindow::Shown), 3);
  EXPECT_EQ(platform.at, (NotifyPoint{1279, 979}));
  window.Tick(NotifyTimer::Live);
  EXPECT_EQ(platform.RunUntil(window, TTaskbarNotifyWindow::Hidden), 3);

  // Paddings larger than the skin leave an empty text rectangle.
  notifier.TextLeftPadding = 200;
  notifier.Show();
  EXPECT_LE(window.textRect().Right, window.textRect().Left);

  // One pixel high: a single step, no division by nothing.
  FakePlatform other;
  TTaskbarNotifier tiny(other);
  UseMainWindowValues(tiny);
  tiny.SkinHeight = 1;
  tiny.Show();
  EXPECT_EQ(tiny.window().showInterval(), 50);
  EXPECT_EQ(other.RunUntil(tiny.window(), TTaskbarNotifyWindow::Shown), 1);
}

}  // namespace
}  // namespace quorix
