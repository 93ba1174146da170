#include "base/FileBytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "codec/CodePage.h"

namespace quorix {

std::string ReadFileBytes(const std::string& path, size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw FileBytesError("Cannot open " + path + ": " + std::strerror(errno));
  }
  std::string bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (bytes.size() > maxBytes) {
      throw FileBytesError(path + " is larger than " + std::to_string(maxBytes / (1024 * 1024)) +
                           " MB");
    }
  }
  if (in.bad()) {
    throw FileBytesError("Cannot read " + path + ": " + std::strerror(errno));
  }
  return bytes;
}

}  // namespace quorix
