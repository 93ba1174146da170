#include "app/ui/NotifyWindow.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "app/ui/Notifier.h"
#include "app/ui/NotifierSkin.h"
#include "codec/CodePage.h"

namespace quorix::ui {
namespace {

// Pixels of the popup inside the text rectangle that the message changed.
int TextPixels(NotifyWindow& window) {
  const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage skin = window.skin().convertToFormat(QImage::Format_RGB32);
  int changed = 0;
  for (int y = 35; y < 100; ++y) {
    for (int x = 7; x < 141; ++x) changed += shot.pixel(x, y) != skin.pixel(x, y);
  }
  return changed;
}

TEST(NotifyWindowTest, TheSkinIsShapedByItsBottomLeftColour) {
  const QImage skin = DrawNotifierSkin();
  EXPECT_EQ(skin.size(), QSize(148, 120));
  EXPECT_EQ(skin.depth(), 24);
  const QRgb transparent = skin.pixel(0, 119);
  EXPECT_EQ(skin.pixel(0, 0), transparent);
  const QRegion mask = SkinMask(skin);
  EXPECT_TRUE(mask.contains(QPoint(74, 5)));  // the title strip
  EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 148, 120));
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 148; ++x) {
      ASSERT_EQ(mask.contains(QPoint(x, y)), skin.pixel(x, y) != transparent) << x << "," << y;
    }
  }

  // Only whole groups of four columns count.
  QImage odd(10, 3, QImage::Format_RGB888);
  odd.fill(Qt::white);
  odd.setPixelColor(0, 2, Qt::red);
  odd.setPixelColor(5, 1, Qt::red);
  const QRegion oddMask = SkinMask(odd);
  EXPECT_EQ(oddMask.boundingRect(), QRect(0, 0, 8, 3));
  EXPECT_FALSE(oddMask.contains(QPoint(0, 2)));
  EXPECT_FALSE(oddMask.contains(QPoint(5, 1)));
  EXPECT_TRUE(oddMask.contains(QPoint(5, 2)));
  EXPECT_FALSE(oddMask.contains(QPoint(9, 0)));
  EXPECT_TRUE(SkinMask(QImage()).isEmpty());
}

TEST(NotifyWindowTest, ShowsTheMessageAndFollowsTheSlide) {
  Notifier notifier;
  NotifyWindow& window = notifier.window();
  auto& logic = notifier.notifier().window();
  int clicks = 0;
  notifier.notifier().OnClick = [&](TTaskbarNotifier&) { ++clicks; };

  notifier.Show(QString::fromUtf8("Motorola E398 подключен!"));
  EXPECT_EQ(notifier.notifier().Message, std::string("Motorola E398 подключен!"));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.size(), QSize(148, 120));
  EXPECT_FALSE(window.mask().isEmpty());
  EXPECT_FALSE(window.mask().contains(QPoint(0, 119)));
  EXPECT_EQ(window.pos(), QPoint(logic.startPosition().X, logic.startPosition().Y));
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(logic.startPosition().X, work.left() + work.width() - 148);

  // Ticks delivered by hand move the real window along.
  for (int i = 0; i < 10; ++i) logic.Tick(NotifyTimer::Show);
  EXPECT_EQ(window.pos(), QPoint(logic.position().X, logic.position().Y));
  EXPECT_NE(window.pos(), QPoint(logic.startPosition().X, logic.startPosition().Y));

  const int shortText = TextPixels(window);
  EXPECT_GT(shortText, 50) << "the message is not drawn";
  notifier.Show(std::string(400, 'W'));
  EXPECT_GT(TextPixels(window), shortText) << "a long message fills the text rectangle";

  // Hover switches to the selected font; a release is a click.
  NotifyFont normal{QFont("DejaVu Sans"), Qt::black};
  NotifyFont selected{QFont("DejaVu Sans"), Qt::red};
  notifier.SetFonts(normal, selected);
  notifier.Show(std::string("Hi"));
  const QPointF inside(74, 60);
  QEnterEvent enter(inside, inside, inside);
  QCoreApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(logic.hover());
  const QImage hovered = window.grab().toImage();
  bool red = false;
  for (int y = 35; y < 100 && !red; ++y) {
    for (int x = 7; x < 141 && !red; ++x)
      red = hovered.pixelColor(x, y).red() > 200 && hovered.pixelColor(x, y).green() < 80;
  }
  EXPECT_TRUE(red) << "hovered text not in the selected font's colour";
  QMouseEvent release(QEvent::MouseButtonRelease, inside, inside, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &release);
  EXPECT_EQ(clicks, 1);
  const QPointF outside(200, 60);
  QMouseEvent releaseOff(QEvent::MouseButtonRelease, outside, outside, Qt::LeftButton, Qt::NoButton,
                         Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &releaseOff);
  EXPECT_EQ(clicks, 1);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&window, &leave);
  EXPECT_FALSE(logic.hover());

  // All the way back: hidden at the origin.
  while (logic.state() != TTaskbarNotifyWindow::Shown) logic.Tick(NotifyTimer::Show);
  logic.Tick(NotifyTimer::Live);
  while (logic.state() != TTaskbarNotifyWindow::Hidden) logic.Tick(NotifyTimer::Hide);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.pos(), QPoint(0, 0));

  // No skin: nothing shows.
  notifier.SetSkin(QImage());
  notifier.Show(std::string("nothing"));
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace quorix::ui
