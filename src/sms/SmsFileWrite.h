#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorix::sms {

// A message file could not be written or read, or is not of its kind. The text is Russian, UTF-8,
// and names the file.
struct SmsFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Writes the file whole or leaves what was there; SmsFileError when it fails.
void WriteSmsFile(const std::string& path, std::string_view text);

}  // namespace quorix::sms
