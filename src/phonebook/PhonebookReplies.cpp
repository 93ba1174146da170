#include "phonebook/PhonebookReplies.h"

#include "base/Conversion.h"
#include "link/AtReply.h"
#include "phonebook/PhonebookTables.h"

namespace quorix {

bool ScanCategoryLines(const std::string& reply,
                       const std::function<bool(CategoryLine&&)>& onLine) {
  size_t p = 0;
  while (p < reply.size()) {
    if (!TagAt(reply, p, "+MPGR:")) {
      ++p;
      continue;
    }
    CategoryLine line;
    line.Index = ReadTaggedIndex(reply, p);
    if (line.Index < 1 || line.Index > kCategoryRows) continue;
    size_t value = 0;
    while (p < reply.size()) {
      const char c = reply[p++];
      if (c == ',' || c == '\r') {
        if (++value == line.Values.size()) break;
        continue;
      }
      line.Values[value] += c;
    }
    if (!onLine(std::move(line))) return false;
  }
  return true;
}

void ScanRecordLines(const std::string& reply, bool advanced,
                     const std::function<void(RecordLine&&)>& onLine) {
  const size_t lastValue = advanced ? kAdvancedEntryValues : kBasicEntryValues;
  size_t p = 0;
  while (p < reply.size()) {
    if (!TagAt(reply, p, "+MPBR:")) {
      ++p;
      continue;
    }
    RecordLine line;
    line.Index = ReadTaggedIndex(reply, p);
    if (line.Index < 1 || line.Index > kEntryRows) continue;
    size_t value = 1;
    while (p < reply.size()) {
      const char c = reply[p];
      if (c == '\r') break;
      ++p;
      if (c == ',') {
        if (value == lastValue) break;
        ++value;
        continue;
      }
      line.Values[value - 1] += c;
    }
    onLine(std::move(line));
  }
}

int ParseCountReply(const std::string& reply) {
  const size_t comma = reply.find(',');
  const size_t start = comma == std::string::npos ? 0 : comma + 1;
  const size_t end = reply.find('\r', start);
  return StrToInt(reply.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

}  // namespace quorix
