#pragma once

#include <string>
#include <vector>

namespace quorix {

// The port choices the settings page offers before any search: "COM1" ... "COM20".
const std::vector<std::string>& ComPortNames();

// A port name as the settings page shows and keeps it: COM-style names in upper case, device
// paths as they are (the file system tells "/dev/ttyACM0" from "/DEV/TTYACM0").
std::string ShownPortName(const std::string& text);

// The one place where a stored port name ("\\.\COM4", "COM4", "/dev/ttyACM0") becomes the device
// to open: "\\.\" is dropped, COMn is /dev/ttyS(n-1), a text starting with "/" is a device path
// used as it is, and any other bare name is looked for under /dev.
std::string PortDevicePath(const std::string& portName);

}  // namespace quorix
