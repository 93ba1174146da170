#pragma once

#include <array>
#include <functional>
#include <iosfwd>
#include <string>

#include "base/Shell.h"

namespace quorix::cli {

// The Shell on a terminal. Message boxes go to err as "caption: text"; the status panels and the
// popup are kept for the command to report from; questions are answered No (or Yes, once the user
// has said so on the command line) and file choices cancelled, since nobody is there to answer.
// Texts are converted to UTF-8 on the way out.
class TerminalShell final : public Shell {
 public:
  explicit TerminalShell(std::ostream& err);

  // Run by ProcessEvents: what a window's event loop would dispatch (the serial polling tick).
  void SetEventHook(std::function<void()> hook) { eventHook_ = std::move(hook); }
  const std::string& Status(int panel) const { return status_.at(panel); }
  const std::string& LastNotice() const { return lastNotice_; }
  void AnswerYes() { answerYes_ = true; }

  void Message(const std::string& caption, const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  bool AskBeforeDestroying(const std::string& caption, const std::string& text) override;
  Answer AskYesNoCancel(const std::string& caption, const std::string& text) override;
  void ProgressShow() override;
  void ProgressClose() override;
  void ProgressSetText(const std::string& text) override;
  void ProgressSetMax(int max) override;
  void ProgressSetPosition(int position) override;
  void ProgressStep(int by) override;
  void ProgressShowGauge(bool shown) override;
  void SetStatus(int panel, const std::string& text) override;
  void Notify(const std::string& text) override;
  void LogLine(const std::string& text) override;
  void SetTitle(const std::string& title) override;
  std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
  std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;
  void ProcessEvents() override;
  void ShowWaiting(bool) override {}

 private:
  void DrawProgress();

  std::ostream& err_;
  bool progressOnTerminal_;
  bool progressShown_ = false;
  std::string progressText_;
  int progressMax_ = 100;
  int progressPosition_ = 0;
  bool gaugeShown_ = true;
  std::array<std::string, 3> status_;
  std::string lastNotice_;
  std::function<void()> eventHook_;
  bool answerYes_ = false;
};

}  // namespace quorix::cli
