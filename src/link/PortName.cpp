#include "link/PortName.h"

#include <cctype>

#include "codec/Utf8.h"

namespace quorix {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// The port number of "COMn" (n from 1), or 0 when the text is something else.
int ComNumber(const std::string& name) {
  if (!StartsWithNoCase(name, "COM") || name.size() == 3 || name.size() > 6) return 0;
  int number = 0;
  for (size_t i = 3; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

}  // namespace

const std::vector<std::string>& ComPortNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (int i = 1; i <= 20; ++i) list.push_back("COM" + std::to_string(i));
    return list;
  }();
  return names;
}

std::string ShownPortName(const std::string& text) {
  if (!text.empty() && text[0] == '/') return text;
  return Utf8Upper(text);
}

std::string PortDevicePath(const std::string& portName) {
  std::string name = portName;
  if (name.rfind("\\\\.\\", 0) == 0) name.erase(0, 4);
  if (name.empty()) return name;
  if (name[0] == '/') return name;
  if (const int number = ComNumber(name); number > 0) {
    return "/dev/ttyS" + std::to_string(number - 1);
  }
  return "/dev/" + name;
}

}  // namespace quorix
