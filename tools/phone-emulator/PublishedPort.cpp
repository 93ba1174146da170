#include "phone-emulator/PublishedPort.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quorix::emu {

namespace {

std::atomic<int> publishedInProcess{0};

}  // namespace

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
  // Several emulators in one process (tests) each get a file of their own.
  const int serial = publishedInProcess++;
  std::string name = "emulator-" + std::to_string(getpid());
  if (serial > 0) name += "-" + std::to_string(serial);
  const fs::path target = dir / name;
  const fs::path temporary = dir / ("." + name + ".tmp");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << terminalPath << '\n';
    if (!out) throw std::runtime_error("cannot write " + temporary.string());
  }
  // A reader sees the whole path or no file.
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    throw std::runtime_error("cannot publish the port in " + dir.string());
  }
  filePath_ = target.string();
}

PublishedPort::~PublishedPort() {
  std::error_code ec;
  std::filesystem::remove(filePath_, ec);
}

}  // namespace quorix::emu
