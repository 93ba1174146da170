#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// How the emulated phone's P2K endpoint is reached: a Unix stream socket per phone in the
// directory "p2k" of the published ports directory. Each request is one frame and gets one frame
// back: a kind (or, in an answer, a status) byte, a 16-bit little-endian length and the bytes.
namespace quorix::p2k::endpoint {

enum Kind : uint8_t {
  kStringQuery = 'S',  // 2-byte selector; answered in the driver's string query layout
  kControl = 'C',      // setup block and host-to-device data; answered with the phone's bytes
};

enum Status : uint8_t { kOk = 0, kRefused = 1 };

struct Frame {
  uint8_t kind = 0;
  std::vector<uint8_t> body;
};

constexpr size_t kFrameHeaderSize = 3;
constexpr size_t kMaxFrameBody = 0xFFFF;

std::vector<uint8_t> Encode(uint8_t kind, std::span<const uint8_t> body);
// Takes the first whole frame off the front of what has arrived; nothing while it is incomplete.
std::optional<Frame> TakeFrame(std::vector<uint8_t>& received);

// Where the endpoints of the emulated phones are.
std::string EndpointsDirectory(const std::string& publishedDir);

}  // namespace quorix::p2k::endpoint
