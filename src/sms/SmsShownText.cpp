#include "sms/SmsShownText.h"

#include "codec/Utf8.h"

namespace quorix::sms {

std::string ShownText(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    const Utf8Char c = NextUtf8Char(text);
    text.remove_prefix(c.length);
    if (c.code == '\t') {
      out += '\t';
    } else if (c.code < 0x20) {
      AppendUtf8(out, 0x2400 + c.code);
    } else if (c.code == 0x7F) {
      AppendUtf8(out, 0x2421);
    } else {
      AppendUtf8(out, c.code);
    }
  }
  return out;
}

}  // namespace quorix::sms
