#pragma once

#include <string>

namespace quorix {

// The one place where a stored port name ("\\.\COM4", "COM4", "/dev/ttyACM0") becomes the device
// to open: "\\.\" is dropped, COMn is /dev/ttyS(n-1), a text starting with "/" is a device path
// used as it is, and any other bare name is looked for under /dev.
std::string PortDevicePath(const std::string& portName);

}  // namespace quorix
