#include <array>

#include "phone-emulator/CommandValues.h"
#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/ReplyFraming.h"

namespace quorix::emu {

namespace {

constexpr int kReceivedUnread = 0;
constexpr int kReceivedRead = 1;
constexpr int kAllMessages = 4;

// The stores an L6 offers for reading, for writing and deleting, and for receiving.
constexpr std::array<std::string_view, 3> kOfferedStorages = {
    R"(("MT","ME","SM","IM","OM","BM","DM"))", R"(("MT","ME","SM","OM","DM"))",
    R"(("MT","ME","SM","IM"))"};

const std::string kOperationNotAllowed = InfoLine("+CMS ERROR: 302");
const std::string kInvalidIndex = InfoLine("+CMS ERROR: 321");

bool Offered(size_t position, std::string_view name) {
  return kOfferedStorages[position].find(Quote(name)) != std::string_view::npos;
}

}  // namespace

std::string EmulatedPhone::ExecuteMessages(std::string_view name, std::string_view tail) {
  if (name == "+CMGF") {
    if (tail == "?") return InfoLine(messageTextMode_ ? "+CMGF: 1" : "+CMGF: 0") + kOk;
    if (tail == "=?") return InfoLine("+CMGF: (0-1)") + kOk;
    if (tail == "=0" || tail == "=1") {
      messageTextMode_ = tail == "=1";
      return kOk;
    }
    return kError;
  }
  if (name == "+CPMS") return SelectMessageStorages(tail);
  if (name == "+CMGL") return ListMessages(tail);
  if (name == "+CMGR") return ReadMessage(tail);
  return kError;
}

std::string EmulatedPhone::SelectMessageStorages(std::string_view tail) {
  if (tail == "=?") {
    return InfoLine("+CPMS: " + std::string(kOfferedStorages[0]) + "," +
                    std::string(kOfferedStorages[1]) + "," + std::string(kOfferedStorages[2])) +
           kOk;
  }
  const auto counts = [this](MessageStorage storage) {
    return std::to_string(messages_.Used(storage)) + "," +
           std::to_string(messages_.Capacity(storage));
  };
  if (tail == "?") {
    std::string line = "+CPMS: ";
    for (size_t i = 0; i < messageStorages_.size(); ++i) {
      if (i > 0) line += ",";
      line += Quote(NameOf(messageStorages_[i])) + "," + counts(messageStorages_[i]);
    }
    return InfoLine(line) + kOk;
  }
  if (tail.size() < 2 || tail[0] != '=') return kError;
  const auto values = SplitValues(tail.substr(1));
  if (values.size() > messageStorages_.size()) return kError;
  auto chosen = messageStorages_;
  for (size_t i = 0; i < values.size(); ++i) {
    const std::string_view name = Unquote(values[i]).value_or(values[i]);
    const auto storage = StorageNamed(name);
    if (!storage || !Offered(i, name)) return kError;
    chosen[i] = *storage;
  }
  messageStorages_ = chosen;
  // An L6 given one store answers with its counts alone; for more, a pair for each store given,
  // in the order of the full answer, is a guess.
  std::string line = "+CPMS: ";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) line += ",";
    line += counts(messageStorages_[i]);
  }
  return InfoLine(line) + kOk;
}

std::string EmulatedPhone::ListMessages(std::string_view tail) {
  if (tail == "=?") {
    return InfoLine(messageTextMode_
                        ? R"(+CMGL: ("REC UNREAD","REC READ","STO UNSENT","STO SENT","ALL"))"
                        : "+CMGL: (0-4)") +
           kOk;
  }
  // Listings in text mode are not emulated.
  if (messageTextMode_) return kOperationNotAllowed;
  // Without a stat, the received unread ones.
  int stat = kReceivedUnread;
  if (!tail.empty()) {
    if (tail[0] != '=' || !IsDecimalWithin(tail.substr(1), 0, kAllMessages)) return kError;
    stat = *ParseDecimal(tail.substr(1));
  }
  // One information response for the whole listing, its lines joined by CR LF as GSM 07.05
  // writes it: no capture shows how a phone frames one.
  std::string lines;
  for (const auto& [index, message] : messages_.Listed(messageStorages_[0])) {
    if (stat != kAllMessages && message->stat != stat) continue;
    if (!lines.empty()) lines += "\r\n";
    lines += "+CMGL: " + std::to_string(index) + "," + std::to_string(message->stat) + ",," +
             std::to_string(TpduLength(message->pdu)) + "\r\n" + message->pdu;
    // Read once listed, as on a real phone.
    if (message->stat == kReceivedUnread) message->stat = kReceivedRead;
  }
  return (lines.empty() ? "" : InfoLine(lines)) + kOk;
}

std::string EmulatedPhone::ReadMessage(std::string_view tail) {
  if (tail == "=?") return kOk;
  if (messageTextMode_) return kOperationNotAllowed;
  if (tail.size() < 2 || tail[0] != '=') return kError;
  const auto index = ParseDecimal(tail.substr(1));
  if (!index) return kError;
  StoredMessage* message = messages_.Find(messageStorages_[0], *index);
  if (!message) return kInvalidIndex;
  const std::string reply =
      InfoLine("+CMGR: " + std::to_string(message->stat) + ",," +
               std::to_string(TpduLength(message->pdu)) + "\r\n" + message->pdu) +
      kOk;
  if (message->stat == kReceivedUnread) message->stat = kReceivedRead;
  return reply;
}

}  // namespace quorix::emu
