#pragma once

#include <umockdev.h>

#include <deque>
#include <mutex>
#include <string>

#include "phone-emulator/P2KPhone.h"

namespace quorix::test {

// A phone in P2K mode on an emulated USB bus: umockdev's testbed gives it a sysfs entry with its
// descriptors and a usbfs node whose control transfers the emulated phone answers. Only works in a
// program run under umockdev-wrapper.
class UsbPhoneTestbed {
 public:
  UsbPhoneTestbed();
  ~UsbPhoneTestbed();
  UsbPhoneTestbed(const UsbPhoneTestbed&) = delete;
  UsbPhoneTestbed& operator=(const UsbPhoneTestbed&) = delete;

  static bool UnderUmockdev();

  // Plugs the phone in as device `number` on bus 1.
  void Plug(int number);
  // Unplugs it as the kernel would report it.
  void Unplug();
  emu::P2KLeave Leaving();
  bool Claimed();

 private:
  static gboolean OnIoctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer self);
  void Handle(UMockdevIoctlClient* client);
  void SubmitUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void ReapUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg);

  UMockdevTestbed* testbed_;
  UMockdevIoctlBase* handler_;
  std::string sysfsPath_;
  std::string node_;

  std::mutex mutex_;
  emu::P2KPhone phone_;
  std::deque<UMockdevIoctlData*> done_;
  bool claimed_ = false;
};

}  // namespace quorix::test
