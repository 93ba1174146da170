#pragma once

#include <fstream>
#include <string>
#include <string_view>

namespace quorix::emu {

// The --log file: every received command line and every reply, each with the local time, the
// control characters of replies written as \r, \n and \xHH; in P2K mode every command and reply.
class Transcript {
 public:
  // An empty path keeps no transcript.
  explicit Transcript(const std::string& path);

  bool IsOpen() const { return out_.is_open(); }
  void Received(std::string_view line);
  void Sent(std::string_view bytes);
  void Note(std::string_view text);
  // What the phone's P2K interface received and answered.
  void P2K(std::string_view text);

 private:
  void Write(std::string_view direction, std::string_view text);

  std::ofstream out_;
};

std::string EscapeControls(std::string_view bytes);

}  // namespace quorix::emu
