#include "cli/TerminalShell.h"

#include <unistd.h>

#include <algorithm>
#include <ostream>

#include "cli/PrintableText.h"
#include "codec/CodePage.h"

namespace quorix::cli {

namespace {

constexpr int kBarWidth = 30;

}  // namespace

TerminalShell::TerminalShell(std::ostream& err) : err_(err), progressOnTerminal_(isatty(2)) {}

void TerminalShell::Message(const std::string& caption, const std::string& text, MessageIcon) {
  err_ << Printable(caption) << ": " << Printable(text) << '\n';
  // A modal box runs the event loop while it is open.
  ProcessEvents();
}

bool TerminalShell::AskYesNo(const std::string& caption, const std::string& text) {
  err_ << Printable(caption) << ": " << Printable(text) << (answerYes_ ? " -> Yes\n" : " -> No\n");
  return answerYes_;
}

bool TerminalShell::AskBeforeDestroying(const std::string& caption, const std::string& text) {
  return AskYesNo(caption, text);
}

Answer TerminalShell::AskYesNoCancel(const std::string& caption, const std::string& text) {
  return AskYesNo(caption, text) ? Answer::Yes : Answer::No;
}

void TerminalShell::ProgressShow() {
  progressShown_ = true;
  DrawProgress();
}

void TerminalShell::ProgressClose() {
  if (progressShown_ && progressOnTerminal_) err_ << '\n';
  progressShown_ = false;
}

void TerminalShell::ProgressSetText(const std::string& text) {
  progressText_ = text;
  DrawProgress();
}

void TerminalShell::ProgressSetMax(int max) {
  progressMax_ = max;
  DrawProgress();
}

void TerminalShell::ProgressSetPosition(int position) {
  progressPosition_ = position;
  DrawProgress();
}

void TerminalShell::ProgressStep(int by) {
  progressPosition_ += by;
  DrawProgress();
}

void TerminalShell::ProgressShowGauge(bool shown) {
  gaugeShown_ = shown;
  DrawProgress();
}

void TerminalShell::DrawProgress() {
  if (!progressShown_ || !progressOnTerminal_) return;
  if (!gaugeShown_) {
    err_ << '\r' << progressText_ << "\x1b[K" << std::flush;
    return;
  }
  const int max = std::max(progressMax_, 1);
  const int percent = std::clamp(progressPosition_ * 100 / max, 0, 100);
  const int filled = percent * kBarWidth / 100;
  err_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
       << percent << "% " << progressText_ << "\x1b[K" << std::flush;
}

void TerminalShell::SetStatus(int panel, const std::string& text) {
  status_.at(panel) = text;
}

void TerminalShell::Notify(const std::string& text) {
  lastNotice_ = text;
}

// The console log is the window's running record; a command prints what it was asked for.
void TerminalShell::LogLine(const std::string&) {}

void TerminalShell::SetTitle(const std::string&) {}

std::optional<std::string> TerminalShell::ChooseOpenFile(const FileChoice&) {
  return std::nullopt;
}

std::optional<std::string> TerminalShell::ChooseSaveFile(const FileChoice&) {
  return std::nullopt;
}

void TerminalShell::ProcessEvents() {
  if (eventHook_) eventHook_();
}

}  // namespace quorix::cli
