#include "cli/CliP2K.h"

#include "link/SerialPortMap.h"

namespace quorix::cli {

CliP2K::CliP2K(CliLink& link)
    : link(link),
      backend(MakeP2KUsbBackend(link.clock, DefaultPublishedPortsDir())),
      p2k(link.shell, link.clock, *backend) {
  link.shell.SetEventHook([this] {
    this->link.phone.Com().PollTick();
    p2k.DeliverStateMessages();
  });
}

CliP2K::~CliP2K() {
  link.shell.SetEventHook([&link = link] { link.phone.Com().PollTick(); });
}

}  // namespace quorix::cli
