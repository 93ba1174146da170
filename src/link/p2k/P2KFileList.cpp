#include "link/p2k/P2KFileList.h"

#include "codec/CodePage.h"

namespace quorix::p2k {

namespace {

constexpr size_t kNameRoom = 265;
constexpr size_t kAttributeA = 261;
constexpr size_t kAttributeB = 262;

}  // namespace

std::vector<uint8_t> FileSubcommand(uint8_t code) {
  return {0x00, 0x00, 0x00, code};
}

std::vector<uint8_t> FileCountPayload() {
  std::vector<uint8_t> payload = FileSubcommand(0x07);
  const char* patterns[] = {"*.mid", "*.mp3", "*.bas", "*.imy", "*.amr", "*.jpg"};
  bool first = true;
  for (const char* pattern : patterns) {
    if (!first) payload.insert(payload.end(), {0xFF, 0xFE});
    first = false;
    for (const char* c = pattern; *c; ++c) payload.insert(payload.end(), {0x00, uint8_t(*c)});
  }
  payload.insert(payload.end(), {0x00, 0x00});
  return payload;
}

std::vector<uint8_t> FileListPayload() {
  return FileSubcommand(0x08);
}

std::vector<uint8_t> DeleteFilePayload(const std::string& path) {
  std::vector<uint8_t> payload = FileSubcommand(0x05);
  payload.insert(payload.end(), path.begin(), path.end());
  return payload;
}

int FileCountFromReply(std::span<const uint8_t> data) {
  if (data.size() < 2) return 0;
  return data[0] << 8 | data[1];
}

std::vector<PhoneFile> FileRecordsFromReply(std::span<const uint8_t> data) {
  std::vector<PhoneFile> files;
  for (size_t at = 4; at + kAttributeB < data.size(); at += kFileRecordSize) {
    const std::span<const uint8_t> record = data.subspan(at);
    // The phones of this generation name their files in 8-bit characters, code page 1251 on the
    // Russian ones.
    std::string name;
    for (size_t i = 0; i < kNameRoom && i < record.size() && record[i] != 0; ++i) {
      name.push_back(static_cast<char>(record[i]));
    }
    files.push_back({Cp1251ToUtf8(name), record[kAttributeA] + record[kAttributeB]});
  }
  return files;
}

}  // namespace quorix::p2k
