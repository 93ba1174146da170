#include "codec/Collation.h"

#include <algorithm>
#include <utility>

namespace quorix {

const std::string& CollationOrder() {
  static const std::string order =
      "0123456789aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVwWxXyYzZ#\"&;_,?.!@-:()~";
  return order;
}

int CollationRank(char c) {
  const auto pos = CollationOrder().find(c);
  return pos == std::string::npos ? 0 : static_cast<int>(pos) + 1;
}

int CompareByCollation(std::string_view a, std::string_view b) {
  const size_t n = std::max(a.size(), b.size());
  for (size_t k = 0; k < n; ++k) {
    const int ra = k < a.size() ? CollationRank(a[k]) : 0;
    const int rb = k < b.size() ? CollationRank(b[k]) : 0;
    if (ra > rb) return 2;
    if (ra < rb) return 1;
  }
  return 0;
}

void SortByCollation(std::vector<FileRecord>& records, int n) {
  n = std::min(n, static_cast<int>(records.size()) - 1);
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int i = 1; i <= n; ++i) {
      for (int j = i; j <= n; ++j) {
        if (CompareByCollation(records[i].FileName, records[j].FileName) == 2) {
          std::swap(records[i], records[j]);
          exchanged = true;
        }
      }
    }
  }
}

}  // namespace quorix
