#include "link/SerialPortMap.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quorix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsbModemDriver = "cdc_acm";

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// A serial8250 placeholder has a device link but no UART: its type reads 0.
bool HasNoUart(const fs::path& tty) {
  std::error_code ec;
  if (!fs::is_regular_file(tty / "type", ec)) return false;
  return FirstLine(tty / "type") == "0";
}

void AddHardwarePorts(const std::string& sysfsRoot, std::vector<SerialPort>& ports) {
  std::error_code ec;
  std::vector<SerialPort> found;
  for (const auto& entry : fs::directory_iterator(fs::path(sysfsRoot) / "class" / "tty", ec)) {
    const fs::path tty = entry.path();
    std::error_code linkEc;
    if (!fs::exists(tty / "device", linkEc) || HasNoUart(tty)) continue;
    SerialPort port;
    port.portName = "/dev/" + tty.filename().string();
    port.deviceName = fs::read_symlink(tty / "device" / "driver", linkEc).filename().string();
    port.usbModem = port.deviceName == kUsbModemDriver;
    found.push_back(port);
  }
  std::sort(found.begin(), found.end(),
            [](const SerialPort& a, const SerialPort& b) { return a.portName < b.portName; });
  ports.insert(ports.end(), found.begin(), found.end());
}

void AddPublishedPorts(const std::string& dir, std::vector<SerialPort>& ports) {
  if (!CheckPublishedPorts(dir).usable) return;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    std::error_code typeEc;
    if (entry.is_regular_file(typeEc)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    const std::string device = FirstLine(file);
    std::error_code existsEc;
    if (device.empty() || !fs::exists(device, existsEc)) continue;
    ports.push_back({kUsbModemDriver, device, true});
  }
}

}  // namespace

std::vector<SerialPort> ReadSerialPortMap(const SerialPortMapSource& source) {
  std::vector<SerialPort> ports;
  AddHardwarePorts(source.sysfsRoot, ports);
  AddPublishedPorts(source.publishedDir, ports);
  return ports;
}

}  // namespace quorix
