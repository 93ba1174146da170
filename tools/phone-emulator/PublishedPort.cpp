#include "phone-emulator/PublishedPort.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace quorix::emu {

std::string PublishedPortsDirectory() {
  if (const char* dir = std::getenv("QUORIX_PUBLISHED_PORTS"); dir && *dir) return dir;
  return "/tmp/quorix-published-ports-" + std::to_string(getuid());
}

PublishedPort::PublishedPort(const std::string& terminalPath) {
  namespace fs = std::filesystem;
  const fs::path dir = PublishedPortsDirectory();
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) throw std::runtime_error("cannot create " + dir.string() + ": " + ec.message());
  std::string base = "emulator-";
  base += std::to_string(getpid());
  // Hidden until complete: readers look at the files named emulator-*.
  std::string temporary = (dir / ".").string();
  temporary += base;
  temporary += "-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) throw std::runtime_error("cannot write in " + dir.string());
  const std::string content = terminalPath + '\n';
  const bool written =
      write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  close(fd);
  if (!written) {
    fs::remove(temporary, ec);
    throw std::runtime_error("cannot write " + temporary);
  }
  // Linking the finished file in place means a reader sees the whole path or no file. Several
  // emulators in one process (tests) each get a name of their own.
  for (int serial = 0; filePath_.empty() && serial < 1000; ++serial) {
    fs::path target = dir / base;
    if (serial > 0) {
      target += '-';
      target += std::to_string(serial);
    }
    if (link(temporary.c_str(), target.c_str()) == 0) {
      filePath_ = target.string();
    } else if (errno != EEXIST) {
      break;
    }
  }
  fs::remove(temporary, ec);
  if (filePath_.empty()) throw std::runtime_error("cannot publish the port in " + dir.string());
}

PublishedPort::~PublishedPort() {
  std::error_code ec;
  std::filesystem::remove(filePath_, ec);
}

}  // namespace quorix::emu
