#include "usb/UsbPhoneTestbed.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <vector>

namespace quorix::test {

namespace {

emu::EmulatorOptions Sample() {
  emu::EmulatorOptions options;
  options.sample = true;
  return options;
}

std::string HexOf(const std::vector<uint8_t>& bytes) {
  std::string hex;
  for (const uint8_t b : bytes) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", b);
    hex += pair;
  }
  return hex;
}

template <class T>
T* Resolved(UMockdevIoctlData* data, size_t offset, size_t length) {
  GError* error = nullptr;
  UMockdevIoctlData* child = umockdev_ioctl_data_resolve(data, offset, length, &error);
  if (!child) {
    g_error_free(error);
    return nullptr;
  }
  // The parent keeps the resolved block until the ioctl completes.
  T* local = reinterpret_cast<T*>(child->data);
  g_object_unref(child);
  return local;
}

}  // namespace

UsbPhoneTestbed::UsbPhoneTestbed()
    : testbed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new()), phone_(Sample()) {
  g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(OnIoctl), this);
}

UsbPhoneTestbed::~UsbPhoneTestbed() {
  for (UMockdevIoctlData* urb : done_) g_object_unref(urb);
  g_object_unref(handler_);
  g_object_unref(testbed_);
}

bool UsbPhoneTestbed::UnderUmockdev() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload && std::strstr(preload, "libumockdev-preload");
}

void UsbPhoneTestbed::Plug(int number) {
  char devnum[8];
  std::snprintf(devnum, sizeof devnum, "%03d", number);
  sysfsPath_ = "/sys/devices/1-" + std::to_string(number);
  node_ = std::string("/dev/bus/usb/001/") + devnum;
  char product[8];
  std::snprintf(product, sizeof product, "%04x", phone_.ProductId());
  const std::string description =
      "P: /devices/1-" + std::to_string(number) + "\nN: bus/usb/001/" + devnum +
      "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=" + node_ +
      "\nE: BUSNUM=001\nE: DEVNUM=" + devnum + "\nA: idVendor=22b8\\n\nA: idProduct=" + product +
      "\\n\nA: busnum=1\\n\nA: devnum=" + std::to_string(number) +
      "\\n\nA: speed=12\\n\nA: bConfigurationValue=1\\n\nA: dev=189:" + std::to_string(number) +
      "\\n\nH: descriptors=" + HexOf(phone_.Descriptors()) + "\n";
  GError* error = nullptr;
  if (!umockdev_testbed_add_from_string(testbed_, description.c_str(), &error) ||
      !umockdev_testbed_attach_ioctl(testbed_, node_.c_str(), handler_, &error)) {
    const std::string message = error ? error->message : "umockdev refused the device";
    if (error) g_error_free(error);
    throw std::runtime_error(message);
  }
  const std::lock_guard lock(mutex_);
  phone_.Attach();
}

void UsbPhoneTestbed::Unplug() {
  umockdev_testbed_uevent(testbed_, sysfsPath_.c_str(), "remove");
  umockdev_testbed_remove_device(testbed_, sysfsPath_.c_str());
}

emu::P2KLeave UsbPhoneTestbed::Leaving() {
  const std::lock_guard lock(mutex_);
  return phone_.Leaving();
}

bool UsbPhoneTestbed::Claimed() {
  const std::lock_guard lock(mutex_);
  return claimed_;
}

gboolean UsbPhoneTestbed::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  static_cast<UsbPhoneTestbed*>(self)->Handle(client);
  return TRUE;
}

void UsbPhoneTestbed::Handle(UMockdevIoctlClient* client) {
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  switch (umockdev_ioctl_client_get_request(client)) {
    case USBDEVFS_GET_CAPABILITIES:
      if (auto* caps = Resolved<uint32_t>(arg, 0, sizeof(uint32_t))) *caps = 0;
      umockdev_ioctl_client_complete(client, 0, 0);
      return;
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
      const std::lock_guard lock(mutex_);
      claimed_ = umockdev_ioctl_client_get_request(client) == USBDEVFS_CLAIMINTERFACE;
      umockdev_ioctl_client_complete(client, 0, 0);
      return;
    }
    case USBDEVFS_SUBMITURB:
      SubmitUrb(client, arg);
      return;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
      ReapUrb(client, arg);
      return;
    default:
      umockdev_ioctl_client_complete(client, -1, ENOTTY);
  }
}

void UsbPhoneTestbed::SubmitUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  GError* error = nullptr;
  UMockdevIoctlData* urbData = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), &error);
  if (!urbData) {
    g_error_free(error);
    umockdev_ioctl_client_complete(client, -1, EFAULT);
    return;
  }
  auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
  auto* buffer = urb->type == USBDEVFS_URB_TYPE_CONTROL && urb->buffer_length >= 8
                     ? Resolved<uint8_t>(urbData, offsetof(usbdevfs_urb, buffer),
                                         static_cast<size_t>(urb->buffer_length))
                     : nullptr;
  if (!buffer) {
    umockdev_ioctl_client_complete(client, -1, EINVAL);
    return;
  }
  const std::span<const uint8_t, 8> setup(buffer, 8);
  const bool toHost = (buffer[0] & 0x80) != 0;
  const size_t room = static_cast<size_t>(urb->buffer_length) - 8;
  std::optional<std::vector<uint8_t>> answer;
  {
    const std::lock_guard lock(mutex_);
    answer = phone_.Control(
        setup, toHost ? std::span<const uint8_t>() : std::span<const uint8_t>(buffer + 8, room));
  }
  urb->status = answer ? 0 : -EPIPE;
  urb->actual_length = 0;
  if (answer && toHost) {
    const size_t n = std::min(answer->size(), room);
    std::memcpy(buffer + 8, answer->data(), n);
    urb->actual_length = static_cast<int>(n);
  } else if (answer) {
    urb->actual_length = static_cast<int>(room);
  }
  {
    const std::lock_guard lock(mutex_);
    done_.push_back(urbData);
  }
  umockdev_ioctl_client_complete(client, 0, 0);
}

void UsbPhoneTestbed::ReapUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  UMockdevIoctlData* urbData = nullptr;
  {
    const std::lock_guard lock(mutex_);
    if (!done_.empty()) {
      urbData = done_.front();
      done_.pop_front();
    }
  }
  if (!urbData) {
    umockdev_ioctl_client_complete(client, -1, EAGAIN);
    return;
  }
  // The argument points at the client's pointer, which gets the submitted URB's address.
  GError* error = nullptr;
  UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), &error);
  if (slot) {
    umockdev_ioctl_data_set_ptr(slot, 0, urbData);
    g_object_unref(slot);
  } else {
    g_error_free(error);
  }
  g_object_unref(urbData);
  umockdev_ioctl_client_complete(client, slot ? 0 : -1, slot ? 0 : EFAULT);
}

}  // namespace quorix::test
