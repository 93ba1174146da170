#include "app/ui/NotifyWindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>

#include <vector>

#include "codec/CodePage.h"

namespace quorix::ui {
namespace {

NotifyRect ToNotifyRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect PrimaryScreen(bool available) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return available ? screen->availableGeometry() : screen->geometry();
}

// Centred lines broken at word boundaries; the last line that fits ends with an ellipsis when
// the text goes on.
void DrawMessage(QPainter& painter, const QRect& rect, const QString& text) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  const QFontMetrics metrics(painter.font());
  const int lineHeight = metrics.height();
  const int maxLines = rect.height() / lineHeight;
  if (maxLines == 0) return;

  QTextLayout layout(text, painter.font());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  std::vector<int> starts;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(rect.width());
    starts.push_back(line.textStart());
  }
  layout.endLayout();
  const bool cut = static_cast<int>(starts.size()) > maxLines;
  if (cut) starts.resize(maxLines);
  starts.push_back(static_cast<int>(text.size()));

  QStringList lines;
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    // The last line that fits takes the rest of the text, to end in an ellipsis.
    const int end = cut && i + 2 == starts.size() ? static_cast<int>(text.size()) : starts[i + 1];
    lines << text.mid(starts[i], end - starts[i]).simplified();
  }

  int y = rect.top() + (rect.height() - static_cast<int>(lines.size()) * lineHeight) / 2;
  for (const QString& line : lines) {
    painter.drawText(QRect(rect.left(), y, rect.width(), lineHeight), Qt::AlignCenter,
                     metrics.elidedText(line, Qt::ElideRight, rect.width()));
    y += lineHeight;
  }
}

}  // namespace

QRegion SkinMask(const QImage& skin) {
  if (skin.isNull()) return {};
  const QImage image = skin.convertToFormat(QImage::Format_RGB32);
  const QRgb transparent = image.pixel(0, image.height() - 1);
  const int width = image.width() / 4 * 4;
  QRegion shape;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width;) {
      while (x < width && row[x] == transparent) ++x;
      const int from = x;
      while (x < width && row[x] != transparent) ++x;
      if (x > from) shape += QRect(from, y, x - from, 1);
    }
  }
  return shape;
}

NotifyWindow::NotifyWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
  setObjectName("TaskbarNotifyWindow");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  for (const NotifyTimer timer : {NotifyTimer::Show, NotifyTimer::Live, NotifyTimer::Hide}) {
    connect(&Timer(timer), &QTimer::timeout, this, [this, timer] {
      if (logic_) logic_->Tick(timer);
    });
  }
  normal_.font = font();
  selected_.font = font();
  selected_.font.setUnderline(true);
}

void NotifyWindow::SetFonts(const NotifyFont& normal, const NotifyFont& selected) {
  normal_ = normal;
  selected_ = selected;
}

NotifyRect NotifyWindow::Screen() const {
  return ToNotifyRect(PrimaryScreen(false));
}

NotifyRect NotifyWindow::WorkArea() const {
  return ToNotifyRect(PrimaryScreen(true));
}

void NotifyWindow::ApplySkin() {
  resize(skin_.size());
  setMask(SkinMask(skin_));
}

void NotifyWindow::ShowAt(NotifyPoint position) {
  setGeometry(position.X, position.Y, skin_.width(), skin_.height());
  show();
}

void NotifyWindow::MoveTo(NotifyPoint position) {
  move(position.X, position.Y);
}

void NotifyWindow::HideAway() {
  hide();
  move(0, 0);
}

void NotifyWindow::Repaint() {
  update();
}

void NotifyWindow::StartTimer(NotifyTimer timer, int intervalMs) {
  Timer(timer).start(intervalMs);
}

void NotifyWindow::StopTimer(NotifyTimer timer) {
  Timer(timer).stop();
}

void NotifyWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, skin_);
  if (!logic_) return;
  const NotifyFont& font = logic_->hover() ? selected_ : normal_;
  painter.setFont(font.font);
  painter.setPen(font.color);
  const NotifyRect& r = logic_->textRect();
  DrawMessage(painter, QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top),
              QString::fromStdString(logic_->message()));
}

void NotifyWindow::enterEvent(QEnterEvent*) {
  if (logic_) logic_->MouseEnter();
}

void NotifyWindow::leaveEvent(QEvent*) {
  if (logic_) logic_->MouseLeave();
}

void NotifyWindow::mouseReleaseEvent(QMouseEvent* event) {
  // A press on the popup dragged off it before release is no click.
  if (logic_ && rect().contains(event->position().toPoint())) logic_->MouseRelease();
}

}  // namespace quorix::ui
