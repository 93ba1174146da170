#pragma once

#include <string>
#include <string_view>

namespace quorix::sms {

// A text fit to show on one line: control characters as their pictures (U+2400 on, a tab kept),
// broken UTF-8 as U+FFFD, so nothing a message holds vanishes from sight or garbles a file.
std::string ShownText(std::string_view text);

}  // namespace quorix::sms
