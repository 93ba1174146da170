#include "link/p2k/P2KEndpointFrames.h"

#include <algorithm>

namespace quorix::p2k::endpoint {

std::vector<uint8_t> Encode(uint8_t kind, std::span<const uint8_t> body) {
  const size_t length = std::min(body.size(), kMaxFrameBody);
  std::vector<uint8_t> frame = {kind, static_cast<uint8_t>(length),
                                static_cast<uint8_t>(length >> 8)};
  frame.insert(frame.end(), body.begin(), body.begin() + static_cast<std::ptrdiff_t>(length));
  return frame;
}

std::optional<Frame> TakeFrame(std::vector<uint8_t>& received) {
  if (received.size() < kFrameHeaderSize) return std::nullopt;
  const size_t length = received[1] | received[2] << 8;
  if (received.size() < kFrameHeaderSize + length) return std::nullopt;
  const auto body = received.begin() + kFrameHeaderSize;
  Frame frame{received[0], std::vector<uint8_t>(body, body + static_cast<std::ptrdiff_t>(length))};
  received.erase(received.begin(), body + static_cast<std::ptrdiff_t>(length));
  return frame;
}

std::string EndpointsDirectory(const std::string& publishedDir) {
  return publishedDir + "/p2k";
}

}  // namespace quorix::p2k::endpoint
