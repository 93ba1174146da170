#include "app/ui/NumberTypeIcons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "support/TempDir.h"

namespace quorix::ui {
namespace {

// The icon drawn over green: green shows through where it is transparent.
QImage OverGreen(const QPixmap& icon) {
  QImage canvas(icon.size(), QImage::Format_RGB32);
  canvas.fill(Qt::green);
  QPainter(&canvas).drawPixmap(0, 0, icon);
  return canvas;
}

bool SeeThrough(const QImage& canvas, int x, int y) {
  return canvas.pixelColor(x, y) == QColor(Qt::green);
}

const std::array<std::string, 8> kNames = {"Work", "Home",  "Main",  "Mobile",
                                           "Fax",  "Pager", "Email", "Subscribe"};

TEST(NumberTypeIconsTest, TheBuiltIconsLoadWithTheirShape) {
  const auto icons = LoadNumberTypeIcons(kNames, {"/nonexistent", QUORIX_BIN_DIR});
  for (size_t t = 0; t < icons.size(); ++t) {
    SCOPED_TRACE(kNames[t]);
    ASSERT_EQ(icons[t].size(), QSize(15, 15));
    const QImage canvas = OverGreen(icons[t]);
    int opaque = 0;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 15; ++x) opaque += !SeeThrough(canvas, x, y);
    }
    EXPECT_GT(opaque, 30);
    EXPECT_LT(opaque, 200);
    EXPECT_TRUE(SeeThrough(canvas, 0, 14)) << "the bottom-left colour is see-through";
  }
}

TEST(NumberTypeIconsTest, LargerPicturesAreCutAndBrokenOnesRefused) {
  test::TempDir cwd;
  std::filesystem::create_directory(cwd.File("logo"));
  auto names = kNames;
  // A 20 x 20 picture, white with a black top-left square: only its top-left 15 x 15 is used.
  QImage big(20, 20, QImage::Format_RGB32);
  big.fill(Qt::white);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) big.setPixelColor(x, y, Qt::black);
  }
  ASSERT_TRUE(big.save(QString::fromStdString(cwd.File("logo/Work.bmp")), "BMP"));
  const auto icons = LoadNumberTypeIcons(names, {cwd.path(), QUORIX_BIN_DIR});
  ASSERT_EQ(icons[0].size(), QSize(15, 15));
  const QImage canvas = OverGreen(icons[0]);
  EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_TRUE(SeeThrough(canvas, 10, 10));
  EXPECT_TRUE(SeeThrough(canvas, 14, 0));

  test::WriteBytes(cwd.File("logo/Home.bmp"), "not a picture");
  try {
    LoadNumberTypeIcons(names, {cwd.path(), QUORIX_BIN_DIR});
    ADD_FAILURE() << "a broken icon was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + cwd.File("logo/Home.bmp") + "\". Bitmap image is not valid");
  }
  names[1] = "Nowhere";
  EXPECT_THROW(LoadNumberTypeIcons(names, {cwd.path()}), std::runtime_error);
}

}  // namespace
}  // namespace quorix::ui
