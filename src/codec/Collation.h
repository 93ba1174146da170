#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// A file as the phone lists it: a name (at most 254 characters) and the attribute word that
// travels with it.
struct FileRecord {
  std::string FileName;
  int FileAttributes = 0;
};

// The order the phone gives its file names: digits, then each letter in lower case before upper
// case, then a few punctuation marks. Everything else ranks 0 and sorts first.
const std::string& CollationOrder();

// 1-based position in CollationOrder, 0 for any other character.
int CollationRank(char c);

// 0 when a and b collate equal, 1 when a comes first, 2 when b comes first.
int CompareByCollation(std::string_view a, std::string_view b);

// Sorts records[1..n] (index 0 unused, as the phone numbers its slots) ascending by name.
void SortByCollation(std::vector<FileRecord>& records, int n);

}  // namespace quorix
