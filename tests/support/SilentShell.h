#pragma once

#include <optional>
#include <string>

#include "base/Shell.h"

namespace quorix::test {

// Nobody answers: questions are No, file choices cancelled, everything else dropped.
class SilentShell : public Shell {
 public:
  void Message(const std::string&, const std::string&, MessageIcon) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool AskBeforeDestroying(const std::string&, const std::string&) override { return false; }
  Answer AskYesNoCancel(const std::string&, const std::string&) override { return Answer::No; }
  void ProgressShow() override {}
  void ProgressClose() override {}
  void ProgressSetText(const std::string&) override {}
  void ProgressSetMax(int) override {}
  void ProgressSetPosition(int) override {}
  void ProgressStep(int) override {}
  void ProgressShowGauge(bool) override {}
  void SetStatus(int, const std::string&) override {}
  void Notify(const std::string&) override {}
  void LogLine(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  std::optional<std::string> ChooseOpenFile(const FileChoice&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileChoice&) override { return {}; }
  void ProcessEvents() override {}
  void ShowWaiting(bool) override {}
};

}  // namespace quorix::test
