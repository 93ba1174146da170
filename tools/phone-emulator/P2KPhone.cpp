#include "phone-emulator/P2KPhone.h"

#include <algorithm>
#include <cstdio>

#include "phone-emulator/ModelProfile.h"
#include "phone-emulator/P2KBytes.h"
#include "phone-emulator/SampleFiles.h"

namespace quorix::emu {

namespace {

constexpr uint16_t kFileCommand = 0x4A;
constexpr uint16_t kRestartCommand = 0x22;
constexpr uint16_t kLanguageEnglishUs = 0x0409;

enum StringIndex : uint8_t { kManufacturer = 1, kProduct = 2, kTestCommand = 3 };

void AppendLittle16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

std::string Hex(std::span<const uint8_t> bytes) {
  std::string text;
  for (const uint8_t b : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X", b);
    text += pair;
  }
  return text;
}

std::vector<uint8_t> StringDescriptor(const std::string& text) {
  std::vector<uint8_t> out = {static_cast<uint8_t>(2 + 2 * text.size()), 3};
  for (const char c : text) AppendLittle16(out, static_cast<uint8_t>(c));
  return out;
}

}  // namespace

P2KPhone::P2KPhone(const EmulatorOptions& options)
    : model_(ProfileFor(options.model).model),
      productId_(options.model == "C350" ? 0x5801 : 0x4901),
      neverReady_(options.p2kNeverReady),
      unplugAt_(options.p2kUnplugAt),
      fileCommands_(options.p2kCapacity) {
  if (options.sample) LoadSampleFiles(*this);
}

std::optional<std::vector<uint8_t>> P2KPhone::Control(std::span<const uint8_t, 8> setup,
                                                      std::span<const uint8_t> data) {
  const uint8_t type = setup[0];
  const uint8_t request = setup[1];
  const uint16_t value = setup[2] | setup[3] << 8;
  const uint16_t index = setup[4] | setup[5] << 8;
  const uint16_t length = setup[6] | setup[7] << 8;
  std::optional<std::vector<uint8_t>> answer;
  if (type == 0x80 && request == 6) {
    answer = Descriptor(value);
  } else if (type == 0x40 && request == 1) {
    leaving_ = P2KLeave::ToAtMode;
    notes_.push_back("back to AT mode");
    answer.emplace();
  } else if (index != kInterfaceNumber) {
    return std::nullopt;
  } else if (type == 0x41 && request == 2) {
    answer = TakeCommand(data.first(std::min<size_t>(length, data.size())));
  } else if (type == 0xC1 && request == 0) {
    answer = StatusAnswer();
  } else if (type == 0xC1 && request == 1) {
    answer = ReadReplies(value);
  }
  if (answer && answer->size() > length) answer->resize(length);
  return answer;
}

std::vector<uint8_t> P2KPhone::StringQueryAnswer() const {
  const std::string name = kInterfaceName;
  const auto bytes = static_cast<uint32_t>(2 * name.size() + 2);
  std::vector<uint8_t> answer = {static_cast<uint8_t>(bytes), static_cast<uint8_t>(bytes >> 8), 0,
                                 0};
  for (const char c : name) AppendLittle16(answer, static_cast<uint8_t>(c));
  AppendLittle16(answer, 0);
  return answer;
}

std::vector<uint8_t> P2KPhone::Descriptors() const {
  std::vector<uint8_t> out = {18, 1, 0x10, 0x01, 0, 0, 0, 64};
  AppendLittle16(out, 0x22B8);
  AppendLittle16(out, productId_);
  AppendLittle16(out, 0x0001);
  out.insert(out.end(), {kManufacturer, kProduct, 0, 1});
  // Interface 8 carries the commands (vendor class, no endpoints); interface 0 stands for the
  // phone's other functions.
  const std::vector<uint8_t> config = {9,    2,    27,
                                       0,    2,    1,
                                       0,    0x80, 250,  //
                                       9,    4,    0,
                                       0,    0,    0xFF,
                                       0,    0,    0,  //
                                       9,    4,    kInterfaceNumber,
                                       0,    0,    0xFF,
                                       0x02, 0xFF, kTestCommand};
  out.insert(out.end(), config.begin(), config.end());
  return out;
}

void P2KPhone::Attach() {
  waiting_.clear();
  fileCommands_.Reset();
  leaving_ = P2KLeave::Stays;
}

std::vector<std::string> P2KPhone::TakeNotes() {
  std::vector<std::string> notes;
  notes.swap(notes_);
  return notes;
}

std::optional<std::vector<uint8_t>> P2KPhone::Descriptor(uint16_t value) const {
  const uint8_t kind = static_cast<uint8_t>(value >> 8);
  const uint8_t index = static_cast<uint8_t>(value);
  const std::vector<uint8_t> all = Descriptors();
  if (kind == 1 && index == 0) return std::vector<uint8_t>(all.begin(), all.begin() + 18);
  if (kind == 2 && index == 0) return std::vector<uint8_t>(all.begin() + 18, all.end());
  if (kind != 3) return std::nullopt;
  switch (index) {
    case 0:
      return std::vector<uint8_t>{4, 3, kLanguageEnglishUs & 0xFF, kLanguageEnglishUs >> 8};
    case kManufacturer:
      return StringDescriptor("Motorola Inc.");
    case kProduct:
      return StringDescriptor("Motorola Phone (" + model_ + ")");
    case kTestCommand:
      return StringDescriptor(kInterfaceName);
    default:
      return std::nullopt;
  }
}

std::optional<std::vector<uint8_t>> P2KPhone::TakeCommand(std::span<const uint8_t> data) {
  if (data.size() < 8) return std::nullopt;
  const uint16_t packetId = BigEndian16(data, 0) & 0x0FFF;
  const uint16_t command = BigEndian16(data, 2) & 0x0FFF;
  const uint16_t length = BigEndian16(data, 4);
  if (data.size() < 8u + length) return std::nullopt;
  const std::span<const uint8_t> payload = data.subspan(8, length);
  char head[48];
  std::snprintf(head, sizeof head, "command %03X id %03X, %u bytes", command, packetId, length);
  notes_.push_back(head + (payload.empty() ? "" : ": " + Hex(payload)));
  if (unplugAt_ > 0 && ++commandsReceived_ == unplugAt_) {
    leaving_ = P2KLeave::Unplugged;
    notes_.push_back("unplugged");
    return std::vector<uint8_t>{};
  }
  Reply reply = Execute(command, payload);
  reply.packetId = packetId;
  // A phone that is stuck takes commands and never gets a reply ready.
  if (!neverReady_) waiting_.push_back(std::move(reply));
  return std::vector<uint8_t>{};
}

std::vector<uint8_t> P2KPhone::StatusAnswer() const {
  size_t size = 0;
  for (const Reply& reply : waiting_) size += 8 + reply.data.size();
  std::vector<uint8_t> answer;
  Append16(answer, static_cast<uint16_t>(waiting_.size()));
  Append16(answer, static_cast<uint16_t>(size));
  answer.insert(answer.end(), 4, 0);
  return answer;
}

std::vector<uint8_t> P2KPhone::ReadReplies(uint16_t count) {
  const size_t taken = std::min<size_t>(count, waiting_.size());
  std::vector<uint8_t> answer = {static_cast<uint8_t>(taken), 0, 0, 0};
  for (size_t i = 0; i < taken; ++i) {
    Reply reply = std::move(waiting_.front());
    waiting_.pop_front();
    const auto dataLength = static_cast<uint16_t>(reply.data.size());
    Append16(answer, static_cast<uint16_t>(dataLength + 8));
    // The phone sets the top bits of the id it sends back.
    Append16(answer, static_cast<uint16_t>(0x8000 | reply.packetId));
    answer.insert(answer.end(), {static_cast<uint8_t>(reply.replyClass << 4), 0});
    Append16(answer, dataLength);
    answer.insert(answer.end(), {0, 0});
    answer.insert(answer.end(), reply.data.begin(), reply.data.end());
    char head[48];
    std::snprintf(head, sizeof head, "reply class %u, %u bytes", reply.replyClass, dataLength);
    const std::span<const uint8_t> shown(reply.data.data(), std::min<size_t>(dataLength, 16));
    notes_.push_back(head + (shown.empty() ? "" : ": " + Hex(shown)) +
                     (dataLength > 16 ? " ..." : ""));
    if (reply.restarts) {
      leaving_ = P2KLeave::Restarts;
      notes_.push_back("restarting");
    }
  }
  return answer;
}

P2KPhone::Reply P2KPhone::Execute(uint16_t command, std::span<const uint8_t> payload) {
  if (command == kFileCommand) {
    P2KAnswer answer = fileCommands_.Run(payload);
    return {0, answer.replyClass, std::move(answer.data)};
  }
  if (command == kRestartCommand) return {0, kClassDone, {}, true};
  return {0, kClassRefused, {}};
}

}  // namespace quorix::emu
