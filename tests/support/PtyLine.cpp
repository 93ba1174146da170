#include "support/PtyLine.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace quorix::test {

PtyLine::PtyLine() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) throw std::runtime_error("ptsname failed");
  slavePath_ = name;
}

PtyLine::~PtyLine() {
  StopAnswering();
  close(master_);
}

void PtyLine::Write(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      throw std::runtime_error("pty write failed");
    } else {
      pollfd p{master_, POLLOUT, 0};
      poll(&p, 1, 10);
    }
  }
}

std::string PtyLine::Read(int waitMs) {
  std::string got;
  pollfd p{master_, POLLIN, 0};
  if (poll(&p, 1, waitMs) <= 0 || !(p.revents & POLLIN)) return got;
  char buffer[1024];
  ssize_t n;
  while ((n = read(master_, buffer, sizeof buffer)) > 0) got.append(buffer, static_cast<size_t>(n));
  return got;
}

void PtyLine::AnswerWith(std::function<std::string(const std::string& line)> answer) {
  StopAnswering();
  answer_ = std::move(answer);
  stop_ = false;
  answerer_ = std::thread([this] { Answer(); });
}

void PtyLine::StopAnswering() {
  stop_ = true;
  if (answerer_.joinable()) answerer_.join();
}

std::vector<std::string> PtyLine::Lines() {
  std::lock_guard lock(linesMutex_);
  return lines_;
}

void PtyLine::Answer() {
  std::string pending;
  while (!stop_) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) {
      // Nobody has the slave open right now: the master reports a hang-up until somebody does.
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    pending.append(buffer, static_cast<size_t>(n));
    for (size_t cr; (cr = pending.find('\r')) != std::string::npos;) {
      std::string line = pending.substr(0, cr);
      pending.erase(0, cr + 1);
      if (!pending.empty() && pending[0] == '\n') pending.erase(0, 1);
      if (!line.empty() && line[0] == '\n') line.erase(0, 1);
      {
        std::lock_guard lock(linesMutex_);
        lines_.push_back(line);
      }
      Write(answer_(line));
    }
  }
}

std::string EchoOk(const std::string& line, const std::string& body) {
  std::string reply = line + "\r";
  if (!body.empty()) reply += "\r\n" + body + "\r\n";
  return reply + "\r\nOK\r\n";
}

}  // namespace quorix::test
