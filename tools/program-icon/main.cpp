// Draws the program icon of Quorix, an old candy-bar phone showing a contact on its screen, as
// PNG files of the hicolor theme's sizes: DIRECTORY/<size>x<size>/apps/quorix.png.
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Drawn on a 256 x 256 canvas and scaled; below 32 pixels the keypad and the aerial's tip would
// only blur, so they are left out.
QImage Draw(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);
  const bool detailed = size >= 32;

  // The aerial, then the body with its rim.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 44, 60));
  p.drawRoundedRect(QRectF(150, 4, 28, 48), 10, 10);
  QLinearGradient body(48, 0, 208, 0);
  body.setColorAt(0, QColor(70, 90, 140));
  body.setColorAt(0.5, QColor(110, 135, 195));
  body.setColorAt(1, QColor(55, 72, 118));
  p.setBrush(body);
  p.setPen(QPen(QColor(28, 34, 56), detailed ? 6 : 10));
  p.drawRoundedRect(QRectF(52, 30, 152, 220), 34, 34);

  // The screen, a green display with a contact's head and shoulders.
  p.setPen(QPen(QColor(28, 34, 56), detailed ? 4 : 8));
  p.setBrush(QColor(170, 220, 140));
  const QRectF screen(74, 54, 108, detailed ? 92 : 120);
  p.drawRoundedRect(screen, 10, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(35, 70, 40));
  const double cx = screen.center().x();
  const double top = screen.top() + (detailed ? 14 : 20);
  p.drawEllipse(QPointF(cx, top + 20), 18, 18);
  QPainterPath shoulders;
  const double base = screen.bottom() - (detailed ? 10 : 14);
  shoulders.moveTo(cx - 38, base);
  shoulders.cubicTo(cx - 38, top + 40, cx + 38, top + 40, cx + 38, base);
  shoulders.closeSubpath();
  p.drawPath(shoulders);

  // The keypad: three columns of four keys under the screen.
  if (detailed) {
    p.setBrush(QColor(230, 234, 242));
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 3; ++column) {
        p.drawRoundedRect(QRectF(82 + column * 34, 160 + row * 20, 24, 13), 6, 6);
      }
    }
  }
  p.end();
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  for (const int size : kSizes) {
    const QString folder = QString("%1/%2x%2/apps").arg(argv[1]).arg(size);
    if (!QDir().mkpath(folder) || !Draw(size).save(folder + "/quorix.png", "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s/quorix.png\n", argv[0], qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
