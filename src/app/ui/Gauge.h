#pragma once

#include <QWidget>

namespace quorix::ui {

// A horizontal bar drawn in navy that prints its percentage across the middle.
class Gauge : public QWidget {
  Q_OBJECT

 public:
  explicit Gauge(QWidget* parent = nullptr);

  int Progress() const { return progress_; }
  int MaxValue() const { return max_; }
  void SetProgress(int progress);
  void SetMaxValue(int max);
  void AddProgress(int by) { SetProgress(progress_ + by); }
  // Whole percent, 0 while the maximum is not positive.
  int PercentDone() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int progress_ = 0;
  int max_ = 100;
};

}  // namespace quorix::ui
