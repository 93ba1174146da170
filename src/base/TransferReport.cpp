#include "base/TransferReport.h"

#include <algorithm>

#include "base/Translate.h"
#include "codec/CodePage.h"

namespace quorix {

void TransferReport::Add(int item, const std::string& who, const std::string& problem) {
  auto found = std::find_if(items_.begin(), items_.end(),
                            [item](const Item& i) { return i.number == item; });
  if (found == items_.end()) {
    items_.push_back({item, who, {}});
    found = items_.end() - 1;
  }
  auto& problems = found->problems;
  if (std::find(problems.begin(), problems.end(), problem) == problems.end()) {
    problems.push_back(problem);
  }
}

std::vector<std::string> TransferReport::Lines() const {
  std::vector<std::string> lines;
  for (const Item& item : items_) {
    std::string line = item.who + ": ";
    for (size_t k = 0; k < item.problems.size(); ++k) {
      line += (k ? "; " : "") + item.problems[k];
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string TransferReport::Text(const std::string& heading, size_t limit) const {
  const std::vector<std::string> lines = Lines();
  std::string text = heading + "\n";
  for (size_t k = 0; k < lines.size() && k < limit; ++k) text += "\n" + lines[k];
  if (lines.size() > limit) {
    text += "\n" + Tr("… и ещё ") + std::to_string(lines.size() - limit);
  }
  return text;
}

}  // namespace quorix
