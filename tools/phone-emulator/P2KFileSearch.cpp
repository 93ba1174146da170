#include "phone-emulator/P2KFileSearch.h"

#include <fnmatch.h>

#include <algorithm>

#include "phone-emulator/P2KBytes.h"
#include "phone-emulator/P2KTexts.h"

namespace quorix::emu {

namespace {

constexpr size_t kRecordSize = 268;
constexpr size_t kRecordsPerReply = 3;

bool Matches(const std::vector<std::string>& masks, const std::string& path) {
  return std::any_of(masks.begin(), masks.end(), [&](const std::string& mask) {
    return fnmatch(mask.c_str(), path.c_str(), FNM_CASEFOLD) == 0;
  });
}

}  // namespace

std::vector<uint8_t> P2KFileSearch::Count(const std::vector<P2KFile>& files,
                                          std::span<const uint8_t> masks) {
  const std::vector<std::string> texts = Utf16Texts(masks);
  Forget();
  for (const P2KFile& file : files) {
    if (!Matches(texts, file.path)) continue;
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
