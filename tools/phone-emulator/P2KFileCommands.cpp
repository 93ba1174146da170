#include "phone-emulator/P2KFileCommands.h"

#include <optional>
#include <string>
#include <vector>

#include "phone-emulator/P2KBytes.h"
#include "phone-emulator/P2KTexts.h"

namespace quorix::emu {

namespace {

enum Subcommand : uint32_t {
  kOpen = 0,
  kRead = 1,
  kWrite = 2,
  kSeek = 3,
  kClose = 4,
  kDelete = 5,
  kCount = 7,
  kList = 8,
  kVolumes = 0x0A,
  kFreeSpace = 0x0B,
  kMakeDirectory = 0x0E,
  kRemoveDirectory = 0x0F,
};

// Takes the fields of a request off its front, never past its end.
class Fields {
 public:
  explicit Fields(std::span<const uint8_t> bytes) : rest_(bytes) {}

  std::optional<std::span<const uint8_t>> Take(size_t count) {
    if (count > rest_.size()) return std::nullopt;
    const auto taken = rest_.first(count);
    rest_ = rest_.subspan(count);
    return taken;
  }
  std::optional<uint32_t> Take32() {
    const auto bytes = Take(4);
    if (!bytes) return std::nullopt;
    return static_cast<uint32_t>(BigEndian16(*bytes, 0)) << 16 | BigEndian16(*bytes, 2);
  }
  std::optional<uint8_t> Take8() {
    const auto bytes = Take(1);
    if (!bytes) return std::nullopt;
    return bytes->front();
  }
  std::string RestAsPath() const { return std::string(rest_.begin(), rest_.end()); }
  std::span<const uint8_t> Rest() const { return rest_; }

 private:
  std::span<const uint8_t> rest_;
};

P2KAnswer Refused() {
  return {kClassRefused, {}};
}

P2KAnswer Status(bool done) {
  return {kClassData, {static_cast<uint8_t>(done ? 0 : 1)}};
}

}  // namespace

P2KAnswer P2KFileCommands::Run(std::span<const uint8_t> payload) {
  Fields fields(payload);
  const auto subcommand = fields.Take32();
  if (!subcommand) return Refused();
  switch (*subcommand) {
    case kOpen: {
      const auto attributes = fields.Take32();
      if (!attributes) return Refused();
      // A file list record keeps 16 bits of attributes.
      return Status(files_.Open(fields.RestAsPath(), static_cast<uint16_t>(*attributes)));
    }
    case kRead: {
      const auto size = fields.Take32();
      if (!size || *size > kMaxTransfer) return Refused();
      auto data = files_.Read(*size);
      if (!data) return Refused();
      return {kClassData, std::move(*data)};
    }
    case kWrite: {
      const auto size = fields.Take32();
      const auto data = size ? fields.Take(*size) : std::nullopt;
      if (!data) return Refused();
      return Status(*size <= kMaxTransfer && files_.Write(*data));
    }
    case kSeek: {
      const auto offset = fields.Take32();
      const auto origin = fields.Take8();
      if (!offset || !origin) return Refused();
      // The offset counts back from the position or the end as a negative number.
      return Status(files_.Seek(static_cast<int32_t>(*offset), *origin));
    }
    case kClose:
      return Status(files_.Close());
    case kDelete:
      return Status(files_.Delete(fields.RestAsPath()));
    case kCount:
      return {kClassData, search_.Count(files_, fields.Rest())};
    case kList:
      return {kClassData, search_.NextRecords()};
    case kVolumes:
      return {kClassData, Utf16(P2KFileSystem::kVolume)};
    case kFreeSpace:
      return FreeSpace(fields.Rest());
    case kMakeDirectory:
      return Status(files_.MakeDirectory(fields.RestAsPath()));
    case kRemoveDirectory:
      return Status(files_.RemoveDirectory(fields.RestAsPath()));
    default:
      return Refused();
  }
}

void P2KFileCommands::Reset() {
  files_.Close();
  search_.Forget();
}

// Two bytes, then the volume in UTF-16BE ended by 00 00; the answer is the free bytes as 32 bits.
P2KAnswer P2KFileCommands::FreeSpace(std::span<const uint8_t> fields) const {
  if (fields.size() < 2 ||
      Utf16Texts(fields.subspan(2)) != std::vector<std::string>{P2KFileSystem::kVolume}) {
    return Refused();
  }
  std::vector<uint8_t> free;
  Append32(free, files_.FreeSpace());
  return {kClassData, free};
}

}  // namespace quorix::emu
