#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

struct FileFilterItem {
  std::string label;
  std::vector<std::string> patterns;
};

// Reads a "Label|*.ext;*.ext2|Label|*.ext" filter into its pairs; a label without patterns is
// dropped.
std::vector<FileFilterItem> ParseFileFilter(std::string_view filter);

}  // namespace quorix
