#include "phone-emulator/CommandValues.h"

#include "phone-emulator/PhoneText.h"

namespace quorix::emu {

std::optional<IndexRange> ParseIndexRange(std::string_view tail) {
  if (tail.size() < 2 || tail[0] != '=') return std::nullopt;
  const auto values = SplitValues(tail.substr(1));
  if (values.size() > 2) return std::nullopt;
  const auto first = ParseDecimal(values[0]);
  const auto last = values.size() == 2 ? ParseDecimal(values[1]) : first;
  if (!first || !last || *last < *first) return std::nullopt;
  return IndexRange{*first, *last};
}

bool IsEmptyOrDecimal(std::string_view value) {
  return value.empty() || IsDecimal(value);
}

bool IsDecimalWithin(std::string_view value, int low, int high) {
  const auto number = ParseDecimal(value);
  return number && *number >= low && *number <= high;
}

}  // namespace quorix::emu
