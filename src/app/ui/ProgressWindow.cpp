#include "app/ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QWindow>

#include "app/ui/Gauge.h"
#include "app/ui/Text.h"
#include "base/Translate.h"

namespace quorix::ui {

// Not a child widget of the owner: a disabled owner would disable its children too, and this
// window must stay usable while the owner is disabled. It stays above the owner as its
// transient window instead.
ProgressWindow::ProgressWindow(QWidget* owner, std::function<void()> onClosed)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      owner_(owner),
      onClosed_(std::move(onClosed)),
      label1_(new QLabel("Reading Categories...", this)),
      gauge1_(new Gauge(this)) {
  setObjectName("Form3");
  setWindowTitle(FromCore(Tr("Пожалуйста подождите...")));
  label1_->setObjectName("Label1");
  gauge1_->setObjectName("Gauge1");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addWidget(gauge1_);
  resize(233, 93);
}

void ProgressWindow::ShowOver() {
  gauge1_->SetProgress(0);
  owner_->setEnabled(false);
  winId();
  if (owner_->windowHandle()) windowHandle()->setTransientParent(owner_->windowHandle());
  const QRect area = owner_->frameGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
  show();
  raise();
}

void ProgressWindow::SetProgressText(const QString& text) {
  label1_->setText(text);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  owner_->setEnabled(true);
  onClosed_();
  event->accept();
}

}  // namespace quorix::ui
