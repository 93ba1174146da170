#include "app/ui/ProgressWindow.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "QtPrinting.h"
#include "SettingsFolder.h"
#include "app/ui/Gauge.h"
#include "app/ui/MainWindow.h"

namespace quorix::ui {
namespace {

TEST(ProgressWindowTest, ShowsOverTheDisabledMainWindowAndCountsPercent) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  window.show();
  ProgressWindow* form3 = window.Form3();
  EXPECT_EQ(form3->windowTitle(), "Пожалуйста подождите...");
  EXPECT_EQ(form3->Label1()->text(), "Reading Categories...");
  EXPECT_EQ(form3->size(), QSize(233, 93));

  window.ProgressSetPosition(7);
  window.ProgressShow();
  EXPECT_TRUE(form3->isVisible());
  EXPECT_FALSE(window.isEnabled());
  EXPECT_TRUE(form3->isEnabled());
  EXPECT_EQ(form3->Gauge1()->Progress(), 0);

  window.ProgressSetText("Чтение");
  EXPECT_EQ(form3->Label1()->text(), "Чтение");
  window.ProgressSetMax(8);
  window.ProgressStep(1);
  window.ProgressStep(2);
  EXPECT_EQ(form3->Gauge1()->PercentDone(), 37);
  window.ProgressSetPosition(8);
  EXPECT_EQ(form3->Gauge1()->PercentDone(), 100);
  window.ProgressSetMax(0);
  EXPECT_EQ(form3->Gauge1()->PercentDone(), 0);

  window.ProgressClose();
  EXPECT_FALSE(form3->isVisible());
  EXPECT_TRUE(window.isEnabled());
}

// A long command lets events through between its steps; the user's close box stops it there.
TEST(ProgressWindowTest, TheCloseBoxAbortsARunningLoop) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  window.show();
  window.State().AbortRequested = false;
  window.ProgressShow();
  window.ProgressSetMax(1000);
  QTimer::singleShot(30, window.Form3(), &QWidget::close);
  int steps = 0;
  while (!window.State().AbortRequested && steps < 100000) {
    window.ProgressStep(1);
    ++steps;
    window.ProcessEvents();
    ::usleep(1000);
  }
  EXPECT_TRUE(window.State().AbortRequested);
  EXPECT_LT(steps, 100000);
  EXPECT_FALSE(window.Form3()->isVisible());
  EXPECT_TRUE(window.isEnabled());
}

}  // namespace
}  // namespace quorix::ui
