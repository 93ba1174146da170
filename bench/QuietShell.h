#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/Shell.h"

namespace quorix::bench {

// Nobody watches a benchmark: a message box would only mean a failed exchange, which is counted.
// The events it lets run are whatever onEvents does (the serial polling tick, as in the program).
class QuietShell final : public Shell {
 public:
  int messages = 0;
  std::function<void()> onEvents;

  void Message(const std::string&, const std::string&, MessageIcon) override { ++messages; }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
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
  void ProcessEvents() override {
    if (onEvents) onEvents();
  }
  void ShowWaiting(bool) override {}
};

}  // namespace quorix::bench
