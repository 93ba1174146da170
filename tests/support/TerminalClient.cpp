#include "support/TerminalClient.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace quorix::test {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

TerminalClient::TerminalClient(const std::string& path) {
  fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

TerminalClient::~TerminalClient() {
  if (fd_ >= 0) close(fd_);
}

void TerminalClient::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno != EAGAIN && errno != EINTR) return;
      pollfd p{fd_, POLLOUT, 0};
      poll(&p, 1, 100);
      continue;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

std::string TerminalClient::ReadUntil(std::string_view ending, std::chrono::milliseconds guard) {
  std::string text;
  const auto end = Clock::now() + guard;
  while (!(text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0)) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, RemainingMs(end)) <= 0) break;
    // One byte at a time, so nothing after the ending is taken.
    char c;
    const ssize_t n = read(fd_, &c, 1);
    if (n <= 0) {
      if (n < 0 && errno == EAGAIN) continue;
      break;
    }
    text.push_back(c);
  }
  return text;
}

std::string TerminalClient::ReadFor(std::chrono::milliseconds span) {
  std::string text;
  const auto end = Clock::now() + span;
  for (;;) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, RemainingMs(end)) <= 0) break;
    char buffer[4096];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
      if (n < 0 && errno == EAGAIN) continue;
      break;
    }
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

bool TerminalClient::LineDropped(std::chrono::milliseconds guard) {
  const auto end = Clock::now() + guard;
  for (;;) {
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, RemainingMs(end));
    if (ready <= 0) return false;
    if (p.revents & (POLLHUP | POLLERR)) return true;
    char c;
    const ssize_t n = read(fd_, &c, 1);
    if (n == 0 || (n < 0 && errno == EIO)) return true;
  }
}

}  // namespace quorix::test
