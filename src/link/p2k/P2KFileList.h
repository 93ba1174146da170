#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorix::p2k {

// The phone's file system command and the restart command.
constexpr uint16_t kFileCommand = 0x4A;
constexpr uint16_t kRestartCommand = 0x22;
constexpr size_t kFileRecordSize = 268;
// A file list reply holds up to this many records.
constexpr int kRecordsPerReply = 3;

// The 4-byte subcommand every file system payload begins with.
std::vector<uint8_t> FileSubcommand(uint8_t code);

// Subcommand 7 with the patterns the program lists: "*.mid", "*.mp3", "*.bas", "*.imy", "*.amr",
// "*.jpg" in UTF-16 big endian, separated by FF FE and ended by 00 00 (76 bytes).
std::vector<uint8_t> FileCountPayload();
// Subcommand 8: the next records of the listing the count started.
std::vector<uint8_t> FileListPayload();

// The ringtone database: deleted, the phone builds it anew from the melodies it finds when it
// starts, so that melodies put on the phone show up.
constexpr const char* kToneDatabasePath = "/a/mobile/audio/MyToneDB.db";
// Subcommand 5 with the path, no terminator.
std::vector<uint8_t> DeleteFilePayload(const std::string& path);

// The number of matching files: bytes 0-1 of the count reply, big endian (0 for a shorter reply).
int FileCountFromReply(std::span<const uint8_t> data);

struct PhoneFile {
  std::string name;    // UTF-8, from the phone's code page 1251 bytes
  int attributes = 0;  // the sum of the record's bytes 261 and 262
};

// The records of a file list reply: from byte 4 on, 268 bytes each, the name ended by a zero byte
// within its first 265 bytes (or cut there). A record cut short by the end of the data is not
// read.
std::vector<PhoneFile> FileRecordsFromReply(std::span<const uint8_t> data);

}  // namespace quorix::p2k
