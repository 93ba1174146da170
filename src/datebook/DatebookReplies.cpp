#include "datebook/DatebookReplies.h"

#include "base/Conversion.h"
#include "codec/Ucs2.h"
#include "link/AtReply.h"

namespace quorix {

std::optional<std::string> ScanDatebookLines(const std::string& reply,
                                             const std::function<void(DatebookLine&&)>& onLine) {
  size_t p = 0;
  while (p < reply.size()) {
    if (!TagAt(reply, p, "+MDBR:")) {
      ++p;
      continue;
    }
    DatebookLine line;
    try {
      line.Index = ReadTaggedIndex(reply, p);
    } catch (const ConversionError& e) {
      return e.what();
    }
    if (line.Index < 0 || line.Index >= kDatebookRecords) {
      return "record number " + std::to_string(line.Index) + " outside 0..499";
    }
    int field = 0;
    while (p < reply.size() && reply[p] != '\r') {
      const char c = reply[p++];
      if (c == ',') {
        if (++field == kDatebookFields) break;
        continue;
      }
      line.Fields[field] += c;
    }
    line.Fields[EventDescription] = UnquotedUcs2Hex(line.Fields[EventDescription]);
    onLine(std::move(line));
  }
  return std::nullopt;
}

}  // namespace quorix
