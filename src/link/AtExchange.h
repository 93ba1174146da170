#pragma once

#include <string>

namespace quorix {

// One AT exchange with the phone: sends the command with CR LF and hands back every character
// received up to the final "OK" (and the character after it) or "ERROR", echo included. An empty
// command sends nothing and leaves reply as it was.
class AtExchange {
 public:
  virtual ~AtExchange() = default;
  virtual void SendATCommand(const std::string& command, std::string& reply) = 0;

  // Brackets one long command (a reading, an upload): of its replies that end in "ERROR" only
  // the first is shown in a box, so that a phone refusing every block does not bury the user
  // under boxes. Brackets nest; LongCommand below pairs them.
  virtual void BeginLongCommand() {}
  virtual void EndLongCommand() {}

  // Brackets questions a phone may not know (its ranges, its category count): an "ERROR" to
  // them is logged, never shown in a box. Brackets nest; QuietQuestions below pairs them.
  virtual void BeginQuiet() {}
  virtual void EndQuiet() {}
};

class LongCommand {
 public:
  explicit LongCommand(AtExchange& at) : at_(at) { at_.BeginLongCommand(); }
  ~LongCommand() { at_.EndLongCommand(); }
  LongCommand(const LongCommand&) = delete;
  LongCommand& operator=(const LongCommand&) = delete;

 private:
  AtExchange& at_;
};

class QuietQuestions {
 public:
  explicit QuietQuestions(AtExchange& at) : at_(at) { at_.BeginQuiet(); }
  ~QuietQuestions() { at_.EndQuiet(); }
  QuietQuestions(const QuietQuestions&) = delete;
  QuietQuestions& operator=(const QuietQuestions&) = delete;

 private:
  AtExchange& at_;
};

}  // namespace quorix
