#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::sms {

// A field of the message backup: any bytes, written so that the line holds no separator, no line
// break and nothing that is not UTF-8. "\\" and "\;" stand for themselves, "\n", "\r" and "\t"
// for their controls, "\xHH" for any other control byte and for every byte of a broken UTF-8
// sequence. The phonebook's quoting cannot carry a line break, hence an escape of its own.
std::string EscapeBackupField(std::string_view bytes);

// The bytes back; nothing for a "\" that ends the field or starts no known escape. Anything
// unescaped reads as it stands.
std::optional<std::string> UnescapeBackupField(std::string_view field);

// The line's fields, split at each ";" that no "\" escapes; each still escaped.
std::vector<std::string_view> SplitBackupFields(std::string_view line);

}  // namespace quorix::sms
