#include "phone-emulator/P2KEndpoint.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quorix::emu {

namespace {

namespace fs = std::filesystem;

std::runtime_error SocketError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

sockaddr_un Address(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) throw std::runtime_error("path too long: " + path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

}  // namespace

P2KEndpoint::P2KEndpoint(const std::string& publishedDir) {
  const fs::path dir = p2k::endpoint::EndpointsDirectory(publishedDir);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) throw std::runtime_error("cannot create " + dir.string() + ": " + ec.message());
  static std::atomic<int> serial{0};
  const std::string base = "emulator-" + std::to_string(getpid());
  // Listening under a hidden name first: a program finds the endpoint only when it answers.
  const std::string hidden =
      (dir / ("." + base + "-" + std::to_string(serial++) + ".tmp")).string();
  const sockaddr_un address = Address(hidden);
  unlink(hidden.c_str());
  listen_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listen_ < 0 || bind(listen_, reinterpret_cast<const sockaddr*>(&address), sizeof address) ||
      listen(listen_, 8) != 0) {
    const auto error = SocketError("cannot listen on " + hidden);
    if (listen_ >= 0) close(listen_);
    unlink(hidden.c_str());
    throw error;
  }
  for (int n = 0; path_.empty() && n < 1000; ++n) {
    const std::string target = (dir / (n == 0 ? base : base + "-" + std::to_string(n))).string();
    if (link(hidden.c_str(), target.c_str()) == 0) {
      path_ = target;
    } else if (errno != EEXIST) {
      break;
    }
  }
  unlink(hidden.c_str());
  if (path_.empty()) {
    close(listen_);
    throw std::runtime_error("cannot publish the P2K device in " + dir.string());
  }
}

P2KEndpoint::~P2KEndpoint() {
  // Gone from the directory before the connections drop, as a device leaves the bus.
  unlink(path_.c_str());
  for (const Client& client : clients_) close(client.fd);
  close(listen_);
}

void P2KEndpoint::AddPollFds(std::vector<pollfd>& fds) const {
  fds.push_back({listen_, POLLIN, 0});
  for (const Client& client : clients_) fds.push_back({client.fd, POLLIN, 0});
}

void P2KEndpoint::Serve(std::span<const pollfd> ready, const Handler& handler,
                        const std::function<bool()>& gone) {
  std::vector<int> left;
  for (size_t i = 1; i < ready.size() && i - 1 < clients_.size(); ++i) {
    if (!(ready[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    Client& client = clients_[i - 1];
    uint8_t chunk[4096];
    const ssize_t n = read(client.fd, chunk, sizeof chunk);
    if (n <= 0) {
      left.push_back(client.fd);
      continue;
    }
    client.received.insert(client.received.end(), chunk, chunk + n);
    while (auto request = p2k::endpoint::TakeFrame(client.received)) {
      const auto answer = handler(*request);
      if (answer) send(client.fd, answer->data(), answer->size(), MSG_NOSIGNAL);
      if (gone()) return;
    }
  }
  std::erase_if(clients_, [&](const Client& client) {
    const bool closing = std::find(left.begin(), left.end(), client.fd) != left.end();
    if (closing) close(client.fd);
    return closing;
  });
  if (!ready.empty() && (ready[0].revents & POLLIN)) {
    const int fd = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) clients_.push_back({fd, {}});
  }
}

}  // namespace quorix::emu
