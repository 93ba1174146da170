#include "link/p2k/PublishedP2KBackend.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "link/PublishedPortsFolder.h"
#include "link/p2k/P2KEndpointFrames.h"
#include "link/p2k/P2KPackets.h"

namespace quorix {

namespace {

namespace fs = std::filesystem;
namespace ep = p2k::endpoint;

constexpr size_t kAnswerOffset = 4;

class EndpointDevice final : public P2KUsbDevice {
 public:
  explicit EndpointDevice(int fd) : fd_(fd) {}
  ~EndpointDevice() override { close(fd_); }

  TransferResult QueryName(uint16_t selector, std::span<uint8_t> output, int64_t limitMs) override {
    const uint8_t body[] = {static_cast<uint8_t>(selector), static_cast<uint8_t>(selector >> 8)};
    return Exchange(ep::kStringQuery, body, output, limitMs);
  }

  bool Claim(std::string&) override { return true; }

  TransferResult Transfer(std::span<const uint8_t> request, std::span<uint8_t> output,
                          int64_t limitMs) override {
    if (request.size() < p2k::kSetupSize) return TransferResult::Failed;
    const size_t length = request[6] | request[7] << 8;
    const bool toHost = (request[0] & 0x80) != 0;
    const size_t sent = p2k::kSetupSize + (toHost ? 0 : length);
    if (request.size() < sent || output.size() < kAnswerOffset) return TransferResult::Failed;
    return Exchange(ep::kControl, request.first(sent), output.subspan(kAnswerOffset), limitMs);
  }

  void WaitGone(std::stop_token stop) override {
    const int wake = eventfd(0, EFD_CLOEXEC);
    std::stop_callback onStop(stop, [wake] {
      const uint64_t one = 1;
      [[maybe_unused]] const auto written = write(wake, &one, sizeof one);
    });
    // Only the hang-up is watched: answers on the socket belong to the transfers.
    pollfd fds[2] = {{fd_, POLLRDHUP, 0}, {wake, POLLIN, 0}};
    while (poll(fds, 2, -1) < 0 && errno == EINTR) {
    }
    close(wake);
  }

 private:
  TransferResult Exchange(uint8_t kind, std::span<const uint8_t> body, std::span<uint8_t> output,
                          int64_t limitMs) {
    if (broken_) return TransferResult::Failed;
    const std::vector<uint8_t> frame = ep::Encode(kind, body);
    if (send(fd_, frame.data(), frame.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(frame.size())) {
      return TransferResult::Failed;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    std::vector<uint8_t> received;
    for (;;) {
      if (auto answer = ep::TakeFrame(received)) {
        if (answer->kind != ep::kOk) return TransferResult::Failed;
        std::copy_n(answer->body.begin(), std::min(answer->body.size(), output.size()),
                    output.begin());
        return TransferResult::Done;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      const int ready = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count())) : 0;
      if (ready < 0 && errno == EINTR) continue;
      if (ready == 0) {
        // A late answer would be taken for the next one.
        broken_ = true;
        return TransferResult::TimedOut;
      }
      uint8_t chunk[4096];
      const ssize_t n = ready > 0 ? read(fd_, chunk, sizeof chunk) : -1;
      if (n <= 0) {
        broken_ = true;
        return TransferResult::Failed;
      }
      received.insert(received.end(), chunk, chunk + n);
    }
  }

  int fd_;
  bool broken_ = false;
};

class EndpointInterface final : public P2KUsbInterface {
 public:
  explicit EndpointInterface(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const override { return path_; }

  std::unique_ptr<P2KUsbDevice> Open(std::string& error) override {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path_.size() >= sizeof address.sun_path) {
      error = "path too long: " + path_;
      return nullptr;
    }
    std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      error = "cannot open " + path_ + ": " + std::strerror(errno);
      if (fd >= 0) close(fd);
      return nullptr;
    }
    return std::make_unique<EndpointDevice>(fd);
  }

 private:
  std::string path_;
};

}  // namespace

PublishedP2KBackend::PublishedP2KBackend(std::string publishedDir)
    : publishedDir_(std::move(publishedDir)), dir_(ep::EndpointsDirectory(publishedDir_)) {}

std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> PublishedP2KBackend::Interfaces() {
  std::vector<std::string> paths;
  std::error_code ec;
  if (!CheckPublishedPorts(publishedDir_).usable)
    return std::vector<std::unique_ptr<P2KUsbInterface>>{};
  for (const auto& entry : fs::directory_iterator(dir_, ec)) {
    std::error_code typeEc;
    // A dot marks an endpoint not yet listening.
    if (entry.is_socket(typeEc) && entry.path().filename().string().front() != '.') {
      paths.push_back(entry.path().string());
    }
  }
  std::sort(paths.begin(), paths.end());
  std::vector<std::unique_ptr<P2KUsbInterface>> interfaces;
  for (std::string& path : paths) interfaces.push_back(std::make_unique<EndpointInterface>(path));
  return interfaces;
}

}  // namespace quorix
