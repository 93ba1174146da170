// The settings file reader: every key the program reads, over a file of any content.
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "FuzzInput.h"
#include "app/Settings.h"
#include "base/SettingsPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = quorix::fuzz::WriteInput("velkor.ini", data, size);
  quorix::SettingsPage page;
  std::array<std::string, 8> types;
  try {
    quorix::ReadSettings(path, page, types);
  } catch (const std::runtime_error&) {
    // ConversionError or RangeCheckError, as the program reports them.
  }
  quorix::WindowLayout layout;
  try {
    quorix::ReadWindowLayout(path, layout);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
