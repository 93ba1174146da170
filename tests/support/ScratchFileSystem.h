#pragma once

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "support/TempDir.h"

namespace quorix::test {

// A small tmpfs of its own, for the failures of a real file system (full, read-only) that root
// would otherwise not see. Mounting needs CAP_SYS_ADMIN: Error() tells why it could not be had.
class ScratchFileSystem {
 public:
  explicit ScratchFileSystem(size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0) {
      mounted_ = true;
    } else {
      error_ = std::strerror(errno);
    }
  }
  ~ScratchFileSystem() {
    if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
  }
  ScratchFileSystem(const ScratchFileSystem&) = delete;
  ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  const std::string& path() const { return dir_.path(); }

  bool MakeReadOnly() {
    return ::mount("tmpfs", dir_.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

  // Fills the rest of the space with one file, so that the next write fails with ENOSPC.
  void Fill() const {
    FILE* f = std::fopen(File("filler").c_str(), "wb");
    if (f == nullptr) return;
    const std::string block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
    }
    std::fclose(f);
  }

 private:
  TempDir dir_;
  bool mounted_ = false;
  std::string error_;
};

}  // namespace quorix::test
