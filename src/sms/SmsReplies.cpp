#include "sms/SmsReplies.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace quorix::sms {

namespace {

// Longer than any store name or PDU a phone gives: what is longer is no reply of these commands.
constexpr size_t kMaxStoreName = 8;
// A PDU is at most 176 octets of TPDU and 12 of service centre; a longer line is kept as it is
// (the decoder calls it broken) up to this bound.
constexpr size_t kMaxPduLine = 1024;
constexpr int kMaxIndex = 100000;

std::optional<int> Number(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool Contains(const std::vector<std::string>& stores, const char* name) {
  return std::find(stores.begin(), stores.end(), name) != stores.end();
}

std::vector<std::string_view> Lines(const std::string& reply) {
  std::vector<std::string_view> lines;
  size_t from = 0;
  while (from <= reply.size()) {
    size_t end = reply.find_first_of("\r\n", from);
    if (end == std::string::npos) end = reply.size();
    if (end > from) lines.emplace_back(reply.data() + from, end - from);
    from = end + 1;
  }
  return lines;
}

// The line after a header is its PDU, whatever it holds: what the decoder cannot read is still
// kept. Only the next header or a final result means the PDU is missing.
bool IsPduLine(std::string_view line) {
  return line.size() <= kMaxPduLine && !line.starts_with("+CMGL:") && line != "OK" &&
         line.find("ERROR") == std::string_view::npos;
}

}  // namespace

std::vector<std::string> MessageStoresFromReply(const std::string& reply) {
  std::vector<std::string> stores;
  const size_t tag = reply.find("+CPMS:");
  if (tag == std::string::npos) return stores;
  const size_t open = reply.find('(', tag);
  const size_t close = reply.find(')', open);
  if (open == std::string::npos || close == std::string::npos) return stores;
  const std::string_view list(reply.data() + open + 1, close - open - 1);
  size_t from = 0;
  while (from < list.size()) {
    const size_t start = list.find('"', from);
    if (start == std::string::npos) break;
    const size_t end = list.find('"', start + 1);
    if (end == std::string::npos) break;
    const std::string_view name = list.substr(start + 1, end - start - 1);
    if (!name.empty() && name.size() <= kMaxStoreName &&
        std::all_of(name.begin(), name.end(),
                    [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
      stores.emplace_back(name);
    from = end + 1;
  }
  return stores;
}

std::vector<std::string> StoresToRead(const std::vector<std::string>& offered) {
  std::vector<std::string> stores;
  for (const char* store : {"ME", "SM"}) {
    if (Contains(offered, store)) stores.emplace_back(store);
  }
  if (!stores.empty()) return stores;
  if (Contains(offered, "MT")) return {"MT"};
  // Folders only: each message stands in one of them.
  for (const char* store : {"IM", "OM", "DM"}) {
    if (Contains(offered, store)) stores.emplace_back(store);
  }
  return stores;
}

std::optional<StoreUsage> StoreUsageFromReply(const std::string& reply) {
  const size_t tag = reply.find("+CPMS:");
  if (tag == std::string::npos) return std::nullopt;
  const size_t start = tag + 6;
  const size_t end = reply.find_first_of("\r\n", start);
  const std::string_view fields(reply.data() + start,
                                (end == std::string::npos ? reply.size() : end) - start);
  const size_t comma = fields.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const size_t next = fields.find(',', comma + 1);
  const auto used = Number(fields.substr(0, comma));
  const auto total = Number(fields.substr(
      comma + 1, next == std::string_view::npos ? std::string_view::npos : next - comma - 1));
  if (!used || !total || *used < 0 || *total < 0) return std::nullopt;
  return StoreUsage{*used, *total};
}

ListedParts ListedPartsFromReply(const std::string& reply, const std::string& store) {
  ListedParts listed;
  const std::vector<std::string_view> lines = Lines(reply);
  for (size_t at = 0; at < lines.size(); ++at) {
    const std::string_view line = lines[at];
    if (!line.starts_with("+CMGL:")) continue;
    // index,stat,[alpha],length: the alpha may hold commas, so index and stat are the first two.
    const std::string_view fields = line.substr(6);
    const size_t first = fields.find(',');
    const size_t second = first == std::string_view::npos ? first : fields.find(',', first + 1);
    const auto index = Number(fields.substr(0, first));
    const auto stat = second == std::string_view::npos
                          ? std::nullopt
                          : Number(fields.substr(first + 1, second - first - 1));
    const bool pduFollows = at + 1 < lines.size() && IsPduLine(lines[at + 1]);
    if (!index || !stat || *index < 0 || *index > kMaxIndex || *stat < 0 || *stat > 3 ||
        !pduFollows) {
      listed.badLines.emplace_back(line.substr(0, 80));
      continue;
    }
    SmsPart part;
    part.store = store;
    part.index = *index;
    part.status = *stat;
    part.pdu = std::string(lines[++at]);
    listed.parts.push_back(std::move(part));
  }
  return listed;
}

}  // namespace quorix::sms
