#pragma once

#include <optional>
#include <string>

namespace quorix {

enum class MessageIcon { None, Information, Warning, Error };

enum class Answer { Yes, No, Cancel };

// What a file dialog offers; the filter uses the "Label|*.ext|Label|*.ext" form. Paths (the
// initial directory, the chosen file) are as the file system has them.
struct FileChoice {
  std::string title;
  std::string filter;
  std::string defaultExtension;
  std::string initialDirectory;
};

// Everything the core needs of a user: the main window implements it with widgets, quorix-cli on
// the terminal, tests with a recorder. Every text crossing it is UTF-8.
class Shell {
 public:
  virtual ~Shell() = default;

  // Modal message box.
  virtual void Message(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
  // Modal Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // The same for a question whose Yes destroys data: No is the default, so Enter destroys nothing.
  virtual bool AskBeforeDestroying(const std::string& caption, const std::string& text) = 0;
  // Yes, No or Cancel; Escape and closing the question give Cancel.
  virtual Answer AskYesNoCancel(const std::string& caption, const std::string& text) = 0;

  // The progress window: shown without waiting, disables the main window while shown. Closing
  // it by the user sets the application's AbortRequested (the front end owns that wiring).
  virtual void ProgressShow() = 0;
  virtual void ProgressClose() = 0;
  virtual void ProgressSetText(const std::string& text) = 0;
  virtual void ProgressSetMax(int max) = 0;
  virtual void ProgressSetPosition(int position) = 0;
  virtual void ProgressStep(int by) = 0;
  // The gauge is hidden for work it cannot measure, and shown again after.
  virtual void ProgressShowGauge(bool shown) = 0;

  // Status bar panels 0 (connection), 1 (message) and 2 (model).
  virtual void SetStatus(int panel, const std::string& text) = 0;
  // The notification popup.
  virtual void Notify(const std::string& text) = 0;
  // The AT console log.
  virtual void LogLine(const std::string& text) = 0;
  // The main window's title.
  virtual void SetTitle(const std::string& title) = 0;

  // A file to open or to save (UTF-8); nothing when the user cancels.
  virtual std::optional<std::string> ChooseOpenFile(const FileChoice& choice) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileChoice& choice) = 0;

  // Lets pending events (repaints, the progress window's close box, the serial polling tick) run.
  virtual void ProcessEvents() = 0;
  // The program is waiting for the phone (a wait cursor); events still run meanwhile.
  virtual void ShowWaiting(bool waiting) = 0;
};

}  // namespace quorix
