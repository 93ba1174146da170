#pragma once

#include <memory>

#include "cli/CliLink.h"
#include "link/p2k/P2KUsb.h"
#include "link/p2k/TP2KAPI.h"
#include "phonebook/PhoneFileReading.h"

namespace quorix::cli {

// The phone's P2K mode beside the command's serial link: the USB backend, the P2K link, and its
// presence messages delivered whenever the command lets events run, as the window's loop does.
struct CliP2K {
  explicit CliP2K(CliLink& link);
  ~CliP2K();  // events back to the serial tick alone
  CliP2K(const CliP2K&) = delete;
  CliP2K& operator=(const CliP2K&) = delete;

  PhoneFileLinks Links() { return {p2k, link.phone, link.clock}; }

  CliLink& link;
  std::unique_ptr<P2KUsbBackend> backend;
  TP2KAPI p2k;
};

}  // namespace quorix::cli
