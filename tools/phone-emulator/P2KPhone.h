#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "phone-emulator/EmulatorOptions.h"
#include "phone-emulator/P2KFileCommands.h"

namespace quorix::emu {

// What becomes of the P2K device after a transfer.
enum class P2KLeave {
  Stays,
  ToAtMode,   // the switch back: it re-enumerates as the modem
  Restarts,   // the restart reply was read: it comes back as the modem after booting
  Unplugged,  // gone in the middle of a command, for good
};

// A Motorola phone in P2K mode as its USB interface 8 sees it: the control transfers of the P2K
// commands (send, poll, read the reply, back to AT mode), the standard descriptor requests, and a
// file system behind command 0x4A. It does no I/O: a transfer in, the phone's raw answer out.
class P2KPhone {
 public:
  static constexpr uint8_t kInterfaceNumber = 8;
  static constexpr const char* kInterfaceName = "Motorola Test Command";

  explicit P2KPhone(const EmulatorOptions& options);

  // One control transfer: the setup block and the data of a host-to-device request. The answer
  // (empty for host-to-device), or nothing when the phone stalls the request.
  std::optional<std::vector<uint8_t>> Control(std::span<const uint8_t, 8> setup,
                                              std::span<const uint8_t> data);
  // The driver's string query: byte count, then the interface name in UTF-16LE with a NUL.
  std::vector<uint8_t> StringQueryAnswer() const;
  // The device descriptor followed by the configuration with its interfaces.
  std::vector<uint8_t> Descriptors() const;
  uint16_t ProductId() const { return productId_; }

  P2KLeave Leaving() const { return leaving_; }
  // Enumerated again: nothing waits, no listing goes on, no file is open, nothing is leaving.
  // Files stay.
  void Attach();

  const P2KFileSystem& FileSystem() const { return fileCommands_.FileSystem(); }
  const std::vector<P2KFile>& Files() const { return FileSystem().Files(); }
  // Any name and contents, as a test wants them; a file of the same path is replaced.
  void PutFile(P2KFile file) { fileCommands_.FileSystem().Put(std::move(file)); }
  void RemoveAllFiles() { fileCommands_.FileSystem().RemoveAll(); }
  // What happened since the last call, for the transcript: each command and each reply read.
  std::vector<std::string> TakeNotes();

 private:
  struct Reply {
    uint16_t packetId;
    uint8_t replyClass;
    std::vector<uint8_t> data;
    bool restarts = false;
  };

  std::optional<std::vector<uint8_t>> Descriptor(uint16_t value) const;
  std::optional<std::vector<uint8_t>> TakeCommand(std::span<const uint8_t> data);
  std::vector<uint8_t> StatusAnswer() const;
  std::vector<uint8_t> ReadReplies(uint16_t count);
  Reply Execute(uint16_t command, std::span<const uint8_t> payload);

  std::string model_;
  uint16_t productId_;
  bool neverReady_;
  int unplugAt_;
  int commandsReceived_ = 0;

  P2KFileCommands fileCommands_;
  std::deque<Reply> waiting_;
  P2KLeave leaving_ = P2KLeave::Stays;
  std::vector<std::string> notes_;
};

}  // namespace quorix::emu
