#include "app/ui/Gauge.h"

#include <QPainter>
#include <algorithm>

namespace quorix::ui {

Gauge::Gauge(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(16);
}

void Gauge::SetProgress(int progress) {
  progress_ = progress;
  update();
}

void Gauge::SetMaxValue(int max) {
  max_ = max;
  update();
}

int Gauge::PercentDone() const {
  if (max_ <= 0) return 0;
  long long percent = static_cast<long long>(progress_) * 100 / max_;
  return static_cast<int>(std::clamp(percent, 0LL, 100LL));
}

void Gauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  const int filled = inner.width() * PercentDone() / 100;
  const QRect done(inner.left(), inner.top(), filled, inner.height());
  const QString text = QString::number(PercentDone()) + "%";
  painter.fillRect(inner, Qt::white);
  painter.fillRect(done, QColor(0, 0, 128));
  painter.setPen(Qt::black);
  painter.drawText(inner, Qt::AlignCenter, text);
  // The part of the text over the bar is drawn in white so it stays readable.
  painter.setClipRect(done);
  painter.setPen(Qt::white);
  painter.drawText(inner, Qt::AlignCenter, text);
  painter.setClipping(false);
  painter.setPen(Qt::gray);
  painter.drawRect(frame);
}

}  // namespace quorix::ui
