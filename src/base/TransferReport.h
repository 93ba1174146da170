#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace quorix {

// What an export or an import could not carry, gathered per contact or event so that it is told
// once, one line an item. Texts are code page 1251.
class TransferReport {
 public:
  // A problem of item (the caller's number for it, a card or an event), named who; the problems of
  // one item share its line, each told once.
  void Add(int item, const std::string& who, const std::string& problem);

  bool Empty() const { return items_.empty(); }
  size_t Size() const { return items_.size(); }
  // "who: problem; problem", in the order the items first had a problem.
  std::vector<std::string> Lines() const;
  // The heading, a blank line and at most limit lines, then how many more there are.
  std::string Text(const std::string& heading, size_t limit) const;

 private:
  struct Item {
    int number;
    std::string who;
    std::vector<std::string> problems;
  };
  std::vector<Item> items_;
};

}  // namespace quorix
