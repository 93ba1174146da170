#include "phone-emulator/EmulatedPhone.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "phone-emulator/ReplyFraming.h"
#include "phone-emulator/SamplePhone.h"

namespace quorix::emu {

namespace {

// Longer lines do not fit the phone's command buffer.
constexpr size_t kMaxLineLength = 2048;

constexpr std::string_view kBanner = "+MBAN: Copyright 2000-2002 Motorola, Inc.";
// Unframed: it ends what the phone was doing, not a reply.
const std::string kLateBanner = std::string(kBanner) + "\r\n";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

EmulatedPhone::EmulatedPhone(const EmulatorOptions& options)
    : profile_(ProfileFor(options.model)),
      simCapacity_(options.simCapacity),
      errorOn_(options.errorOn) {
  categories_[1] = CategoryRecord{"00470065006E006500720061006C", "255", "0", "0"};  // General
  if (options.sample) LoadSamplePhone(*this);
  if (options.fill > 0) FillPhoneMemory(*this, options.fill);
}

std::vector<Exchange> EmulatedPhone::ReceiveLines(std::string_view bytes) {
  std::vector<Exchange> exchanges;
  for (char c : bytes) {
    if (c == '\n' && pendingLine_.empty() && !lineOverflow_) continue;
    if (c != '\r') {
      if (pendingLine_.size() < kMaxLineLength) {
        pendingLine_.push_back(c);
      } else {
        lineOverflow_ = true;
      }
      continue;
    }
    Exchange exchange;
    const bool banner = std::exchange(bannerDue_, false);
    exchange.command = std::move(pendingLine_);
    pendingLine_.clear();
    if (echo_) exchange.echo = exchange.command + "\r";
    if (lineOverflow_) {
      exchange.reply = kError;
    } else if (!exchange.command.empty()) {
      exchange.reply = Execute(exchange.command);
    }
    if (!exchange.reply.empty()) exchange.echo.insert(0, profile_.noise);
    if (banner) exchange.echo.insert(0, kLateBanner);
    exchange.toP2K = std::exchange(toP2K_, false);
    lineOverflow_ = false;
    exchanges.push_back(std::move(exchange));
  }
  return exchanges;
}

std::string EmulatedPhone::Receive(std::string_view bytes) {
  std::string out;
  for (const Exchange& exchange : ReceiveLines(bytes)) {
    out += exchange.echo;
    out += exchange.reply;
  }
  return out;
}

std::string EmulatedPhone::Execute(std::string_view line) {
  for (const std::string& prefix : errorOn_) {
    if (line.substr(0, prefix.size()) == prefix) return kError;
  }
  if (!StartsWithNoCase(line, "AT")) return kError;
  const std::string_view body = line.substr(2);
  if (body.empty()) return kOk;
  // The command name runs up to "=" or "?"; parameters keep their case.
  const size_t end = body.find_first_of("=?");
  const std::string name = Upper(body.substr(0, end));
  const std::string_view tail = end == std::string_view::npos ? "" : body.substr(end);
  if (name.rfind("+MPB", 0) == 0 || name.rfind("+CPB", 0) == 0) {
    return ExecutePhonebook(name, tail);
  }
  if (name.rfind("+MPG", 0) == 0) return ExecuteCategories(name, tail);
  if (name.rfind("+MDB", 0) == 0) return ExecuteDatebook(name, tail);
  if (name.rfind("+CMG", 0) == 0 || name == "+CPMS") return ExecuteMessages(name, tail);
  return ExecuteBasic(name, tail);
}

std::string EmulatedPhone::ExecuteBasic(std::string_view name, std::string_view tail) {
  if (tail.empty()) {
    if (name == "Z") {
      Reset();
      return kOk;
    }
    if (name == "E0" || name == "E1") {
      echo_ = name == "E1";
      return kOk;
    }
    if (name == "+CGMI") return InfoLine("+CGMI: \"Motorola CE, Copyright 2000\"") + kOk;
    if (name == "+CGMM") {
      return InfoLine("+CGMM: " + profile_.bands + ",\"MODEL=" + profile_.model + "\"") + kOk;
    }
    if (name == "+CGSN") return InfoLine("+CGSN: " + Imei()) + kOk;
    if (name == "+CGMR") return InfoLine("+CGMR: \"" + profile_.firmware + "\"") + kOk;
    return kError;
  }
  if (name == "+CSCS") {
    if (tail == "?")
      return InfoLine(charset_ == Charset::Ucs2 ? "+CSCS: \"UCS2\"" : "+CSCS: \"GSM\"") + kOk;
    if (tail == "=?") return InfoLine("+CSCS: (\"GSM\",\"UCS2\")") + kOk;
    const std::string value = Upper(tail.substr(1));
    if (tail[0] == '=' && (value == "\"UCS2\"" || value == "UCS2")) {
      charset_ = Charset::Ucs2;
      return kOk;
    }
    if (tail[0] == '=' && (value == "\"GSM\"" || value == "GSM")) {
      charset_ = Charset::Gsm;
      return kOk;
    }
    return kError;
  }
  if (name == "+MODE" && tail.size() > 1 && tail[0] == '=') {
    const auto mode = ParseDecimal(tail.substr(1));
    if (mode == 2) {
      // Phonebook mode starts again from the plain character set.
      charset_ = Charset::Gsm;
      bannerDue_ = profile_.lateBanner;
      return profile_.lateBanner ? kOk : InfoLine(kBanner) + kOk;
    }
    if (mode == 8) toP2K_ = true;
    if (mode == 0 || mode == 8) return kOk;
  }
  return kError;
}

void EmulatedPhone::Reset() {
  echo_ = true;
  charset_ = Charset::Gsm;
  memory_ = PhonebookMemory::Phone;
  messageTextMode_ = false;
  messageStorages_ = kDefaultMessageStorages;
}

std::string EmulatedPhone::Imei() const {
  // Type allocation code and serial, completed by the Luhn check digit.
  const std::string body = "35123405398101";
  int sum = 0;
  for (size_t i = 0; i < body.size(); ++i) {
    int digit = body[body.size() - 1 - i] - '0';
    if (i % 2 == 0) {
      digit *= 2;
      if (digit > 9) digit -= 9;
    }
    sum += digit;
  }
  return body + static_cast<char>('0' + (10 - sum % 10) % 10);
}

EmulatedPhone::Window EmulatedPhone::MemoryWindow(PhonebookMemory memory) const {
  switch (memory) {
    case PhonebookMemory::Phone:
      return {FirstPhoneIndex(), FirstSimIndex() - 1};
    case PhonebookMemory::Sim:
      return {FirstSimIndex(), FirstSimIndex() + simCapacity_ - 1};
    case PhonebookMemory::Both:
      break;
  }
  return {FirstPhoneIndex(), FirstSimIndex() + simCapacity_ - 1};
}

const PhonebookRecord* EmulatedPhone::Record(int index) const {
  const auto it = records_.find(index);
  return it == records_.end() ? nullptr : &it->second;
}

const CategoryRecord* EmulatedPhone::Category(int number) const {
  if (number < 1 || number > CategoryCount() || !categories_[number]) return nullptr;
  return &*categories_[number];
}

const DatebookRecord* EmulatedPhone::DatebookEvent(int index) const {
  const auto it = datebook_.find(index);
  return it == datebook_.end() ? nullptr : &it->second;
}

int EmulatedPhone::UsedRecords(PhonebookMemory memory) const {
  const Window window = MemoryWindow(memory);
  return static_cast<int>(std::count_if(records_.begin(), records_.end(), [&](const auto& entry) {
    return entry.first >= window.first && entry.first <= window.last;
  }));
}

void EmulatedPhone::PutRecord(int index, PhonebookRecord record) {
  const Window all = MemoryWindow(PhonebookMemory::Both);
  if (index < all.first || index > all.last) return;
  records_[index] = std::move(record);
}

void EmulatedPhone::PutCategory(int number, CategoryRecord category) {
  if (number < 1 || number > CategoryCount()) return;
  categories_[number] = std::move(category);
}

void EmulatedPhone::PutDatebookEvent(int index, DatebookRecord event) {
  if (index < 0 || index >= kDatebookCapacity) return;
  datebook_[index] = std::move(event);
}

void EmulatedPhone::PutMessage(MessageMemory memory, int index, StoredMessage message) {
  messages_.Put(memory, index, std::move(message));
}

}  // namespace quorix::emu
