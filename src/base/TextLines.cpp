#include "base/TextLines.h"

namespace quorix {

LineTooLongError::LineTooLongError(size_t line, size_t maxLength)
    : std::runtime_error("longer than " + std::to_string(maxLength) + " characters"), Line(line) {}

std::vector<std::string> ReadTextLines(std::istream& in, size_t maxLength) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a line has begun and not yet ended
  char buffer[8192];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got; ++i) {
      const char c = buffer[i];
      if (c == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        line.clear();
        open = false;
        continue;
      }
      // The CR of a CR LF may stand one past the limit.
      if (line.size() > maxLength) throw LineTooLongError(lines.size() + 1, maxLength);
      line.push_back(c);
      open = true;
    }
  }
  if (open) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > maxLength) throw LineTooLongError(lines.size() + 1, maxLength);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quorix
