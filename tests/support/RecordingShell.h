#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "codec/CodePage.h"

namespace quorix::test {

// A Shell that keeps what the program showed, in UTF-8 for readable assertions.
class RecordingShell : public Shell {
 public:
  struct Box {
    std::string caption;
    std::string text;
    MessageIcon icon;
  };

  std::vector<Box> messages;
  std::vector<std::string> notices;
  std::array<std::string, 3> status;
  int eventRuns = 0;

  void Message(const std::string& caption, const std::string& text, MessageIcon icon) override {
    messages.push_back({Cp1251ToUtf8(caption), Cp1251ToUtf8(text), icon});
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void ProgressShow() override {}
  void ProgressClose() override {}
  void ProgressSetText(const std::string&) override {}
  void ProgressSetMax(int) override {}
  void ProgressSetPosition(int) override {}
  void ProgressStep(int) override {}
  void SetStatus(int panel, const std::string& text) override {
    status.at(panel) = Cp1251ToUtf8(text);
  }
  void Notify(const std::string& text) override { notices.push_back(Cp1251ToUtf8(text)); }
  void LogLine(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  std::optional<std::string> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
  std::optional<std::string> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }
  void ProcessEvents() override { ++eventRuns; }
};

}  // namespace quorix::test
