#include "phonebook/PhonebookReplies.h"

#include <algorithm>

#include "app/AppState.h"
#include "app/Shell.h"
#include "base/Conversion.h"
#include "codec/Ucs2.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookLabels.h"

namespace quorix {

namespace {

constexpr size_t kTagLength = 6;

// Reads the index after the tag at p (tag, one blank, digits up to the next comma) and moves p
// past that comma.
int ReadIndex(const std::string& reply, size_t& p) {
  const size_t start = std::min(p + kTagLength + 1, reply.size());
  const size_t comma = reply.find(',', start);
  const std::string text =
      reply.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
  p = comma == std::string::npos ? reply.size() : comma + 1;
  return StrToInt(text);
}

}  // namespace

bool ParseCategoryReply(AppState& app, const std::string& reply) {
  PhonebookState& pb = app.phonebook;
  size_t p = 0;
  while (p < reply.size()) {
    if (app.AbortRequested) return false;
    if (reply.compare(p, kTagLength, "+MPGR:") != 0) {
      ++p;
      continue;
    }
    const int index = ReadIndex(reply, p);
    if (index < 1 || index > kCategoryRows) continue;
    CategoryRow& row = pb.Categories[index];
    // A number the reply repeats replaces its row: the last line wins.
    row.Clear();
    // A carriage return closes a value like a comma; the line ends with its fourth value.
    int field = CategoryName;
    while (p < reply.size()) {
      const char c = reply[p++];
      if (c == ',' || c == '\r') {
        if (++field > CategoryLight) break;
        continue;
      }
      row[field] += c;
    }
    const std::string name = DecodeUcs2Hex(row[CategoryName]);
    ShowCategoryRow(pb, index, name,
                    {name, ReadMelodyLabel(pb, row[CategoryMelody], CategoryDefaultMelodyLabel()),
                     LightAlertLabel(row[CategoryLight])});
  }
  return true;
}

void ParseEntryReply(AppState& app, Shell& shell, const std::string& reply, bool advanced) {
  PhonebookState& pb = app.phonebook;
  const int lastValue = advanced ? kAdvancedEntryValues : kBasicEntryValues;
  size_t p = 0;
  while (p < reply.size()) {
    if (reply.compare(p, kTagLength, "+MPBR:") != 0) {
      ++p;
      continue;
    }
    const int index = ReadIndex(reply, p);
    if (index < 1 || index > kEntryRows) continue;
    EntryRow& row = pb.PhonebookEntries[index];
    row.Clear();
    int field = EntryNumber;
    while (p < reply.size()) {
      const char c = reply[p];
      if (c == '\r') break;
      ++p;
      if (c == ',') {
        if (field == lastValue) break;
        ++field;
        continue;
      }
      row[field] += c;
    }
    if (ShowEntryRow(pb, ReadEntryRow(pb, index, advanced))) {
      ++pb.ReadCount;
      shell.ProgressStep(1);
    }
    shell.ProcessEvents();
  }
}

int ParseCountReply(const std::string& reply) {
  const size_t comma = reply.find(',');
  const size_t start = comma == std::string::npos ? 0 : comma + 1;
  const size_t end = reply.find('\r', start);
  return StrToInt(reply.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

}  // namespace quorix
