#include "link/p2k/LibusbBackend.h"

#include <libusb.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "link/p2k/P2KPackets.h"

namespace quorix {

// One libusb session for the backend and every device opened through it.
class LibusbContext {
 public:
  LibusbContext() {
    if (libusb_init(&context_) != 0) context_ = nullptr;
  }
  ~LibusbContext() {
    if (context_) libusb_exit(context_);
  }
  LibusbContext(const LibusbContext&) = delete;
  LibusbContext& operator=(const LibusbContext&) = delete;

  libusb_context* get() const { return context_; }

 private:
  libusb_context* context_ = nullptr;
};

namespace {

constexpr size_t kAnswerOffset = 4;
constexpr uint8_t kStringDescriptor = 3;
constexpr size_t kMaxDescriptor = 255;
constexpr const char* kRuleHint =
    "install the udev rule resources/60-quorix-motorola.rules (README, \"A real phone over P2K\") "
    "and plug the phone in again";

TransferResult ResultOf(int status) {
  if (status >= 0) return TransferResult::Done;
  return status == LIBUSB_ERROR_TIMEOUT ? TransferResult::TimedOut : TransferResult::Failed;
}

unsigned int Limit(int64_t ms) {
  return ms <= 0 ? 1u : static_cast<unsigned int>(ms);
}

std::string NodePath(libusb_device* device) {
  char path[64];
  std::snprintf(path, sizeof path, "/dev/bus/usb/%03u/%03u", libusb_get_bus_number(device),
                libusb_get_device_address(device));
  return path;
}

bool StillListed(libusb_context* context, libusb_device* device) {
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context, &list);
  // A list that cannot be read says nothing about the device.
  bool found = count < 0;
  for (ssize_t i = 0; i < count && !found; ++i) found = list[i] == device;
  if (count >= 0) libusb_free_device_list(list, 1);
  return found;
}

// What an interface and the device opened through it share.
struct InterfacePlace {
  std::shared_ptr<LibusbContext> context;
  int number;
  uint8_t nameIndex;  // of its string descriptor; 0 for none
  Clock& clock;
  LibusbBackend::RemovalWatch watch;
};

class LibusbDevice final : public P2KUsbDevice {
 public:
  LibusbDevice(InterfacePlace place, libusb_device_handle* handle)
      : place_(std::move(place)), handle_(handle) {}
  ~LibusbDevice() override {
    if (claimed_) libusb_release_interface(handle_, place_.number);
    libusb_close(handle_);
  }

  TransferResult QueryName(uint16_t, std::span<uint8_t> output, int64_t limitMs) override {
    uint8_t text[kMaxDescriptor] = {};
    int length = 0;
    if (place_.nameIndex != 0) {
      uint8_t languages[kMaxDescriptor] = {};
      int status = libusb_control_transfer(handle_, LIBUSB_ENDPOINT_IN,
                                           LIBUSB_REQUEST_GET_DESCRIPTOR, kStringDescriptor << 8, 0,
                                           languages, sizeof languages, Limit(limitMs));
      if (status < 0) return ResultOf(status);
      const uint16_t language = status >= 4 ? languages[2] | languages[3] << 8 : 0;
      status =
          libusb_control_transfer(handle_, LIBUSB_ENDPOINT_IN, LIBUSB_REQUEST_GET_DESCRIPTOR,
                                  static_cast<uint16_t>(kStringDescriptor << 8 | place_.nameIndex),
                                  language, text, sizeof text, Limit(limitMs));
      if (status < 0) return ResultOf(status);
      // The descriptor's own length and type come first.
      length = std::max(0, std::min<int>(status, text[0]) - 2);
    }
    // The driver's layout: byte count, UTF-16LE text, a NUL code unit.
    if (output.size() < 4) return TransferResult::Failed;
    const size_t room = output.size() - 4;
    const size_t textBytes = std::min<size_t>(length, room >= 2 ? room - 2 : 0);
    const size_t count = textBytes + 2;
    for (int i = 0; i < 4; ++i) output[i] = static_cast<uint8_t>(count >> (8 * i));
    std::fill(output.begin() + 4, output.end(), 0);
    std::copy_n(text + 2, textBytes, output.begin() + 4);
    return TransferResult::Done;
  }

  bool Claim(std::string& error) override {
    const int status = libusb_claim_interface(handle_, place_.number);
    claimed_ = status == 0;
    if (!claimed_) {
      error = "cannot take interface " + std::to_string(place_.number) + ": " +
              libusb_strerror(static_cast<libusb_error>(status));
    }
    return claimed_;
  }

  TransferResult Transfer(std::span<const uint8_t> request, std::span<uint8_t> output,
                          int64_t limitMs) override {
    if (request.size() < p2k::kSetupSize) return TransferResult::Failed;
    const uint8_t type = request[0];
    const uint8_t code = request[1];
    const uint16_t value = request[2] | request[3] << 8;
    const uint16_t index = request[4] | request[5] << 8;
    const uint16_t length = request[6] | request[7] << 8;
    if ((type & LIBUSB_ENDPOINT_IN) != 0) {
      if (output.size() < kAnswerOffset) return TransferResult::Failed;
      const auto room = static_cast<uint16_t>(std::min<size_t>(length, output.size() - 4));
      return ResultOf(libusb_control_transfer(handle_, type, code, value, index,
                                              output.data() + kAnswerOffset, room, Limit(limitMs)));
    }
    if (request.size() < p2k::kSetupSize + length) return TransferResult::Failed;
    // libusb takes a writable buffer even for data it only sends.
    std::vector<uint8_t> data(request.begin() + p2k::kSetupSize,
                              request.begin() + p2k::kSetupSize + length);
    return ResultOf(libusb_control_transfer(handle_, type, code, value, index, data.data(), length,
                                            Limit(limitMs)));
  }

  void WaitGone(std::stop_token stop) override {
    libusb_context* context = place_.context->get();
    libusb_device* device = libusb_get_device(handle_);
    if (place_.watch == LibusbBackend::RemovalWatch::Hotplug &&
        libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
      WaitForHotplug(context, device, stop);
      return;
    }
    while (!stop.stop_requested() && StillListed(context, device)) {
      place_.clock.SleepMs(LibusbBackend::kPresencePollMs);
    }
  }

 private:
  struct Watched {
    libusb_device* device;
    std::atomic<bool> gone{false};
  };

  static int OnLeft(libusb_context*, libusb_device* device, libusb_hotplug_event, void* data) {
    auto* watched = static_cast<Watched*>(data);
    if (device == watched->device) watched->gone = true;
    return 0;
  }

  void WaitForHotplug(libusb_context* context, libusb_device* device, std::stop_token stop) {
    Watched watched{device};
    libusb_hotplug_callback_handle callback;
    if (libusb_hotplug_register_callback(context, LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT,
                                         LIBUSB_HOTPLUG_NO_FLAGS, LibusbBackend::kMotorolaVendor,
                                         LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, OnLeft,
                                         &watched, &callback) != LIBUSB_SUCCESS) {
      return;
    }
    std::stop_callback onStop(stop, [context] { libusb_interrupt_event_handler(context); });
    // It may have left before the callback was there.
    if (!StillListed(context, device)) watched.gone = true;
    while (!watched.gone && !stop.stop_requested()) {
      timeval wait{1, 0};
      libusb_handle_events_timeout_completed(context, &wait, nullptr);
    }
    libusb_hotplug_deregister_callback(context, callback);
  }

  InterfacePlace place_;
  libusb_device_handle* handle_;
  bool claimed_ = false;
};

class LibusbInterface final : public P2KUsbInterface {
 public:
  LibusbInterface(InterfacePlace place, libusb_device* device)
      : place_(std::move(place)),
        device_(libusb_ref_device(device)),
        path_(NodePath(device) + " interface " + std::to_string(place_.number)) {}
  ~LibusbInterface() override { libusb_unref_device(device_); }

  const std::string& Path() const override { return path_; }

  std::unique_ptr<P2KUsbDevice> Open(std::string& error) override {
    libusb_device_handle* handle = nullptr;
    const int status = libusb_open(device_, &handle);
    if (status == LIBUSB_ERROR_ACCESS) {
      error = "no permission to open the phone at " + NodePath(device_) + ": " + kRuleHint;
      return nullptr;
    }
    if (status != 0) {
      error = "cannot open " + NodePath(device_) + ": " +
              libusb_strerror(static_cast<libusb_error>(status));
      return nullptr;
    }
    return std::make_unique<LibusbDevice>(place_, handle);
  }

 private:
  InterfacePlace place_;
  libusb_device* device_;
  std::string path_;
};

}  // namespace

LibusbBackend::LibusbBackend(Clock& clock, RemovalWatch watch) : clock_(clock), watch_(watch) {}

LibusbBackend::~LibusbBackend() = default;

std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> LibusbBackend::Interfaces() {
  // Started on first use: a program that never looks for a phone on USB does not pay for it.
  if (!context_) context_ = std::make_shared<LibusbContext>();
  if (!context_->get()) return std::nullopt;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_->get(), &list);
  if (count < 0) return std::nullopt;
  std::vector<std::unique_ptr<P2KUsbInterface>> interfaces;
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) != 0 ||
        descriptor.idVendor != kMotorolaVendor) {
      continue;
    }
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(list[i], &config) != 0) continue;
    for (int k = 0; k < config->bNumInterfaces; ++k) {
      if (config->interface[k].num_altsetting < 1) continue;
      const libusb_interface_descriptor& setting = config->interface[k].altsetting[0];
      interfaces.push_back(std::make_unique<LibusbInterface>(
          InterfacePlace{context_, setting.bInterfaceNumber, setting.iInterface, clock_, watch_},
          list[i]));
    }
    libusb_free_config_descriptor(config);
  }
  libusb_free_device_list(list, 1);
  return interfaces;
}

}  // namespace quorix
