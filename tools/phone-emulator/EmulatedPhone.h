#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phone-emulator/EmulatorOptions.h"
#include "phone-emulator/MessageStore.h"
#include "phone-emulator/ModelProfile.h"
#include "phone-emulator/PhoneRecords.h"
#include "phone-emulator/PhoneText.h"

namespace quorix::emu {

enum class PhonebookMemory { Phone, Sim, Both };

// One command line and what the phone sends back for it.
struct Exchange {
  std::string command;  // the line as received, without its CR
  std::string echo;     // the line and its CR, or empty while echo is off
  std::string reply;    // the information lines and the final result
  bool toP2K = false;   // AT+MODE=8 was accepted: the phone leaves for P2K mode
};

// A Motorola P2K phone in AT mode: its phonebook, categories, datebook and text messages, and the
// interpreter of the commands that reach them. It does no I/O: bytes in, bytes to send out.
class EmulatedPhone {
 public:
  // The most categories any phone has.
  static constexpr int kCategoryCount = 30;
  static constexpr int kDatebookCapacity = 500;

  explicit EmulatedPhone(const EmulatorOptions& options);

  // Takes received bytes (partial lines are kept for the next call) and returns one exchange for
  // each command line completed by a CR.
  std::vector<Exchange> ReceiveLines(std::string_view bytes);
  // The same, as the bytes the phone sends back: echoes and replies in order.
  std::string Receive(std::string_view bytes);

  const std::string& Model() const { return profile_.model; }
  int PhoneCapacity() const { return profile_.phoneRecords; }
  int SimCapacity() const { return simCapacity_; }
  int FirstPhoneIndex() const { return profile_.firstPhoneIndex; }
  int FirstSimIndex() const { return profile_.firstPhoneIndex + profile_.phoneRecords; }
  int CategoryCount() const { return profile_.categoryCount; }
  bool EchoOn() const { return echo_; }
  Charset CurrentCharset() const { return charset_; }
  PhonebookMemory SelectedMemory() const { return memory_; }
  bool DatebookLocked() const { return datebookLocked_; }
  std::string Imei() const;

  // Stored data by the phone's own numbering; nullptr where nothing is stored.
  const PhonebookRecord* Record(int index) const;
  const CategoryRecord* Category(int number) const;
  const DatebookRecord* DatebookEvent(int index) const;
  int UsedRecords(PhonebookMemory memory) const;
  int UsedDatebookEvents() const { return static_cast<int>(datebook_.size()); }

  // Starts again after a restart: the command settings are back at their defaults.
  void Restart() { Reset(); }

  // Stores data directly, as the phone's own menus would: sample data and test set-up.
  void PutRecord(int index, PhonebookRecord record);
  void PutCategory(int number, CategoryRecord category);
  void PutDatebookEvent(int index, DatebookRecord event);
  void PutMessage(MessageMemory memory, int index, StoredMessage message);

 private:
  struct Window {
    int first;
    int last;
  };

  std::string Execute(std::string_view line);
  std::string ExecuteBasic(std::string_view name, std::string_view tail);
  std::string ExecutePhonebook(std::string_view name, std::string_view tail);
  std::string ExecuteCategories(std::string_view name, std::string_view tail);
  std::string ExecuteDatebook(std::string_view name, std::string_view tail);
  std::string ExecuteMessages(std::string_view name, std::string_view tail);

  std::string ReadRecords(std::string_view tail) const;
  std::string WriteRecord(std::string_view tail);
  std::string ReadCategories(std::string_view tail) const;
  std::string WriteCategory(std::string_view tail);
  std::string ReadDatebook(std::string_view tail) const;
  std::string WriteDatebook(std::string_view tail);
  std::string SelectMessageStorages(std::string_view tail);
  std::string ListMessages(std::string_view tail);
  std::string ReadMessage(std::string_view tail);

  std::optional<PhonebookRecord> ParseRecord(const std::vector<std::string_view>& values,
                                             size_t nameLength) const;
  std::optional<DatebookRecord> ParseDatebookEvent(
      const std::vector<std::string_view>& values) const;
  std::string RecordLine(int index, const PhonebookRecord& record) const;
  std::string DatebookLine(int index, const DatebookRecord& event) const;

  Window MemoryWindow(PhonebookMemory memory) const;
  void Reset();

  ModelProfile profile_;
  int simCapacity_;
  std::vector<std::string> errorOn_;

  bool echo_ = true;
  Charset charset_ = Charset::Gsm;
  PhonebookMemory memory_ = PhonebookMemory::Phone;
  bool datebookLocked_ = false;
  // PDU mode is the default.
  bool messageTextMode_ = false;
  // The stores for reading, for writing and deleting, and for receiving. A phone's first choice
  // is not known: the phone memory is a guess.
  static constexpr std::array<MessageStorage, 3> kDefaultMessageStorages = {
      MessageStorage::Phone, MessageStorage::Phone, MessageStorage::Phone};
  std::array<MessageStorage, 3> messageStorages_ = kDefaultMessageStorages;

  bool toP2K_ = false;
  bool bannerDue_ = false;
  std::string pendingLine_;
  bool lineOverflow_ = false;

  std::map<int, PhonebookRecord> records_;
  std::array<std::optional<CategoryRecord>, kCategoryCount + 1> categories_;
  std::map<int, DatebookRecord> datebook_;
  MessageStore messages_;
};

}  // namespace quorix::emu
