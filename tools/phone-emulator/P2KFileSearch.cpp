#include "phone-emulator/P2KFileSearch.h"

#include <fnmatch.h>

#include <algorithm>

#include "phone-emulator/P2KBytes.h"
#include "phone-emulator/P2KTexts.h"

namespace quorix::emu {

namespace {

constexpr size_t kRecordSize = 268;
constexpr size_t kRecordsPerReply = 3;

bool Matches(std::span<const std::string> masks, const std::string& text) {
  return std::any_of(masks.begin(), masks.end(), [&](const std::string& mask) {
    return fnmatch(mask.c_str(), text.c_str(), FNM_CASEFOLD) == 0;
  });
}

bool IsFolder(const P2KFileSystem& files, const std::string& text) {
  return text.starts_with('/') && (text.ends_with('/') || files.IsDirectory(text));
}

std::string WithSlash(std::string folder) {
  while (folder.ends_with('/')) folder.pop_back();
  return folder + '/';
}

}  // namespace

std::vector<uint8_t> P2KFileSearch::Count(const P2KFileSystem& files,
                                          std::span<const uint8_t> texts) {
  const std::vector<std::string> searched = Utf16Texts(texts);
  Forget();
  const bool inFolder = !searched.empty() && IsFolder(files, searched.front());
  const std::string folder = inFolder ? WithSlash(searched.front()) : std::string();
  const auto masks = std::span(searched).subspan(inFolder ? 1 : 0);
  // How a real phone answers masks without a folder (the program's count of melodies and
  // pictures sends them so) is not documented: each mask takes whole paths.
  const auto found = [&](const std::string& path) {
    if (!inFolder) return Matches(masks, path);
    return path.starts_with(folder) && Matches(masks, path.substr(path.rfind('/') + 1));
  };
  for (const P2KFile& file : files.Files()) {
    if (!found(file.path)) continue;
    listing_.push_back(
        {file.path, file.attributes, file.owner, static_cast<uint32_t>(file.contents.size())});
  }
  std::vector<uint8_t> count;
  Append16(count, static_cast<uint16_t>(listing_.size()));
  return count;
}

std::vector<uint8_t> P2KFileSearch::NextRecords() {
  const size_t count = std::min(kRecordsPerReply, listing_.size() - listed_);
  // Two bytes nobody reads after the count.
  std::vector<uint8_t> data;
  Append16(data, static_cast<uint16_t>(count));
  data.insert(data.end(), {0, 0});
  for (size_t i = 0; i < count; ++i) {
    const Listed& file = listing_[listed_++];
    const size_t start = data.size();
    const size_t pathBytes = std::min(file.path.size(), P2KFileSystem::kMaxPath);
    data.insert(data.end(), file.path.begin(), file.path.begin() + pathBytes);
    data.resize(start + P2KFileSystem::kMaxPath + 1, 0);
    Append16(data, file.attributes);
    Append16(data, file.owner);
    Append32(data, file.size);
    static_assert(P2KFileSystem::kMaxPath + 1 + 8 == kRecordSize);
  }
  return data;
}

void P2KFileSearch::Forget() {
  listing_.clear();
  listed_ = 0;
}

}  // namespace quorix::emu
