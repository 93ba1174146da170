#pragma once

#include <memory>

#include "base/Clock.h"
#include "link/p2k/P2KUsb.h"

namespace quorix {

class LibusbContext;

// Phones on USB through libusb-1.0: every interface of every device of vendor 0x22B8, named by
// its string descriptor. Control transfers go to the interface as they come; a device's removal
// is seen through libusb's hotplug events, or where libusb has none (or when asked) by looking
// for the device every second.
class LibusbBackend final : public P2KUsbBackend {
 public:
  enum class RemovalWatch { Hotplug, PresencePoll };

  static constexpr uint16_t kMotorolaVendor = 0x22B8;
  static constexpr int64_t kPresencePollMs = 1000;

  // clock paces the presence poll; it is used on the thread that waits for a removal.
  explicit LibusbBackend(Clock& clock, RemovalWatch watch = RemovalWatch::Hotplug);
  ~LibusbBackend() override;

  std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> Interfaces() override;

 private:
  Clock& clock_;
  RemovalWatch watch_;
  std::shared_ptr<LibusbContext> context_;
};

}  // namespace quorix
