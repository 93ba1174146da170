#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace quorix::ui {

// Page "AT Команды": a command field, the log of the phone dialogue and its two buttons. The
// buttons' commands are bound by the main window.
class ConsolePage : public QWidget {
  Q_OBJECT

 public:
  explicit ConsolePage(QWidget* parent = nullptr);

  QComboBox* CmdEdit() const { return cmdEdit_; }
  QPlainTextEdit* LogMemo() const { return logMemo_; }
  QPushButton* Button8() const { return button8_; }
  QPushButton* Button9() const { return button9_; }

  // The command exactly as typed.
  std::string Command() const;
  // Appends the text as new lines of the log.
  void LogLine(const std::string& text);
  // The log's lines.
  std::vector<std::string> LogLines() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QComboBox* cmdEdit_;
  QPlainTextEdit* logMemo_;
  QPushButton* button8_;
  QPushButton* button9_;
};

}  // namespace quorix::ui
