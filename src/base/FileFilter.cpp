#include "base/FileFilter.h"

namespace quorix {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::vector<FileFilterItem> ParseFileFilter(std::string_view filter) {
  std::vector<FileFilterItem> items;
  if (filter.empty()) return items;
  const auto parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    FileFilterItem item{parts[i], {}};
    for (auto& pattern : Split(parts[i + 1], ';')) {
      if (!pattern.empty()) item.patterns.push_back(std::move(pattern));
    }
    if (!item.patterns.empty()) items.push_back(std::move(item));
  }
  return items;
}

}  // namespace quorix
