#include "app/ui/MainWindow.h"

#include <gtest/gtest.h>

#include <QTabWidget>

namespace quorix::ui {
namespace {

TEST(MainWindowTest, StartsWithItsTitleAndLayout) {
  MainWindow window;
  window.show();
  EXPECT_EQ(window.windowTitle(), "Quorix");
  EXPECT_EQ(window.geometry().size(), QSize(978, 673));
  EXPECT_EQ(window.geometry().topLeft(), QPoint(245, 97));
  ASSERT_NE(window.pages(), nullptr);
}

}  // namespace
}  // namespace quorix::ui
