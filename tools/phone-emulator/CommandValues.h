#pragma once

#include <optional>
#include <string_view>

namespace quorix::emu {

struct IndexRange {
  int first;
  int last;
};

// "=first,last" or "=index"; nullopt for anything else or a last index before the first.
std::optional<IndexRange> ParseIndexRange(std::string_view tail);

// An optional decimal value: empty or digits only.
bool IsEmptyOrDecimal(std::string_view value);

// A decimal value within [low, high].
bool IsDecimalWithin(std::string_view value, int low, int high);

}  // namespace quorix::emu
