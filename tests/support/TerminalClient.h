#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace quorix::test {

// The client side of the emulator's terminal, opened as a program opens a serial port.
class TerminalClient {
 public:
  explicit TerminalClient(const std::string& path);
  ~TerminalClient();
  TerminalClient(const TerminalClient&) = delete;
  TerminalClient& operator=(const TerminalClient&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  void Send(std::string_view bytes);
  // Reads until the text read so far ends with `ending`; gives up after `guard`, which only keeps
  // a broken emulator from hanging the test.
  std::string ReadUntil(std::string_view ending,
                        std::chrono::milliseconds guard = std::chrono::seconds(10));
  // Everything that arrives within `span`.
  std::string ReadFor(std::chrono::milliseconds span);
  // The other side has closed the line.
  bool LineDropped(std::chrono::milliseconds guard = std::chrono::seconds(10));

 private:
  int fd_ = -1;
};

}  // namespace quorix::test
