#pragma once

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/p2k/P2KUsb.h"
#include "phone-emulator/P2KPhone.h"

namespace quorix::test {

// Interfaces on an imagined bus, with the names given; each answers its string query with its
// name, and transfers go to one emulated P2K phone. A test can replace the phone's answers to play
// a misbehaving one, and unplug it.
class PhoneOnBus final : public P2KUsbBackend {
 public:
  // The phone's answer to a request (setup block, data), or nothing for a refused request.
  using Respond = std::function<std::optional<std::vector<uint8_t>>(std::span<const uint8_t>)>;

  explicit PhoneOnBus(std::vector<std::string> names = {"Motorola Test Command"})
      : phone(Sample()), names_(std::move(names)) {}

  emu::P2KPhone phone;
  Respond respond;  // replaces the phone when set

  std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> Interfaces() override {
    std::vector<std::unique_ptr<P2KUsbInterface>> interfaces;
    const std::lock_guard lock(mutex_);
    if (unplugged_) return interfaces;
    for (size_t i = 0; i < names_.size(); ++i) {
      interfaces.push_back(std::make_unique<Interface>(*this, i));
    }
    return interfaces;
  }

  void Unplug() {
    const std::lock_guard lock(mutex_);
    unplugged_ = true;
    gone_.notify_all();
  }
  // The most devices that waited for their removal at once.
  int MostWatching() {
    const std::lock_guard lock(mutex_);
    return mostWatching_;
  }
  std::vector<std::vector<uint8_t>> Requests() {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  static emu::EmulatorOptions Sample() {
    emu::EmulatorOptions options;
    options.sample = true;
    return options;
  }

  class Device final : public P2KUsbDevice {
   public:
    Device(PhoneOnBus& bus, size_t index) : bus_(bus), index_(index) {}
    TransferResult QueryName(uint16_t, std::span<uint8_t> output, int64_t) override {
      const std::string& name = bus_.names_[index_];
      output[0] = static_cast<uint8_t>(2 * name.size() + 2);
      for (size_t i = 0; i < name.size(); ++i) output[4 + 2 * i] = static_cast<uint8_t>(name[i]);
      return TransferResult::Done;
    }
    bool Claim(std::string&) override { return true; }
    TransferResult Transfer(std::span<const uint8_t> request, std::span<uint8_t> output,
                            int64_t) override {
      const std::lock_guard lock(bus_.mutex_);
      if (bus_.unplugged_) return TransferResult::Failed;
      bus_.requests_.emplace_back(request.begin(), request.end());
      const size_t length = request[6] | request[7] << 8;
      const auto data = (request[0] & 0x80) ? request.subspan(8, 0) : request.subspan(8, length);
      const auto answer =
          bus_.respond ? bus_.respond(request) : bus_.phone.Control(request.first<8>(), data);
      if (!answer) return TransferResult::Failed;
      if (request[0] & 0x80) std::copy(answer->begin(), answer->end(), output.begin() + 4);
      return TransferResult::Done;
    }
    void WaitGone(std::stop_token stop) override {
      std::unique_lock lock(bus_.mutex_);
      bus_.mostWatching_ = std::max(bus_.mostWatching_, ++bus_.watching_);
      bus_.gone_.wait(lock, stop, [this] { return bus_.unplugged_; });
      --bus_.watching_;
    }

   private:
    PhoneOnBus& bus_;
    size_t index_;
  };

  class Interface final : public P2KUsbInterface {
   public:
    Interface(PhoneOnBus& bus, size_t index)
        : bus_(bus), index_(index), path_("bus/" + std::to_string(index)) {}
    const std::string& Path() const override { return path_; }
    std::unique_ptr<P2KUsbDevice> Open(std::string&) override {
      return std::make_unique<Device>(bus_, index_);
    }

   private:
    PhoneOnBus& bus_;
    size_t index_;
    std::string path_;
  };

  std::vector<std::string> names_;
  std::mutex mutex_;
  std::condition_variable_any gone_;
  bool unplugged_ = false;
  int watching_ = 0;
  int mostWatching_ = 0;
  std::vector<std::vector<uint8_t>> requests_;
};

}  // namespace quorix::test
