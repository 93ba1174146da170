#include "base/Translate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quorix {

namespace {

// The catalog in use: set once at start (and by tests), read by every Tr after.
struct Catalog {
  std::string language;
  std::unordered_map<std::string, std::string> texts;
};

Catalog& Active() {
  static Catalog catalog;
  return catalog;
}

// Larger than any catalog of this program's texts: a bigger file is none of ours.
constexpr std::uintmax_t kLargestCatalog = 16 * 1024 * 1024;

// A compiled gettext catalog (.mo): its magic number in either byte order, then the count of
// texts and the offsets of the tables of source texts and translations, each entry a length and
// an offset. Nothing when the file is missing, too large or not such a catalog.
std::optional<std::unordered_map<std::string, std::string>> ReadCatalog(
    const std::filesystem::path& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kLargestCatalog) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 20) return std::nullopt;
  const auto byte = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(data[at]));
  };
  const bool little = byte(0) == 0xDE && byte(1) == 0x12 && byte(2) == 0x04 && byte(3) == 0x95;
  const bool big = byte(0) == 0x95 && byte(1) == 0x04 && byte(2) == 0x12 && byte(3) == 0xDE;
  if (!little && !big) return std::nullopt;
  const auto word = [&](size_t at) -> std::optional<uint32_t> {
    if (at > data.size() || data.size() - at < 4) return std::nullopt;
    return little ? byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24
                  : byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
  };
  // A text up to its first NUL: a plural's other forms follow it.
  const auto text = [&](size_t table, uint32_t n) -> std::optional<std::string> {
    const auto length = word(table + 8ull * n);
    const auto offset = word(table + 8ull * n + 4);
    if (!length || !offset || *offset > data.size() || data.size() - *offset < *length)
      return std::nullopt;
    const std::string whole = data.substr(*offset, *length);
    return whole.substr(0, whole.find('\0'));
  };
  const auto count = word(8);
  const auto sources = word(12);
  const auto translations = word(16);
  if (!count || !sources || !translations) return std::nullopt;
  std::unordered_map<std::string, std::string> texts;
  for (uint32_t n = 0; n < *count; ++n) {
    const auto source = text(*sources, n);
    const auto translation = text(*translations, n);
    if (!source || !translation) return std::nullopt;
    if (!source->empty() && !translation->empty()) texts.emplace(*source, *translation);
  }
  return texts;
}

const char* Environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

// The languages to look for, in the user's order: the one chosen, else LANGUAGE's list, else the
// locale's (LC_ALL, LC_MESSAGES, LANG). "en_GB.UTF-8" is looked for as "en_GB", then "en".
std::vector<std::string> Wishes(const std::string& chosen) {
  std::string list = chosen;
  if (list.empty()) {
    if (const char* languages = Environment("LANGUAGE")) list = languages;
  }
  if (list.empty()) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      if (const char* locale = Environment(name)) {
        list = locale;
        break;
      }
    }
  }
  std::vector<std::string> wishes;
  size_t from = 0;
  while (from < list.size()) {
    const size_t end = std::min(list.find(':', from), list.size());
    std::string wish = list.substr(from, end - from);
    wish = wish.substr(0, wish.find_first_of(".@"));
    from = end + 1;
    if (wish.empty() || wish == "C" || wish == "POSIX") continue;
    wishes.push_back(wish);
    if (const size_t region = wish.find('_'); region != std::string::npos)
      wishes.push_back(wish.substr(0, region));
  }
  return wishes;
}

}  // namespace

std::string Tr(const char* russian) {
  const auto& texts = Active().texts;
  const auto found = texts.find(russian);
  return found == texts.end() ? std::string(russian) : found->second;
}

void SetUpTranslations(const std::string& localeDir, const std::string& language) {
  Active() = {};
  for (const std::string& wish : Wishes(language)) {
    // The source texts are Russian: a wish for Russian is met there and then, before any
    // catalog of a later choice.
    if (wish.starts_with("ru")) return;
    const auto path = std::filesystem::path(localeDir) / wish / "LC_MESSAGES" / "quorix.mo";
    if (auto texts = ReadCatalog(path)) {
      Active() = {wish, std::move(*texts)};
      return;
    }
  }
}

std::string ProgramLanguage() {
  return Active().language.empty() ? "ru" : Active().language;
}

}  // namespace quorix
