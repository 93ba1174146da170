#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorix::emu {

// Where a message is kept: the phone's memory or the SIM.
enum class MessageMemory { Phone, Sim };

struct StoredMessage {
  int stat = 0;     // 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
  std::string pdu;  // upper-case hex, the service centre's part first
};

// The stores AT+CPMS names, each a view of the two memories: MT both, ME, SM, IM the received
// messages of ME, OM its sent and unsent ones, DM its unsent ones (drafts), BM cell broadcasts.
enum class MessageStorage { Both, Phone, Sim, Inbox, Outbox, Broadcast, Drafts };

std::optional<MessageStorage> StorageNamed(std::string_view name);
std::string_view NameOf(MessageStorage storage);

// The octets a listing counts: the PDU without its service centre's part.
int TpduLength(std::string_view pdu);

class MessageStore {
 public:
  // An L6 answers AT+CPMS="ME" with "+CPMS: 18,254".
  static constexpr int kPhoneCapacity = 254;
  // A SIM of the time; no capture shows one.
  static constexpr int kSimCapacity = 30;

  // Indices outside the memory are ignored.
  void Put(MessageMemory memory, int index, StoredMessage message);

  // The messages a storage shows, by the index it shows each under, in that order.
  std::vector<std::pair<int, StoredMessage*>> Listed(MessageStorage storage);
  StoredMessage* Find(MessageStorage storage, int index);
  int Used(MessageStorage storage) const;
  int Capacity(MessageStorage storage) const;

 private:
  std::map<int, StoredMessage> phone_;
  std::map<int, StoredMessage> sim_;
};

}  // namespace quorix::emu
