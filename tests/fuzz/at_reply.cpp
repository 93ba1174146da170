// The AT reply module: how a reply ends, and the tagged lines in it.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "base/Conversion.h"
#include "link/AtReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply = quorix::fuzz::Text(data, size);
  // Collection tests the reply after every byte, as the exchange does.
  std::string part;
  for (const char c : reply) {
    if (quorix::ReplyComplete(part)) break;
    quorix::ReplyEndedInError(part);
    part.push_back(c);
  }
  for (size_t p = 0; p < reply.size();) {
    if (!quorix::TagAt(reply, p, "+MPBR:")) {
      ++p;
      continue;
    }
    try {
      quorix::ReadTaggedIndex(reply, p);
    } catch (const quorix::ConversionError&) {
    }
  }
  return 0;
}
