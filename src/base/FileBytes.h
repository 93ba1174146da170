#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace quorix {

// A file could not be read whole. The text is code page 1251 and names the file.
struct FileBytesError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The whole file at path (UTF-8). FileBytesError when it cannot be opened or read, or holds more
// than maxBytes (a file that large is no file of the kind asked for, and is not read into memory).
std::string ReadFileBytes(const std::string& path, size_t maxBytes);

}  // namespace quorix
