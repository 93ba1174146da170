#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "codec/CodePage.h"

namespace quorix {
namespace {

[[noreturn]] void Fail(const std::string& path) {
  throw std::system_error(errno, std::generic_category(), path);
}

// Follows symbolic links so that the rename replaces the file they name, not the link.
std::string ResolveTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  const auto target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

void WriteAll(int fd, std::string_view data, const std::string& path) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path);
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view data) {
  const std::string target = ResolveTarget(path);
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;

  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp = target + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) Fail(path);
  }
  try {
    WriteAll(fd, data, path);
    if (existed && ::fchmod(fd, old.st_mode & 07777) != 0) Fail(path);
    if (::fsync(fd) != 0) Fail(path);
    if (::close(fd) != 0) {
      fd = -1;
      Fail(path);
    }
    fd = -1;
    if (::rename(temp.c_str(), target.c_str()) != 0) Fail(path);
  } catch (...) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  // The rename itself survives a power loss only once the directory is on disk.
  const std::string dir = std::filesystem::path(target).parent_path().string();
  const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

std::string CannotWriteText(const std::string& path, const std::system_error& error) {
  return "Cannot write " + path + ": " + error.code().message();
}

}  // namespace quorix
