#include "link/p2k/P2KFileCommands.h"

#include <algorithm>

#include "codec/CodePage.h"
#include "codec/Utf8.h"
#include "link/p2k/P2KFileList.h"

namespace quorix::p2k {

namespace {

constexpr uint16_t kSeparator = 0xFFFE;
std::vector<uint8_t> Subcommand(uint8_t code) {
  return {0x00, 0x00, 0x00, code};
}

void Append32(std::vector<uint8_t>& out, uint32_t value) {
  for (const int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(value >> shift));
}

void Append16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

uint16_t Read16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

uint32_t Read32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(Read16(bytes, at)) << 16 | Read16(bytes, at + 2);
}

// False when the text holds a character that would stand for the end or a separator.
bool AppendUtf16(std::vector<uint8_t>& out, std::string_view utf8) {
  while (!utf8.empty()) {
    const Utf8Char c = NextUtf8Char(utf8);
    utf8.remove_prefix(c.length);
    if (c.code == 0 || c.code == kSeparator) return false;
    if (c.code < 0x10000) {
      Append16(out, static_cast<uint16_t>(c.code));
    } else {
      Append16(out, static_cast<uint16_t>(0xD800 + ((c.code - 0x10000) >> 10)));
      Append16(out, static_cast<uint16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF)));
    }
  }
  return true;
}

std::vector<uint8_t> PathPayload(uint8_t code, std::string_view phonePath) {
  std::vector<uint8_t> payload = Subcommand(code);
  payload.insert(payload.end(), phonePath.begin(), phonePath.end());
  return payload;
}

}  // namespace

std::vector<uint8_t> OpenFilePayload(std::string_view phonePath, uint32_t attribute) {
  std::vector<uint8_t> payload = Subcommand(0x00);
  Append32(payload, attribute);
  payload.insert(payload.end(), phonePath.begin(), phonePath.end());
  return payload;
}

std::optional<std::vector<uint8_t>> ReadFilePayload(size_t size) {
  if (size > kMaxTransfer) return std::nullopt;
  std::vector<uint8_t> payload = Subcommand(0x01);
  Append32(payload, static_cast<uint32_t>(size));
  return payload;
}

std::optional<std::vector<uint8_t>> WriteFilePayload(std::span<const uint8_t> data) {
  if (data.size() > kMaxTransfer) return std::nullopt;
  std::vector<uint8_t> payload = Subcommand(0x02);
  Append32(payload, static_cast<uint32_t>(data.size()));
  payload.insert(payload.end(), data.begin(), data.end());
  return payload;
}

std::vector<uint8_t> SeekFilePayload(uint32_t offset, uint8_t origin) {
  std::vector<uint8_t> payload = Subcommand(0x03);
  Append32(payload, offset);
  payload.push_back(origin);
  return payload;
}

std::vector<uint8_t> CloseFilePayload() {
  return Subcommand(0x04);
}

// The end mark 00 00 is the one the count payload and the free space payload end their UTF-16
// texts with.
std::optional<std::vector<uint8_t>> SearchFilesPayload(std::string_view directory,
                                                       std::string_view mask) {
  std::vector<uint8_t> payload = Subcommand(0x07);
  if (!AppendUtf16(payload, directory)) return std::nullopt;
  Append16(payload, kSeparator);
  if (!AppendUtf16(payload, mask)) return std::nullopt;
  Append16(payload, 0x0000);
  return payload;
}

std::vector<uint8_t> VolumesPayload() {
  return Subcommand(0x0A);
}

std::optional<std::vector<uint8_t>> FreeSpacePayload(std::string_view volume) {
  std::vector<uint8_t> payload = Subcommand(0x0B);
  Append16(payload, 0x0000);
  if (!AppendUtf16(payload, volume)) return std::nullopt;
  Append16(payload, 0x0000);
  return payload;
}

// Only the subcommand codes of these two are known; they are given the path as delete and open
// take it, 8-bit and unterminated.
std::vector<uint8_t> MakeDirectoryPayload(std::string_view phonePath) {
  return PathPayload(0x0E, phonePath);
}

std::vector<uint8_t> RemoveDirectoryPayload(std::string_view phonePath) {
  return PathPayload(0x0F, phonePath);
}

std::optional<std::vector<uint8_t>> ReadDataFromReply(std::span<const uint8_t> data, size_t asked) {
  if (asked > kMaxTransfer || data.size() < asked) return std::nullopt;
  return std::vector<uint8_t>(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(asked));
}

std::optional<std::vector<std::string>> VolumesFromReply(std::span<const uint8_t> data) {
  std::vector<std::string> volumes(1);
  size_t at = 0;
  for (; at + 1 < data.size(); at += 2) {
    const uint16_t unit = Read16(data, at);
    if (unit == 0x0000) break;
    if (unit == kSeparator) {
      volumes.emplace_back();
      continue;
    }
    char32_t code = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < data.size()) {
      const uint16_t low = Read16(data, at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + (char32_t{unit} - 0xD800) * 0x400 + (low - 0xDC00);
        at += 2;
      }
    }
    AppendUtf8(volumes.back(), code);
  }
  if (at + 1 == data.size()) return std::nullopt;
  std::erase_if(volumes, [](const std::string& name) { return name.empty(); });
  return volumes;
}

std::optional<uint32_t> FreeSpaceFromReply(std::span<const uint8_t> data) {
  if (data.size() < 4) return std::nullopt;
  return Read32(data, 0);
}

std::optional<std::vector<ListedFile>> ListedFilesFromReply(std::span<const uint8_t> data) {
  if (data.size() < 4) return std::nullopt;
  const size_t count = Read16(data, 0);
  if ((data.size() - 4) / kFileRecordSize < count) return std::nullopt;
  std::vector<ListedFile> files;
  for (size_t i = 0; i < count; ++i) {
    const std::span<const uint8_t> record = data.subspan(4 + i * kFileRecordSize, kFileRecordSize);
    const auto path = record.first(kRecordPathRoom);
    const auto end = std::find(path.begin(), path.end(), uint8_t{0});
    ListedFile file;
    file.phonePath.assign(path.begin(), end);
    file.name = Cp1251ToUtf8(file.phonePath);
    file.attributes = Read16(record, 260);
    file.owner = Read16(record, 262);
    file.size = Read32(record, 264);
    files.push_back(std::move(file));
  }
  return files;
}

}  // namespace quorix::p2k
