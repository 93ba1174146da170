#pragma once

#include <optional>
#include <string>

namespace quorix {

// The number a table text holds, or nothing when it holds none.
std::optional<int> NumberIn(const std::string& text);

// A quoted table text (number, birthday) without its first and last character.
std::string WithoutEnds(const std::string& text);

}  // namespace quorix
