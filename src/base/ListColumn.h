#pragma once

#include <string>

namespace quorix {

// A column of a report list as the core defines it: caption (code page 1251) and initial width.
struct ListColumn {
  std::string Caption;
  int Width = 0;
};

}  // namespace quorix
