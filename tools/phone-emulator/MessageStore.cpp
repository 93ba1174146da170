#include "phone-emulator/MessageStore.h"

#include <array>

namespace quorix::emu {

namespace {

constexpr int kReceivedRead = 1;
constexpr int kStoredUnsent = 2;

struct Named {
  MessageStorage storage;
  std::string_view name;
};

constexpr std::array<Named, 7> kNames = {{{MessageStorage::Both, "MT"},
                                          {MessageStorage::Phone, "ME"},
                                          {MessageStorage::Sim, "SM"},
                                          {MessageStorage::Inbox, "IM"},
                                          {MessageStorage::Outbox, "OM"},
                                          {MessageStorage::Broadcast, "BM"},
                                          {MessageStorage::Drafts, "DM"}}};

bool Shows(MessageStorage storage, MessageMemory memory, int stat) {
  const bool phone = memory == MessageMemory::Phone;
  switch (storage) {
    case MessageStorage::Both:
      return true;
    case MessageStorage::Phone:
      return phone;
    case MessageStorage::Sim:
      return !phone;
    case MessageStorage::Inbox:
      return phone && stat <= kReceivedRead;
    case MessageStorage::Outbox:
      return phone && stat >= kStoredUnsent;
    case MessageStorage::Drafts:
      return phone && stat == kStoredUnsent;
    case MessageStorage::Broadcast:
      break;
  }
  return false;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

}  // namespace

std::optional<MessageStorage> StorageNamed(std::string_view name) {
  for (const Named& n : kNames) {
    if (n.name == name) return n.storage;
  }
  return std::nullopt;
}

std::string_view NameOf(MessageStorage storage) {
  for (const Named& n : kNames) {
    if (n.storage == storage) return n.name;
  }
  return {};
}

int TpduLength(std::string_view pdu) {
  if (pdu.size() < 2) return 0;
  const int serviceCentre = HexValue(pdu[0]) * 16 + HexValue(pdu[1]);
  return static_cast<int>(pdu.size() / 2) - 1 - serviceCentre;
}

void MessageStore::Put(MessageMemory memory, int index, StoredMessage message) {
  const int capacity = memory == MessageMemory::Phone ? kPhoneCapacity : kSimCapacity;
  if (index < 1 || index > capacity) return;
  (memory == MessageMemory::Phone ? phone_ : sim_)[index] = std::move(message);
}

std::vector<std::pair<int, StoredMessage*>> MessageStore::Listed(MessageStorage storage) {
  std::vector<std::pair<int, StoredMessage*>> listed;
  for (auto& [index, message] : phone_) {
    if (Shows(storage, MessageMemory::Phone, message.stat)) listed.emplace_back(index, &message);
  }
  // How a real phone numbers the SIM's messages among the phone's is not known: they follow
  // the phone memory's last index here.
  const int offset = storage == MessageStorage::Both ? kPhoneCapacity : 0;
  for (auto& [index, message] : sim_) {
    if (Shows(storage, MessageMemory::Sim, message.stat)) {
      listed.emplace_back(offset + index, &message);
    }
  }
  return listed;
}

StoredMessage* MessageStore::Find(MessageStorage storage, int index) {
  for (const auto& [shown, message] : Listed(storage)) {
    if (shown == index) return message;
  }
  return nullptr;
}

int MessageStore::Used(MessageStorage storage) const {
  int used = 0;
  for (const auto& [index, message] : phone_) {
    used += Shows(storage, MessageMemory::Phone, message.stat) ? 1 : 0;
  }
  for (const auto& [index, message] : sim_) {
    used += Shows(storage, MessageMemory::Sim, message.stat) ? 1 : 0;
  }
  return used;
}

int MessageStore::Capacity(MessageStorage storage) const {
  switch (storage) {
    case MessageStorage::Both:
      return kPhoneCapacity + kSimCapacity;
    case MessageStorage::Sim:
      return kSimCapacity;
    case MessageStorage::Broadcast:
      // A guess: this phone keeps no cell broadcasts.
      return 0;
    case MessageStorage::Phone:
    case MessageStorage::Inbox:
    case MessageStorage::Outbox:
    case MessageStorage::Drafts:
      break;
  }
  // A guess: the views of the phone memory share its room.
  return kPhoneCapacity;
}

}  // namespace quorix::emu
