#include "phonebook/PhonebookReplies.h"

#include <algorithm>
#include <optional>

#include "base/Conversion.h"
#include "codec/Ucs2.h"
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
    for (int field : {EntryName, EntryPicture, EntryDistrict, EntryStreet, EntryCity, EntryRegion,
                      EntryPostalCode, EntryCountry, EntryNickname}) {
      std::string& text = line.Values[field - EntryNumber];
      text = UnquotedUcs2Hex(text);
    }
    onLine(std::move(line));
  }
}

namespace {

// A small reader over one reply line: every number is bounded, so no reply can overflow it.
class LineReader {
 public:
  LineReader(const std::string& text, size_t at) : text_(text), p_(at) {}
  void SkipBlanks() {
    while (p_ < text_.size() && text_[p_] == ' ') ++p_;
  }
  bool Take(char c) {
    if (p_ >= text_.size() || text_[p_] != c) return false;
    ++p_;
    return true;
  }
  bool Number(int& value) {
    const size_t start = p_;
    value = 0;
    while (p_ < text_.size() && text_[p_] >= '0' && text_[p_] <= '9' && p_ - start < 6) {
      value = value * 10 + (text_[p_++] - '0');
    }
    return p_ > start && !(p_ < text_.size() && text_[p_] >= '0' && text_[p_] <= '9');
  }

 private:
  const std::string& text_;
  size_t p_;
};

// The reader placed after tag, or nothing when the reply has no such tag.
std::optional<LineReader> AfterTag(const std::string& reply, const std::string& tag) {
  const size_t at = reply.find(tag);
  if (at == std::string::npos) return std::nullopt;
  LineReader line(reply, at + tag.size());
  line.SkipBlanks();
  return line;
}

MemoryLimits ReadLimits(LineReader& line, bool bracketed) {
  MemoryLimits limits;
  if (bracketed && !line.Take('(')) return {};
  if (!line.Number(limits.First) || !line.Take('-') || !line.Number(limits.Last)) return {};
  if (bracketed && !line.Take(')')) return {};
  int numberLength = 0;
  if (line.Take(',') && line.Number(numberLength) && line.Take(',')) {
    line.Number(limits.NameLength);
  }
  if (limits.First < 1 || limits.Last < limits.First) return {};
  return limits;
}

}  // namespace

MemoryLimits ParseCpbrLimits(const std::string& reply) {
  auto line = AfterTag(reply, "+CPBR:");
  return line ? ReadLimits(*line, true) : MemoryLimits{};
}

MemoryLimits ParseMpbrLimits(const std::string& reply) {
  auto line = AfterTag(reply, "+MPBR:");
  return line ? ReadLimits(*line, false) : MemoryLimits{};
}

int ParseCategoryCount(const std::string& reply) {
  auto line = AfterTag(reply, "+MPGR:");
  int first = 0;
  int last = 0;
  if (!line || !line->Take('(') || !line->Number(first) || first != 1 || !line->Take('-') ||
      !line->Number(last) || !line->Take(')')) {
    return 0;
  }
  return std::min(last, kCategoryRows);
}

int ParseCountReply(const std::string& reply) {
  const size_t comma = reply.find(',');
  const size_t start = comma == std::string::npos ? 0 : comma + 1;
  const size_t end = reply.find('\r', start);
  return StrToInt(reply.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

}  // namespace quorix
