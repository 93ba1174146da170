#include "base/ConsoleLog.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "codec/FileText.h"

namespace quorix {

std::vector<std::string> LogLinesOf(std::string_view text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      lines.back() += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (i + 1 < text.size()) lines.emplace_back();
  }
  return lines;
}

void SaveLogFile(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::string failure = "Cannot create file \"" + path + "\". ";
  if (!file) throw std::runtime_error(failure + std::strerror(errno));
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  file << EncodeFileText(text).bytes;
  file.flush();
  if (!file) throw std::runtime_error(failure + "Write failed");
}

}  // namespace quorix
