#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "base/Clock.h"

namespace quorix {

enum class TransferResult {
  Done,
  TimedOut,  // no answer within the limit; the request was cancelled
  Failed,    // the device refused the request or is gone
};

// One opened USB interface of a phone. Requests come as the phone's driver takes them: the 8-byte
// setup block, then the data of a host-to-device request (as many bytes as its length field
// says; anything after that is ignored). The answer of a device-to-host request is placed in the
// output buffer from byte 4 on, where the driver's buffer has it. Transfers run on one thread at
// a time; WaitGone may run on another meanwhile.
class P2KUsbDevice {
 public:
  virtual ~P2KUsbDevice() = default;

  // The interface's name in the driver's string query layout: a 32-bit little-endian byte count,
  // then the name in UTF-16LE with its terminating NUL. The selector names the string for drivers
  // that need it; a direct USB interface has one name.
  virtual TransferResult QueryName(uint16_t selector, std::span<uint8_t> output,
                                   int64_t limitMs) = 0;
  // Takes the interface for this program; false (and why) when someone else holds it.
  virtual bool Claim(std::string& error) = 0;
  virtual TransferResult Transfer(std::span<const uint8_t> request, std::span<uint8_t> output,
                                  int64_t limitMs) = 0;
  // Returns once the device has gone away (unplugged, restarted, back in AT mode), or when stop
  // is requested.
  virtual void WaitGone(std::stop_token stop) = 0;
};

// A present interface that may be a phone's P2K interface.
class P2KUsbInterface {
 public:
  virtual ~P2KUsbInterface() = default;
  virtual const std::string& Path() const = 0;
  // Nothing (and why) when it cannot be opened.
  virtual std::unique_ptr<P2KUsbDevice> Open(std::string& error) = 0;
};

// Where phones are looked for: real USB, the emulated phone, or several of them in turn.
class P2KUsbBackend {
 public:
  virtual ~P2KUsbBackend() = default;
  // The interfaces present now, in a stable order; nothing when they cannot be listed at all.
  virtual std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> Interfaces() = 0;
};

// Lists the interfaces of each backend in turn.
class P2KUsbBackends final : public P2KUsbBackend {
 public:
  void Add(std::unique_ptr<P2KUsbBackend> backend) { backends_.push_back(std::move(backend)); }
  std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> Interfaces() override;

 private:
  std::vector<std::unique_ptr<P2KUsbBackend>> backends_;
};

// What the programs use: phones on USB, then the endpoints of emulated phones that publish their
// ports in publishedDir. clock paces the watch for a removal where that is a poll.
std::unique_ptr<P2KUsbBackend> MakeP2KUsbBackend(Clock& clock, const std::string& publishedDir);

}  // namespace quorix
