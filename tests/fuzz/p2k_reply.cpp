// The P2K reply checks and the file-list walk, over a driver buffer of any content.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "link/p2k/P2KFileList.h"
#include "link/p2k/P2KPackets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorix::p2k;
  std::array<uint8_t, kReplyBufferSize> buffer{};
  std::copy_n(data, std::min(size, buffer.size()), buffer.begin());
  const StatusAnswer status = ReadStatusAnswer(buffer);
  ReplyReady(status);
  ReplyReadRequest(status);
  if (const auto length = CheckReply(buffer, 1)) {
    const std::span<const uint8_t> reply(buffer.data() + 18, *length);
    FileCountFromReply(reply);
    FileRecordsFromReply(reply);
  }
  const std::span<const uint8_t> raw(data, size);
  FileCountFromReply(raw);
  FileRecordsFromReply(raw);
  InterfaceNameFromAnswer(raw);
  return 0;
}
