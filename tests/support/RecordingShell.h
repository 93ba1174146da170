#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Shell.h"

namespace quorix::test {

// A Shell for tests: records every call in order as one text line ("Message|caption|text", ...)
// (texts as sent, code page 1251) and answers questions and file choices from scripted queues.
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
  std::array<std::string, 3> status;
  std::vector<std::string> notices;
  bool progressShown = false;
  int progressMax = 0;
  int progressPosition = 0;
  int processEventsCount = 0;
  bool waiting = false;
  int waits = 0;  // how often waiting began

  std::deque<bool> yesNoAnswers;         // default No when empty
  std::deque<Answer> cancelAnswers;      // default Cancel when empty
  std::vector<std::string> noByDefault;  // the questions asked with No as their default
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
  // Recorded as the plain question is, and listed: its default is No.
  bool AskBeforeDestroying(const std::string& caption, const std::string& text) override {
    noByDefault.push_back(text);
    return AskYesNo(caption, text);
  }
  Answer AskYesNoCancel(const std::string& caption, const std::string& text) override {
    calls.push_back("AskYesNoCancel|" + caption + "|" + text);
    if (cancelAnswers.empty()) return Answer::Cancel;
    const Answer answer = cancelAnswers.front();
    cancelAnswers.pop_front();
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
  void ProgressShowGauge(bool shown) override {
    calls.push_back(std::string("ProgressShowGauge|") + (shown ? "1" : "0"));
  }
  void SetStatus(int panel, const std::string& text) override {
    calls.push_back("SetStatus|" + std::to_string(panel) + "|" + text);
    if (panel >= 0 && panel < 3) status[panel] = text;
  }
  void Notify(const std::string& text) override {
    calls.push_back("Notify|" + text);
    notices.push_back(text);
  }
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
  void ShowWaiting(bool on) override {
    waits += on && !waiting;
    waiting = on;
  }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace quorix::test
