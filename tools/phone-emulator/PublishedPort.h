#pragma once

#include <string>

namespace quorix::emu {

// Lists the emulator's port where Quorix looks for USB modems: a file "emulator-<pid>" holding
// the terminal path, in $QUORIX_PUBLISHED_PORTS or /tmp/quorix-published-ports-<uid>. The file
// goes away with the object.
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

}  // namespace quorix::emu
