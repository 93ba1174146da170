#include "app/ui/NotifierSkin.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quorix::ui {

QImage DrawNotifierSkin() {
  constexpr int kWidth = 148;
  constexpr int kHeight = 120;
  constexpr int kTitle = 28;
  const QColor transparent(255, 0, 255);
  const QColor navy(27, 47, 102);

  QImage skin(kWidth, kHeight, QImage::Format_RGB888);
  skin.fill(transparent);
  QPainter painter(&skin);
  // Without antialiasing no edge pixel is a blend with the transparent colour, so the shape
  // keeps no pink fringe.
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath panel;
  panel.addRoundedRect(QRectF(0, 0, kWidth - 1, kHeight - 1), 10, 10);

  QLinearGradient body(0, kTitle, 0, kHeight);
  body.setColorAt(0, QColor(246, 249, 254));
  body.setColorAt(1, QColor(214, 226, 244));
  painter.fillPath(panel, body);

  painter.setClipPath(panel);
  QLinearGradient title(0, 0, 0, kTitle);
  title.setColorAt(0, QColor(64, 98, 170));
  title.setColorAt(1, navy);
  painter.fillRect(0, 0, kWidth, kTitle, title);
  painter.setPen(QColor(140, 165, 215));
  painter.drawLine(0, kTitle, kWidth, kTitle);

  // A small handset in the title strip.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(235, 240, 250));
  painter.drawRect(10, 6, 9, 17);
  painter.drawRect(11, 3, 2, 3);
  painter.setBrush(QColor(120, 200, 130));
  painter.drawRect(12, 8, 5, 5);
  painter.setBrush(navy);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 2; ++col) painter.drawRect(12 + col * 3, 15 + row * 3 - 1, 1, 1);
  }

  painter.setRenderHint(QPainter::TextAntialiasing, true);
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(26, 0, kWidth - 32, kTitle), Qt::AlignLeft | Qt::AlignVCenter, "Quorix");
  painter.setClipping(false);

  painter.setPen(navy);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(panel);
  return skin;
}

}  // namespace quorix::ui
