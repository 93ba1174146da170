#include "base/BackupLine.h"

#include <optional>

namespace quorix {

namespace {

// The quoted field at the front of text and how many bytes it takes, when text starts with one
// that only this program can have written.
std::optional<std::string> QuotedField(std::string_view text, char extraSeparator, size_t& length) {
  if (text.empty() || text[0] != '"') return std::nullopt;
  std::string value;
  bool escaped = false;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '"') {
      value += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '"') {
      value += '"';
      escaped = true;
      ++i;
      continue;
    }
    const bool ends = i + 1 == text.size() || text[i + 1] == ';' ||
                      (extraSeparator != 0 && text[i + 1] == extraSeparator);
    if (!ends || (!escaped && value.find(';') == std::string::npos)) return std::nullopt;
    length = i + 1;
    return value;
  }
  return std::nullopt;
}

}  // namespace

std::string BackupTextField(const std::string& text) {
  if (text.find(';') == std::string::npos && (text.empty() || text[0] != '"')) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::vector<std::string> SplitBackupLine(std::string_view line, size_t maxFields,
                                         const std::function<bool(size_t)>& quotable,
                                         char extraSeparator) {
  const auto separates = [extraSeparator](char c) {
    return c == ';' || (extraSeparator != 0 && c == extraSeparator);
  };
  std::vector<std::string> fields;
  size_t p = 0;
  while (fields.size() < maxFields) {
    std::string& field = fields.emplace_back();
    size_t length = 0;
    if (quotable(fields.size() - 1)) {
      if (auto quoted = QuotedField(line.substr(p), extraSeparator, length)) {
        field = std::move(*quoted);
        p += length;
      }
    }
    for (; p < line.size() && !separates(line[p]); ++p) field += line[p];
    if (p >= line.size()) break;
    ++p;  // the separator
  }
  return fields;
}

}  // namespace quorix
