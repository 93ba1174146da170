#pragma once

#include <string>

#include "base/Conversion.h"

namespace quorix {

// A quoted table text (number, birthday) without its first and last character.
std::string WithoutEnds(const std::string& text);

}  // namespace quorix
