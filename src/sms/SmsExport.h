#pragma once

#include <functional>
#include <string>

#include "sms/SmsState.h"

namespace quorix::sms {

// Writes the messages to path in the form its name asks for: Android's XML for a name ending in
// ".xml" (in any case), else the text by conversation; names from nameOf. Returns what to tell
// the user: where they went, and how many went undecoded or with characters XML cannot hold.
// SmsFileError when the file cannot be written.
std::string ExportMessages(const std::string& path, const SmsState& state,
                           const std::function<std::string(const std::string& number)>& nameOf);

}  // namespace quorix::sms
