#include "app/ui/ConsolePage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/Text.h"
#include "base/ConsoleLog.h"
#include "base/Translate.h"
#include "codec/CodePage.h"

namespace quorix::ui {

ConsolePage::ConsolePage(QWidget* parent)
    : QWidget(parent),
      cmdEdit_(new QComboBox(this)),
      logMemo_(new QPlainTextEdit("Log", this)),
      button8_(new QPushButton(FromCore(Tr("Отправить")), this)),
      button9_(new QPushButton(FromCore(Tr("Сохранить")), this)) {
  cmdEdit_->setObjectName("CmdEdit");
  cmdEdit_->setEditable(true);
  // A one-line command field: what is sent is not remembered.
  cmdEdit_->setInsertPolicy(QComboBox::NoInsert);
  cmdEdit_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  logMemo_->setObjectName("LogMemo");
  logMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  logMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  button8_->setObjectName("Button8");
  button8_->setDefault(true);
  button9_->setObjectName("Button9");

  auto* group = new QGroupBox(FromCore(Tr("AT Команды")), this);
  group->setObjectName("GroupBox5");
  auto* commandRow = new QHBoxLayout;
  commandRow->addWidget(cmdEdit_);
  commandRow->addWidget(button8_);
  commandRow->addWidget(button9_);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addLayout(commandRow);
  groupLayout->addWidget(logMemo_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);

  // Enter in the command field presses the default button, as in a dialog. The combo box hands
  // key events on to its line edit, so Enter is caught here once, before either sees it.
  cmdEdit_->installEventFilter(this);
  cmdEdit_->lineEdit()->installEventFilter(this);
}

bool ConsolePage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      button8_->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

std::string ConsolePage::Command() const {
  return ToCore(cmdEdit_->currentText());
}

void ConsolePage::LogLine(const std::string& text) {
  // The log shows the phone's replies as they came: its own 8-bit text is code page 1251.
  for (const auto& line : LogLinesOf(AsUtf8(text))) logMemo_->appendPlainText(FromCore(line));
  // The newest exchange is what the user looks for, also after a reading filled the log unseen.
  logMemo_->moveCursor(QTextCursor::End);
  logMemo_->ensureCursorVisible();
}

std::vector<std::string> ConsolePage::LogLines() const {
  std::vector<std::string> lines;
  for (const auto& line : logMemo_->toPlainText().split('\n')) lines.push_back(ToCore(line));
  return lines;
}

}  // namespace quorix::ui
