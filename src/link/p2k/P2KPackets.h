#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorix {

// The P2K requests as the phone's USB driver takes them (the 8-byte USB setup block, then the
// data of a host-to-device request) and the offsets its answers are read at. A driver buffer puts
// 4 bytes of its own before the phone's answer, so every answer offset here is the phone's raw
// offset plus 4.
namespace p2k {

constexpr size_t kRequestBufferSize = 1024;
constexpr size_t kRequestHeaderSize = 16;
// Room for the payload and the two padding bytes after it.
constexpr size_t kMaxPayload = kRequestBufferSize - kRequestHeaderSize - 2;
constexpr size_t kReplyBufferSize = 4101;
constexpr size_t kReplyDataOffset = 18;
constexpr size_t kMaxReplyData = kReplyBufferSize - kReplyDataOffset;
// What is cleared before a status poll and before a reply read.
constexpr size_t kStatusClearSize = 12;
constexpr size_t kReplyClearSize = 1024;
constexpr size_t kSetupSize = 8;

using ShortRequest = std::array<uint8_t, 9>;

// C1 00 00 00 08 00 08 00 00: how many replies wait, and their size.
constexpr ShortRequest kStatusPollRequest = {0xC1, 0x00, 0x00, 0x00, 0x08, 0x00, 0x08, 0x00, 0x00};
// 40 01 00 00 01 00 00 00 00: back to AT mode (recipient the device, index 1, no data).
constexpr ShortRequest kAtModeRequest = {0x40, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00};

// A command: setup 41 02, index 8, length n + 8; then packet id, command and payload length (big
// endian, 12 bits of id and command), two zero bytes, the payload and two padding bytes: n + 18
// bytes. Nothing when the payload does not fit the request buffer.
std::optional<std::vector<uint8_t>> CommandRequest(uint16_t packetId, uint16_t command,
                                                   std::span<const uint8_t> payload);

struct StatusAnswer {
  uint8_t waiting = 0;  // byte 5
  uint16_t size = 0;    // bytes 6-7, big endian
};

StatusAnswer ReadStatusAnswer(std::span<const uint8_t, kReplyBufferSize> buffer);
// One or two replies wait; the phone reports more only while it is still busy.
inline bool ReplyReady(const StatusAnswer& status) {
  return status.waiting == 1 || status.waiting == 2;
}

// Setup C1 01, value = the waiting count, index 8, length size + 2 x count + 4. Nothing when that
// length does not fit 16 bits.
std::optional<ShortRequest> ReplyReadRequest(const StatusAnswer& status);

// The checks of a reply in the driver's buffer, in this order: marker 1 at byte 4, packet length
// (bytes 8-9) equal to the data length + 8, the low 12 bits of bytes 10-11 equal to the packet id,
// reply class (high nibble of byte 12) 6 or 8, and the data (length at bytes 14-15, from byte 18)
// inside the buffer. The data length when all hold.
std::optional<uint16_t> CheckReply(std::span<const uint8_t, kReplyBufferSize> buffer,
                                   uint16_t packetId);

// The interface name in a string query answer: a 32-bit little-endian byte count, then UTF-16LE
// text, one 8-bit character per code unit, up to the first NUL. Text without a NUL is no name.
std::string InterfaceNameFromAnswer(std::span<const uint8_t> answer);

}  // namespace p2k
}  // namespace quorix
