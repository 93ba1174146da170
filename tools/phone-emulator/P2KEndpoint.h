#pragma once

#include <poll.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/p2k/P2KEndpointFrames.h"

namespace quorix::emu {

// The emulated phone's P2K device as programs find it: a Unix socket "emulator-<pid>" in the
// folder p2k of the published ports directory, there for as long as the object lives. Programs
// may connect several times at once; each request frame gets the handler's answer.
class P2KEndpoint {
 public:
  // The answer frame to send, or nothing to leave the request unanswered.
  using Handler =
      std::function<std::optional<std::vector<uint8_t>>(const p2k::endpoint::Frame& request)>;

  // Listens and publishes; throws std::runtime_error when it cannot.
  explicit P2KEndpoint(const std::string& publishedDir);
  ~P2KEndpoint();
  P2KEndpoint(const P2KEndpoint&) = delete;
  P2KEndpoint& operator=(const P2KEndpoint&) = delete;

  const std::string& Path() const { return path_; }
  // The descriptors to wait on for input, appended to fds.
  void AddPollFds(std::vector<pollfd>& fds) const;
  // Serves what poll reported for the descriptors AddPollFds gave (in that order). Stops as soon
  // as gone() turns true after a request.
  void Serve(std::span<const pollfd> ready, const Handler& handler,
             const std::function<bool()>& gone);

 private:
  struct Client {
    int fd;
    std::vector<uint8_t> received;
  };

  int listen_ = -1;
  std::string path_;
  std::vector<Client> clients_;
};

}  // namespace quorix::emu
