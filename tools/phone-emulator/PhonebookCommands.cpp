#include <algorithm>

#include "phone-emulator/CommandValues.h"
#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/ReplyFraming.h"

namespace quorix::emu {

namespace {

constexpr size_t kMaxNumberLength = 32;
constexpr size_t kMaxAddressLength = 48;
constexpr size_t kMaxNameLength = 24;
constexpr size_t kMaxAddressFieldLength = 64;
constexpr size_t kMaxPictureLength = 255;
constexpr size_t kBasicValueCount = 15;
constexpr size_t kAdvancedValueCount = 23;
// The number length phones tell in AT+CPBR=? and AT+MPBR=?.
constexpr int kToldNumberLength = 40;

constexpr int kEmailType = 6;
constexpr int kMailingListType = 7;

std::string_view MemoryName(PhonebookMemory memory) {
  switch (memory) {
    case PhonebookMemory::Phone:
      return "ME";
    case PhonebookMemory::Sim:
      return "SM";
    case PhonebookMemory::Both:
      break;
  }
  return "MT";
}

bool IsDialString(std::string_view number) {
  return std::all_of(number.begin(), number.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#' || c == 'p' || c == 'P' ||
           c == 'w' || c == 'W';
  });
}

bool IsPrintableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F;
  });
}

// mm-dd-yyyy, as the phone shows dates.
bool IsDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '-' || text[5] != '-') return false;
  for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

std::string Range(int first, int last) {
  return std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace

std::string EmulatedPhone::ExecutePhonebook(std::string_view name, std::string_view tail) {
  if (name == "+CPBR" && tail == "=?") {
    const Window window = MemoryWindow(memory_);
    const size_t nameLength =
        memory_ == PhonebookMemory::Sim ? profile_.simNameLength : kMaxNameLength;
    return InfoLine("+CPBR: (" + Range(window.first, window.last) + ")," +
                    std::to_string(kToldNumberLength) + "," + std::to_string(nameLength)) +
           kOk;
  }
  if (name == "+MPBR" && tail == "=?") {
    // The values after the limits are those of a RAZR-class phone; the category range is ours.
    const Window window = MemoryWindow(PhonebookMemory::Phone);
    return InfoLine("+MPBR: " + Range(window.first, window.last) + "," +
                    std::to_string(kToldNumberLength) + "," + std::to_string(kMaxNameLength) +
                    ",8,0-1,50,(0,2,4,6,9-30,255),(0),(0-1),(" + Range(1, CategoryCount()) +
                    "),(255),25,(0-1,255),264,(0),0,0,0,0,0,0,0") +
           kOk;
  }
  if (name == "+CPBS") {
    if (tail == "?") {
      const Window window = MemoryWindow(memory_);
      return InfoLine("+CPBS: \"" + std::string(MemoryName(memory_)) + "\"," +
                      std::to_string(UsedRecords(memory_)) + "," +
                      std::to_string(window.last - window.first + 1)) +
             kOk;
    }
    if (tail == "=?") return InfoLine("+CPBS: " + profile_.memories) + kOk;
    if (tail.size() < 2 || tail[0] != '=') return kError;
    std::string_view value = tail.substr(1);
    if (const auto inner = Unquote(value)) value = *inner;
    if (value == "ME") {
      memory_ = PhonebookMemory::Phone;
    } else if (value == "SM") {
      memory_ = PhonebookMemory::Sim;
    } else if (value == "MT") {
      memory_ = PhonebookMemory::Both;
    } else {
      return kError;
    }
    return kOk;
  }
  if (name == "+MPBSC" && tail == "=?") {
    const Window window = MemoryWindow(memory_);
    return InfoLine("+MPBSC: " + std::to_string(window.last - window.first + 1) + "," +
                    std::to_string(UsedRecords(memory_))) +
           kOk;
  }
  if (name == "+MPBR") return ReadRecords(tail);
  if (name == "+MPBW") return WriteRecord(tail);
  return kError;
}

std::string EmulatedPhone::ReadRecords(std::string_view tail) const {
  const auto range = ParseIndexRange(tail);
  const Window window = MemoryWindow(memory_);
  // Below the phone's first record is an error in every memory, as past the memory's end.
  if (!range || range->first < FirstPhoneIndex() || range->first > window.last) return kError;
  std::string reply;
  const int first = std::max(range->first, window.first);
  const int last = std::min(range->last, window.last);
  for (auto it = records_.lower_bound(first); it != records_.end() && it->first <= last; ++it) {
    reply += InfoLine(RecordLine(it->first, it->second));
  }
  return reply + kOk;
}

std::string EmulatedPhone::RecordLine(int index, const PhonebookRecord& r) const {
  std::string line = "+MPBR: " + std::to_string(index);
  const auto add = [&line](std::string_view value) {
    line.push_back(',');
    line.append(value);
  };
  add(Quote(r.number));
  add(r.numberFormat);
  add(TextToWire(r.name, charset_));
  add(r.numberType);
  add(r.voiceLabel);
  add(r.melody);
  add(r.field7);
  add(r.primary);
  add(r.category);
  add(r.field10);
  add(r.field11);
  add(r.field12);
  add(TextToWire(r.picture, charset_));
  add(r.field14);
  add(r.field15);
  for (const std::string& field : r.address) add(TextToWire(field, charset_));
  add(Quote(r.birthday));
  add("\"\"");
  return line;
}

std::string EmulatedPhone::WriteRecord(std::string_view tail) {
  if (tail.size() < 2 || tail[0] != '=') return kError;
  const auto values = SplitValues(tail.substr(1));
  const auto index = ParseDecimal(values[0]);
  const Window window = MemoryWindow(memory_);
  if (!index || *index < window.first || *index > window.last) return kError;
  if (values.size() == 1) {
    records_.erase(*index);
    return kOk;
  }
  const bool onSim = *index >= FirstSimIndex();
  const auto record = ParseRecord({values.begin() + 1, values.end()},
                                  onSim ? profile_.simNameLength : kMaxNameLength);
  if (!record) return kError;
  records_[*index] = *record;
  return kOk;
}

std::optional<PhonebookRecord> EmulatedPhone::ParseRecord(const std::vector<std::string_view>& v,
                                                          size_t nameLength) const {
  if (v.size() != kBasicValueCount && v.size() != kAdvancedValueCount) return std::nullopt;
  PhonebookRecord r;
  const auto number = Unquote(v[0]);
  if (!number || number->empty() || !IsEmptyOrDecimal(v[1]) || !IsDecimalWithin(v[3], 0, 8)) {
    return std::nullopt;
  }
  const int type = *ParseDecimal(v[3]);
  const bool address = type == kEmailType || type == kMailingListType;
  if (address ? (number->size() > kMaxAddressLength || !IsPrintableAscii(*number))
              : (number->size() > kMaxNumberLength || !IsDialString(*number))) {
    return std::nullopt;
  }
  r.number = *number;
  // An omitted number format is chosen from the number, as for AT+CPBW.
  r.numberFormat = !v[1].empty()            ? std::string(v[1])
                   : address                ? "128"
                   : number->front() == '+' ? "145"
                                            : "129";
  r.numberType = v[3];
  const auto name = TextFromWire(v[2], charset_);
  const auto picture = TextFromWire(v[12], charset_);
  if (!name || TextLength(*name) > nameLength || !picture ||
      TextLength(*picture) > kMaxPictureLength) {
    return std::nullopt;
  }
  r.name = *name;
  r.picture = *picture;
  for (size_t i : {4, 5, 6, 7, 8, 9, 10, 11, 13, 14}) {
    if (!IsEmptyOrDecimal(v[i])) return std::nullopt;
  }
  if (!v[8].empty() && !IsDecimalWithin(v[8], 1, CategoryCount())) return std::nullopt;
  // The phone keeps numbers in these places; an omitted value takes the phone's default.
  const auto value = [&v](size_t i, const char* omitted) {
    return v[i].empty() ? std::string(omitted) : std::string(v[i]);
  };
  r.voiceLabel = value(4, "0");
  r.melody = value(5, "255");
  r.field7 = value(6, "0");
  r.primary = value(7, "0");
  r.category = value(8, "1");
  r.field10 = value(9, "255");
  r.field11 = value(10, "255");
  r.field12 = value(11, "0");
  r.field14 = value(13, "0");
  r.field15 = value(14, "0");
  if (v.size() == kBasicValueCount) return r;
  for (size_t k = 0; k < r.address.size(); ++k) {
    const auto field = TextFromWire(v[15 + k], charset_);
    if (!field || TextLength(*field) > kMaxAddressFieldLength) return std::nullopt;
    r.address[k] = *field;
  }
  const auto birthday = Unquote(v[22]);
  if (!birthday || (!birthday->empty() && !IsDate(*birthday))) return std::nullopt;
  r.birthday = *birthday;
  return r;
}

std::string EmulatedPhone::ExecuteCategories(std::string_view name, std::string_view tail) {
  if (name == "+MPGR" && tail == "=?") {
    return InfoLine("+MPGR: (" + Range(1, CategoryCount()) + ")") + kOk;
  }
  if (name == "+MPGR") return ReadCategories(tail);
  if (name == "+MPGW") return WriteCategory(tail);
  return kError;
}

std::string EmulatedPhone::ReadCategories(std::string_view tail) const {
  const auto range = ParseIndexRange(tail);
  // Categories the phone lacks are refused, not skipped.
  if (!range || range->first < 1 || range->last > CategoryCount()) return kError;
  std::string reply;
  for (int n = range->first; n <= range->last; ++n) {
    if (!categories_[n]) continue;
    const CategoryRecord& c = *categories_[n];
    reply += InfoLine("+MPGR: " + std::to_string(n) + "," + TextToWire(c.name, charset_) + "," +
                      c.melody + "," + c.field3 + "," + c.light);
  }
  return reply + kOk;
}

std::string EmulatedPhone::WriteCategory(std::string_view tail) {
  if (tail.size() < 2 || tail[0] != '=') return kError;
  const auto values = SplitValues(tail.substr(1));
  // Category 1 is the phone's own "General".
  if (!IsDecimalWithin(values[0], 2, CategoryCount())) return kError;
  const int number = *ParseDecimal(values[0]);
  if (values.size() == 1) {
    categories_[number].reset();
    return kOk;
  }
  if (values.size() != 5) return kError;
  const auto categoryName = TextFromWire(values[1], charset_);
  if (!categoryName || categoryName->empty() || TextLength(*categoryName) > kMaxNameLength) {
    return kError;
  }
  if (!IsDecimal(values[2]) || !IsDecimal(values[3]) || !IsDecimal(values[4])) return kError;
  categories_[number] = CategoryRecord{*categoryName, std::string(values[2]),
                                       std::string(values[3]), std::string(values[4])};
  return kOk;
}

}  // namespace quorix::emu
