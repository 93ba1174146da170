#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "codec/CodePage.h"

namespace quorix {

// A Shell for tests: records every call in order as one text line ("Message|caption|text", ...)
// and answers questions and file choices from scripted queues.
class RecordingShell : public Shell {
 public:
  struct MessageCall {
    std::string caption;
    std::string text;
    MessageIcon icon;
  };

  std::vector<std::string> calls;
  std::vector<MessageCall> messages;
  std::vector<std::string> log;
  std::vector<FileChoice> fileChoices;
  std::string title;
  std::string status[3];
  bool progressShown = false;
  int progressMax = 0;
  int progressPosition = 0;
  int processEventsCount = 0;

  std::deque<bool> yesNoAnswers;  // default No when empty
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  // Run at every ProcessEvents call (for example to request an abort after so many calls).
  std::function<void(int)> onProcessEvents;

  void Message(const std::string& caption, const std::string& text, MessageIcon icon) override {
    calls.push_back("Message|" + caption + "|" + text);
    messages.push_back({caption, text, icon});
  }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    calls.push_back("AskYesNo|" + caption + "|" + text);
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }
  void ProgressShow() override {
    calls.push_back("ProgressShow");
    progressShown = true;
  }
  void ProgressClose() override {
    calls.push_back("ProgressClose");
    progressShown = false;
  }
  void ProgressSetText(const std::string& text) override {
    calls.push_back("ProgressSetText|" + text);
  }
  void ProgressSetMax(int max) override {
    calls.push_back("ProgressSetMax|" + std::to_string(max));
    progressMax = max;
  }
  void ProgressSetPosition(int position) override {
    calls.push_back("ProgressSetPosition|" + std::to_string(position));
    progressPosition = position;
  }
  void ProgressStep(int by) override {
    calls.push_back("ProgressStep|" + std::to_string(by));
    progressPosition += by;
  }
  void SetStatus(int panel, const std::string& text) override {
    calls.push_back("SetStatus|" + std::to_string(panel) + "|" + text);
    if (panel >= 0 && panel < 3) status[panel] = text;
  }
  void Notify(const std::string& text) override { calls.push_back("Notify|" + text); }
  void LogLine(const std::string& text) override {
    calls.push_back("LogLine|" + text);
    log.push_back(text);
  }
  void SetTitle(const std::string& text) override {
    calls.push_back("SetTitle|" + text);
    title = text;
  }
  std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override {
    calls.push_back("ChooseOpenFile|" + choice.title);
    fileChoices.push_back(choice);
    return Next(openAnswers);
  }
  std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override {
    calls.push_back("ChooseSaveFile|" + choice.title);
    fileChoices.push_back(choice);
    return Next(saveAnswers);
  }
  void ProcessEvents() override {
    calls.push_back("ProcessEvents");
    ++processEventsCount;
    if (onProcessEvents) onProcessEvents(processEventsCount);
  }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace quorix

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
