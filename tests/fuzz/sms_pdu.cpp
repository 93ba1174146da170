// The SMS PDU decoder over any hex the phone might list, one PDU a line, and the joining of the
// parts it made.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInput.h"
#include "codec/CodePage.h"
#include "sms/SmsJoin.h"
#include "sms/SmsPdu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorix::sms;
  const std::string input = quorix::fuzz::Text(data, size);
  std::vector<SmsPart> parts;
  for (size_t begin = 0; begin <= input.size();) {
    const size_t end = std::min(input.find('\n', begin), input.size());
    SmsPart part;
    part.index = static_cast<int>(parts.size());
    // Received unread, read, unsent and sent in turn, so parts meet both sides of the join.
    part.status = part.index % 4;
    part.pdu = input.substr(begin, end - begin);
    DecodePart(part);
    if (!quorix::IsUtf8(part.text) || !quorix::IsUtf8(part.number) ||
        !quorix::IsUtf8(part.serviceCentre)) {
      __builtin_trap();
    }
    if (part.decoded != part.problem.empty()) __builtin_trap();
    if (part.decoded && part.kind != SmsKind::Deliver && part.kind != SmsKind::Submit) {
      __builtin_trap();
    }
    if (part.concat && (part.concat->sequence < 1 || part.concat->sequence > part.concat->total ||
                        part.concat->total > 255 || part.concat->reference > 0xFFFF)) {
      __builtin_trap();
    }
    parts.push_back(std::move(part));
    begin = end + 1;
  }

  const size_t count = parts.size();
  size_t joined = 0;
  int previousFirst = -1;
  for (const SmsMessage& message : JoinParts(std::move(parts))) {
    if (message.parts.empty() || !quorix::IsUtf8(message.text)) __builtin_trap();
    joined += message.parts.size();
    // Messages keep the listing's order of their first parts.
    int first = message.parts.front().index;
    for (const SmsPart& part : message.parts) first = std::min(first, part.index);
    if (first <= previousFirst) __builtin_trap();
    previousFirst = first;
    const auto& concat = message.parts.front().concat;
    if (!concat) {
      if (message.parts.size() != 1 || !message.missingParts.empty()) __builtin_trap();
      continue;
    }
    // Each sequence of the total once: given, or listed as missing.
    if (message.parts.size() + message.missingParts.size() != static_cast<size_t>(concat->total)) {
      __builtin_trap();
    }
    for (size_t i = 1; i < message.parts.size(); ++i) {
      if (message.parts[i].concat->sequence <= message.parts[i - 1].concat->sequence) {
        __builtin_trap();
      }
    }
  }
  if (joined != count) __builtin_trap();
  return 0;
}
