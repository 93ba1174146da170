#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>

#include "app/ui/ConsolePage.h"
#include "app/ui/Gauge.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Notifier.h"
#include "app/ui/ProgressWindow.h"
#include "app/ui/Text.h"
#include "base/FileFilter.h"

namespace quorix::ui {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QString DialogFilter(const std::string& filter) {
  QStringList entries;
  for (const auto& item : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const auto& pattern : item.patterns) patterns << FromCore(pattern);
    entries << FromCore(item.label) + " (" + patterns.join(' ') + ")";
  }
  return entries.join(";;");
}

std::optional<std::string> RunFileDialog(QWidget* parent, const FileChoice& choice, bool save) {
  QFileDialog dialog(parent, FromCore(choice.title),
                     QString::fromStdString(choice.initialDirectory), DialogFilter(choice.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(FromCore(choice.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

// A message raised while a dialog is up (the entry editor refusing an index) belongs over that
// dialog, which may stay on top of the main window.
QWidget* MessageOwner(QWidget* window) {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal : window;
}

}  // namespace

void MainWindow::Message(const std::string& caption, const std::string& text, MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), FromCore(caption), FromCore(text), QMessageBox::Ok,
                  MessageOwner(this));
  box.exec();
}

bool MainWindow::AskYesNo(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, FromCore(caption), FromCore(text),
                  QMessageBox::Yes | QMessageBox::No, MessageOwner(this));
  return box.exec() == QMessageBox::Yes;
}

bool MainWindow::AskBeforeDestroying(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, FromCore(caption), FromCore(text),
                  QMessageBox::Yes | QMessageBox::No, MessageOwner(this));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

Answer MainWindow::AskYesNoCancel(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, FromCore(caption), FromCore(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, MessageOwner(this));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

void MainWindow::ProgressShow() {
  form3_->ShowOver();
}

void MainWindow::ProgressClose() {
  form3_->close();
}

void MainWindow::ProgressSetText(const std::string& text) {
  form3_->SetProgressText(FromCore(text));
}

void MainWindow::ProgressSetMax(int max) {
  form3_->Gauge1()->SetMaxValue(max);
}

void MainWindow::ProgressSetPosition(int position) {
  form3_->Gauge1()->SetProgress(position);
}

void MainWindow::ProgressStep(int by) {
  form3_->Gauge1()->AddProgress(by);
}

void MainWindow::ProgressShowGauge(bool shown) {
  form3_->Gauge1()->setVisible(shown);
}

void MainWindow::SetStatus(int panel, const std::string& text) {
  if (panel >= 0 && panel < 3) panels_[panel]->setText(FromCore(text));
}

void MainWindow::Notify(const std::string& text) {
  notifier_->Show(text);
}

void MainWindow::LogLine(const std::string& text) {
  console_->LogLine(text);
}

void MainWindow::SetTitle(const std::string& title) {
  setWindowTitle(FromCore(title));
}

// The dialogs open where the user last chose a file, the first time in the home folder rather
// than wherever the program was started from.
std::optional<std::string> MainWindow::ChooseFile(FileChoice choice, bool save) {
  choice.initialDirectory = lastFolder_.empty() ? QDir::homePath().toStdString() : lastFolder_;
  auto chosen = RunFileDialog(this, choice, save);
  if (chosen) lastFolder_ = QFileInfo(QString::fromStdString(*chosen)).absolutePath().toStdString();
  return chosen;
}

std::optional<std::string> MainWindow::ChooseOpenFile(const FileChoice& choice) {
  return ChooseFile(choice, false);
}

std::optional<std::string> MainWindow::ChooseSaveFile(const FileChoice& choice) {
  return ChooseFile(choice, true);
}

void MainWindow::ProcessEvents() {
  QCoreApplication::processEvents();
}

void MainWindow::ShowWaiting(bool waiting) {
  if (waiting) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace quorix::ui
