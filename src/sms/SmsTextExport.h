#pragma once

#include <string>
#include <vector>

#include "sms/SmsConversations.h"

namespace quorix::sms {

// The conversations as plain UTF-8 text for a person: a heading with the name and number, then
// every message as "14.03.2007 09:30  ← text" (→ for sent ones, "[черновик]" before a draft's
// text, the time column blank when there is none), its further lines indented under the text. An
// undecoded message says so and lists its raw PDUs. Control characters show as their pictures
// (␀, ␛…), so that nothing in a text disappears or garbles the file.
std::string SmsTextExport(const std::vector<SmsConversation>& conversations);

// Writes that text whole or not at all; SmsFileError when it cannot.
void SaveSmsTextExport(const std::string& path, const std::vector<SmsConversation>& conversations);

}  // namespace quorix::sms
