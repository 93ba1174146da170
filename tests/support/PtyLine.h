#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorix::test {

// The far end of a pseudo-terminal: the program opens SlavePath() as its serial port and the
// test plays the other side on the master.
class PtyLine {
 public:
  PtyLine();
  ~PtyLine();
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  const std::string& SlavePath() const { return slavePath_; }
  int MasterFd() const { return master_; }
  void Write(const std::string& bytes);
  // What the program has sent, waiting up to waitMs for the first byte.
  std::string Read(int waitMs);

  // From now on a thread answers each line the program sends (up to its CR; a leading LF is
  // dropped) with answer(line), until StopAnswering or destruction.
  void AnswerWith(std::function<std::string(const std::string& line)> answer);
  void StopAnswering();
  // The lines answered so far.
  std::vector<std::string> Lines();

 private:
  void Answer();

  int master_ = -1;
  std::string slavePath_;
  std::function<std::string(const std::string&)> answer_;
  std::thread answerer_;
  std::atomic<bool> stop_{false};
  std::mutex linesMutex_;
  std::vector<std::string> lines_;
};

// An echoing phone's reply to a command: the echo with its CR, the body lines each framed by
// CR LF, then "OK" (CR LF).
std::string EchoOk(const std::string& line, const std::string& body = "");

}  // namespace quorix::test
