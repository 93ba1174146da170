#include "app/ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorix::ui {

namespace {

constexpr int kSize = 24;

const char* ThemeName(ToolIcon icon) {
  switch (icon) {
    case ToolIcon::Connect:
      return "network-connect";
    case ToolIcon::Disconnect:
      return "network-disconnect";
    case ToolIcon::ReadPhonebook:
      return "document-import";
    case ToolIcon::Defragment:
      return "view-sort-ascending";
    case ToolIcon::AddEntry:
      return "list-add";
    case ToolIcon::EditEntry:
      return "document-edit";
    case ToolIcon::DeleteEntries:
      return "list-remove";
    case ToolIcon::SaveToFile:
      return "document-save-as";
    case ToolIcon::RestoreFromFile:
      return "document-open";
    case ToolIcon::Upload:
      return "document-export";
    case ToolIcon::DeleteToneDb:
      return "edit-delete";
    case ToolIcon::ClearPhonebook:
      return "edit-clear";
  }
  return "";
}

void Arrow(QPainter& p, QColor color, bool down) {
  QPainterPath path;
  const qreal tip = down ? 21 : 3;
  const qreal base = down ? 12 : 12;
  path.moveTo(12, tip);
  path.lineTo(4, base);
  path.lineTo(9, base);
  path.lineTo(9, down ? 3 : 21);
  path.lineTo(15, down ? 3 : 21);
  path.lineTo(15, base);
  path.lineTo(20, base);
  path.closeSubpath();
  p.fillPath(path, color);
}

void Bar(QPainter& p, QColor color, bool vertical) {
  p.fillRect(QRectF(4, 10, 16, 4), color);
  if (vertical) p.fillRect(QRectF(10, 4, 4, 16), color);
}

void Cross(QPainter& p, QColor color) {
  p.setPen(QPen(color, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 6), QPointF(18, 18));
  p.drawLine(QPointF(18, 6), QPointF(6, 18));
}

void Plug(QPainter& p, QColor color, bool broken) {
  p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(color);
  p.drawRoundedRect(QRectF(3, 8, 7, 8), 2, 2);
  p.drawRoundedRect(QRectF(14, 8, 7, 8), 2, 2);
  if (!broken) p.drawLine(QPointF(10, 12), QPointF(14, 12));
  p.drawLine(QPointF(1, 12), QPointF(3, 12));
  p.drawLine(QPointF(21, 12), QPointF(23, 12));
}

void Document(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(5.5, 2.5, 13, 19));
}

void Disk(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 70, 140));
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
  p.fillRect(QRectF(7, 3, 10, 6), QColor(220, 220, 220));
  p.fillRect(QRectF(6, 13, 12, 8), Qt::white);
}

void Folder(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 20), 1));
  p.setBrush(QColor(240, 200, 90));
  QPainterPath path;
  path.moveTo(2.5, 6.5);
  path.lineTo(9.5, 6.5);
  path.lineTo(11.5, 8.5);
  path.lineTo(21.5, 8.5);
  path.lineTo(21.5, 19.5);
  path.lineTo(2.5, 19.5);
  path.closeSubpath();
  p.drawPath(path);
}

void Pencil(QPainter& p) {
  p.setPen(QPen(QColor(200, 130, 20), 4, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(7, 17), QPointF(18, 6));
  p.setPen(QPen(QColor(60, 60, 60), 2));
  p.drawLine(QPointF(4, 20), QPointF(7, 17));
}

void Rows(QPainter& p) {
  const QColor colors[] = {QColor(40, 110, 200), QColor(40, 110, 200), QColor(160, 160, 160)};
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(4, 5 + i * 6, 16 - i * 4, 3), colors[i]);
}

QPixmap Drawn(ToolIcon icon) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor green(30, 150, 60), red(200, 40, 40), blue(40, 90, 190);
  switch (icon) {
    case ToolIcon::Connect:
      Plug(p, green, false);
      break;
    case ToolIcon::Disconnect:
      Plug(p, red, true);
      break;
    case ToolIcon::ReadPhonebook:
      Document(p);
      Arrow(p, blue, true);
      break;
    case ToolIcon::Defragment:
      Rows(p);
      break;
    case ToolIcon::AddEntry:
      Bar(p, green, true);
      break;
    case ToolIcon::EditEntry:
      Document(p);
      Pencil(p);
      break;
    case ToolIcon::DeleteEntries:
      Bar(p, red, false);
      break;
    case ToolIcon::SaveToFile:
      Disk(p);
      break;
    case ToolIcon::RestoreFromFile:
      Folder(p);
      break;
    case ToolIcon::Upload:
      Document(p);
      Arrow(p, green, false);
      break;
    case ToolIcon::DeleteToneDb:
      Document(p);
      Cross(p, red);
      break;
    case ToolIcon::ClearPhonebook:
      Rows(p);
      Cross(p, red);
      break;
  }
  return pixmap;
}

}  // namespace

QIcon ToolbarIcon(ToolIcon icon) {
  return QIcon::fromTheme(ThemeName(icon), QIcon(Drawn(icon)));
}

}  // namespace quorix::ui
