#pragma once

#include <string>

namespace quorix::emu {

// Lists the emulator's port where Quorix looks for USB modems: a file "emulator-<pid>" holding
// the terminal path, in the published ports folder. The file goes away with the object.
class PublishedPort {
 public:
  explicit PublishedPort(const std::string& terminalPath);
  ~PublishedPort();
  PublishedPort(const PublishedPort&) = delete;
  PublishedPort& operator=(const PublishedPort&) = delete;

  const std::string& FilePath() const { return filePath_; }

 private:
  std::string filePath_;
};

std::string PublishedPortsDirectory();
// The folder, made with mode 0700 when it is not there; throws when it is there and is not the
// user's own, as Quorix would not read it.
std::string PreparePublishedPortsDirectory();

}  // namespace quorix::emu
