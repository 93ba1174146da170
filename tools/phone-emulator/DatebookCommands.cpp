#include <algorithm>

#include "phone-emulator/CommandValues.h"
#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/ReplyFraming.h"

namespace quorix::emu {

namespace {

constexpr size_t kMaxTitleLength = 64;
constexpr size_t kDatebookValueCount = 9;

bool HasDigitsAt(std::string_view text, std::initializer_list<size_t> positions) {
  return std::all_of(positions.begin(), positions.end(),
                     [&](size_t i) { return text[i] >= '0' && text[i] <= '9'; });
}

// "hh:mm" with its quotes.
std::optional<std::string> QuotedTime(std::string_view value) {
  const auto text = Unquote(value);
  if (!text || text->size() != 5 || (*text)[2] != ':' || !HasDigitsAt(*text, {0, 1, 3, 4})) {
    return std::nullopt;
  }
  return std::string(*text);
}

// "mm-dd-yyyy" with its quotes.
std::optional<std::string> QuotedDate(std::string_view value) {
  const auto text = Unquote(value);
  if (!text || text->size() != 10 || (*text)[2] != '-' || (*text)[5] != '-' ||
      !HasDigitsAt(*text, {0, 1, 3, 4, 6, 7, 8, 9})) {
    return std::nullopt;
  }
  return std::string(*text);
}

}  // namespace

std::string EmulatedPhone::ExecuteDatebook(std::string_view name, std::string_view tail) {
  if (name == "+MDBL") {
    if (tail == "?") return InfoLine(datebookLocked_ ? "+MDBL: 1" : "+MDBL: 0") + kOk;
    if (tail == "=1" || tail == "=0") {
      datebookLocked_ = tail == "=1";
      return kOk;
    }
    return kError;
  }
  // The datebook answers only while a client holds it locked.
  if (!datebookLocked_) return kError;
  if (name == "+MDBR") {
    if (tail == "=?") {
      return InfoLine("+MDBR: " + std::to_string(kDatebookCapacity) + "," +
                      std::to_string(datebook_.size()) + "," + std::to_string(kMaxTitleLength) +
                      ",8,2") +
             kOk;
    }
    return ReadDatebook(tail);
  }
  if (name == "+MDBW") return WriteDatebook(tail);
  return kError;
}

std::string EmulatedPhone::ReadDatebook(std::string_view tail) const {
  const auto range = ParseIndexRange(tail);
  if (!range || range->first >= kDatebookCapacity) return kError;
  std::string reply;
  const int last = std::min(range->last, kDatebookCapacity - 1);
  for (auto it = datebook_.lower_bound(range->first); it != datebook_.end() && it->first <= last;
       ++it) {
    reply += InfoLine(DatebookLine(it->first, it->second));
  }
  return reply + kOk;
}

std::string EmulatedPhone::DatebookLine(int index, const DatebookRecord& e) const {
  std::string title = TextToWire(e.title, charset_);
  if (profile_.quotedUcs2Titles && charset_ == Charset::Ucs2) title = Quote(title);
  return "+MDBR: " + std::to_string(index) + "," + title + "," + e.timed + "," + e.alarm + "," +
         Quote(e.startTime) + "," + Quote(e.startDate) + "," + e.duration + "," +
         Quote(e.alarmTime) + "," + Quote(e.alarmDate) + "," + e.repeat;
}

std::string EmulatedPhone::WriteDatebook(std::string_view tail) {
  if (tail.size() < 2 || tail[0] != '=') return kError;
  const auto values = SplitValues(tail.substr(1));
  if (!IsDecimalWithin(values[0], 0, kDatebookCapacity - 1)) return kError;
  const int index = *ParseDecimal(values[0]);
  if (values.size() == 1) {
    datebook_.erase(index);
    return kOk;
  }
  const auto event = ParseDatebookEvent({values.begin() + 1, values.end()});
  if (!event) return kError;
  datebook_[index] = *event;
  return kOk;
}

std::optional<DatebookRecord> EmulatedPhone::ParseDatebookEvent(
    const std::vector<std::string_view>& v) const {
  if (v.size() != kDatebookValueCount) return std::nullopt;
  std::string_view wireTitle = v[0];
  // Such a phone takes the hex of a title with or without its quotes.
  if (const auto inner = Unquote(wireTitle);
      inner && profile_.quotedUcs2Titles && charset_ == Charset::Ucs2) {
    wireTitle = *inner;
  }
  const auto title = TextFromWire(wireTitle, charset_);
  if (!title || title->empty() || TextLength(*title) > kMaxTitleLength) return std::nullopt;
  if (!IsDecimalWithin(v[1], 0, 1) || !IsDecimalWithin(v[2], 0, 1) || !IsDecimal(v[5]) ||
      !IsDecimalWithin(v[8], 0, 5)) {
    return std::nullopt;
  }
  const auto startTime = QuotedTime(v[3]);
  const auto startDate = QuotedDate(v[4]);
  const auto alarmTime = QuotedTime(v[6]);
  const auto alarmDate = QuotedDate(v[7]);
  if (!startTime || !startDate || !alarmTime || !alarmDate) return std::nullopt;
  return DatebookRecord{*title,     std::string(v[1]), std::string(v[2]),
                        *startTime, *startDate,        std::string(v[5]),
                        *alarmTime, *alarmDate,        std::string(v[8])};
}

}  // namespace quorix::emu
