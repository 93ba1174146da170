#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "support/SilentShell.h"

namespace quorix::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Readers of files take a path: the input goes to one file of this process, rewritten each run.
inline const std::string& InputFile(const std::string& name) {
  static const std::string path = [&] {
    const char* dir = getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/quorix-fuzz-" + std::to_string(getpid()) + "-" +
           name;
  }();
  return path;
}

inline const std::string& WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  const std::string& path = InputFile(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace quorix::fuzz
