#include "phone-emulator/PublishedPort.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "link/PublishedPortsFolder.h"

namespace quorix::emu {

std::string PublishedPortsDirectory() {
  return DefaultPublishedPortsDir();
}

std::string PreparePublishedPortsDirectory() {
  namespace fs = std::filesystem;
  const fs::path dir = PublishedPortsDirectory();
  if (PrivateFolderFault(dir) == FolderFault::Missing) {
    std::error_code ec;
    if (dir.has_parent_path()) fs::create_directories(dir.parent_path(), ec);
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
      throw std::runtime_error("cannot create " + dir.string() + ": " + std::strerror(errno));
    }
  }
  const char* why = nullptr;
  switch (PrivateFolderFault(dir)) {
    case FolderFault::None:
      return dir.string();
    case FolderFault::Missing:
      why = "it is not there";
      break;
    case FolderFault::Link:
      why = "it is a symbolic link";
      break;
    case FolderFault::NotDirectory:
      why = "it is not a directory";
      break;
    case FolderFault::OtherOwner:
      why = "it belongs to another user";
      break;
    case FolderFault::OpenToOthers:
      why = "group or others have permissions on it (chmod 700 it)";
      break;
  }
  throw std::runtime_error("refusing to publish in " + dir.string() + ": " + why +
                           "; Quorix would not use it either");
}

PublishedPort::PublishedPort(const std::string& terminalPath) {
  namespace fs = std::filesystem;
  const fs::path dir = PreparePublishedPortsDirectory();
  std::error_code ec;
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
