#include "link/p2k/P2KPackets.h"

#include <algorithm>

namespace quorix::p2k {

namespace {

uint16_t BigEndian(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void PutBigEndian(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value);
}

void PutLittleEndian(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::optional<std::vector<uint8_t>> CommandRequest(uint16_t packetId, uint16_t command,
                                                   std::span<const uint8_t> payload) {
  if (payload.size() > kMaxPayload) return std::nullopt;
  const auto length = static_cast<uint16_t>(payload.size());
  std::vector<uint8_t> request(kRequestHeaderSize + payload.size() + 2, 0);
  request[0] = 0x41;
  request[1] = 0x02;
  PutLittleEndian(&request[4], 0x0008);
  PutLittleEndian(&request[6], static_cast<uint16_t>(length + 8));
  PutBigEndian(&request[8], packetId & 0x0FFF);
  PutBigEndian(&request[10], command & 0x0FFF);
  PutBigEndian(&request[12], length);
  std::copy(payload.begin(), payload.end(), request.begin() + kRequestHeaderSize);
  return request;
}

StatusAnswer ReadStatusAnswer(std::span<const uint8_t, kReplyBufferSize> buffer) {
  return {buffer[5], BigEndian(buffer, 6)};
}

std::optional<ShortRequest> ReplyReadRequest(const StatusAnswer& status) {
  const uint32_t length = status.size + 2u * status.waiting + 4u;
  if (length > 0xFFFF) return std::nullopt;
  ShortRequest request = {0xC1, 0x01, 0, 0, 0x08, 0x00, 0, 0, 0};
  PutLittleEndian(&request[2], status.waiting);
  PutLittleEndian(&request[6], static_cast<uint16_t>(length));
  return request;
}

std::optional<uint16_t> CheckReply(std::span<const uint8_t, kReplyBufferSize> buffer,
                                   uint16_t packetId) {
  const uint16_t dataLength = BigEndian(buffer, 14);
  if (buffer[4] != 1) return std::nullopt;
  if (BigEndian(buffer, 8) != dataLength + 8) return std::nullopt;
  if ((BigEndian(buffer, 10) & 0x0FFF) != packetId) return std::nullopt;
  const int replyClass = buffer[12] >> 4;
  if (replyClass != 6 && replyClass != 8) return std::nullopt;
  if (dataLength > kMaxReplyData) return std::nullopt;
  return dataLength;
}

std::string InterfaceNameFromAnswer(std::span<const uint8_t> answer) {
  if (answer.size() < 4) return {};
  const uint32_t count =
      answer[0] | answer[1] << 8 | answer[2] << 16 | static_cast<uint32_t>(answer[3]) << 24;
  const size_t units = std::min<size_t>(count, answer.size() - 4) / 2;
  std::string name;
  for (size_t i = 0; i < units; ++i) {
    const unsigned unit = answer[4 + 2 * i] | answer[5 + 2 * i] << 8;
    if (unit == 0) return name;
    name.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
  }
  return {};
}

}  // namespace quorix::p2k
