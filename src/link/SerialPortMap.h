#pragma once

#include <string>
#include <vector>

#include "link/PublishedPortsFolder.h"

namespace quorix {

// One serial port present on the machine.
struct SerialPort {
  std::string deviceName;  // the kernel's name for what drives it (e.g. "cdc_acm")
  std::string portName;    // what the user picks and the program opens, e.g. "/dev/ttyACM0"
  bool usbModem = false;   // a phone's modem port in AT mode
};

// Where the map is read from; tests point both at a temporary tree.
struct SerialPortMapSource {
  std::string sysfsRoot = "/sys";
  // Ports that the emulated phone publishes as USB modems: one file each, holding the device
  // path on its first line. Read only when the folder passes CheckPublishedPorts.
  std::string publishedDir = DefaultPublishedPortsDir();
};

// The tty devices that have hardware behind them, sorted by name, then the published ports.
// Empty when the map cannot be read.
std::vector<SerialPort> ReadSerialPortMap(const SerialPortMapSource& source);

}  // namespace quorix
