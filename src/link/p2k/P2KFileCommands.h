#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The payloads of the file system command (kFileCommand) and the readers of its replies. Paths
// the phone takes in 8-bit characters are its own bytes here (code page 1251 on Russian phones):
// a listed file's phonePath, or the bytes CheckUploadPath gives. The delete payload is
// DeleteFilePayload in P2KFileList.h, the count and list-next payloads stand there too.
namespace quorix::p2k {

// The most one read or write moves.
constexpr size_t kMaxTransfer = 0x400;
// A list record holds the path in this many bytes, its terminating NUL among them.
constexpr size_t kRecordPathRoom = 260;

// Subcommand 0: 00 00 00 00, the attribute (4 bytes, big endian), the path (no terminator).
std::vector<uint8_t> OpenFilePayload(std::string_view phonePath, uint32_t attribute);
// Subcommand 1: the size (4 bytes, big endian). Nothing above kMaxTransfer.
std::optional<std::vector<uint8_t>> ReadFilePayload(size_t size);
// Subcommand 2: the size (4 bytes, big endian), then the data. Nothing above kMaxTransfer.
std::optional<std::vector<uint8_t>> WriteFilePayload(std::span<const uint8_t> data);
// Subcommand 3: the offset (4 bytes, big endian), the origin (1 byte).
std::vector<uint8_t> SeekFilePayload(uint32_t offset, uint8_t origin);
// Subcommand 4.
std::vector<uint8_t> CloseFilePayload();
// Subcommand 7: the directory and the mask in UTF-16 big endian, separated by FF FE and ended by
// 00 00 ("/a/", "*"); the search goes into subfolders. Nothing when a text holds U+0000 or
// U+FFFE, which the phone would read as the end or a separator.
std::optional<std::vector<uint8_t>> SearchFilesPayload(std::string_view directory,
                                                       std::string_view mask);
// Subcommand 0x0A: the subcommand alone.
std::vector<uint8_t> VolumesPayload();
// Subcommand 0x0B: 00 00, the volume ("/a") in UTF-16 big endian, 00 00. Nothing when the volume
// holds U+0000 or U+FFFE.
std::optional<std::vector<uint8_t>> FreeSpacePayload(std::string_view volume);
// Subcommands 0x0E and 0x0F: the path, no terminator, as delete takes it.
std::vector<uint8_t> MakeDirectoryPayload(std::string_view phonePath);
std::vector<uint8_t> RemoveDirectoryPayload(std::string_view phonePath);

// The data of a read reply: its first `asked` bytes. Nothing when the reply holds fewer (the
// program asks no more than is left of the file) or more than kMaxTransfer was asked.
std::optional<std::vector<uint8_t>> ReadDataFromReply(std::span<const uint8_t> data, size_t asked);
// The volume names: UTF-16 big endian texts separated by FF FE, up to a 00 00 or the end; empty
// names are left out. Nothing when the texts end in half a code unit.
std::optional<std::vector<std::string>> VolumesFromReply(std::span<const uint8_t> data);
// Free bytes: the first 4 bytes, big endian. Nothing for a shorter reply.
std::optional<uint32_t> FreeSpaceFromReply(std::span<const uint8_t> data);

struct ListedFile {
  std::string phonePath;    // the phone's bytes, for the commands that take a path
  std::string name;         // the same path in UTF-8
  uint16_t attributes = 0;  // bytes 260-261, big endian
  uint16_t owner = 0;       // bytes 262-263, big endian
  uint32_t size = 0;        // bytes 264-267, big endian
};

// The records of a list reply: a 4-byte header whose bytes 0-1 (big endian) count the records,
// then that many records of kFileRecordSize bytes, the path ended by a NUL within its room (or
// filling it). Nothing when the header is missing or the records it counts do not fit the reply.
std::optional<std::vector<ListedFile>> ListedFilesFromReply(std::span<const uint8_t> data);

// What SafeLocalPath changed, each kind once, in the order first met.
enum class LocalPathChange {
  DotStep,             // a "." or ".." step was dropped
  Backslash,           // mapped to "_", so that no Windows path step begins inside a name
  ControlCharacter,    // U+0000-U+001F, U+007F-U+009F mapped to "_"
  ReservedCharacter,   // < > : " | ? * mapped to "_", as Windows refuses them
  BrokenCharacter,     // bytes that are no UTF-8 mapped to "_"
  ReservedName,        // a Windows device name (CON, NUL, COM1, ...) given a leading "_"
  TrailingDotOrSpace,  // mapped to "_", as Windows drops them
  Shortened,           // a step cut to 255 bytes, its extension kept
  Empty,               // nothing was left: the path is "_"
};

struct LocalPath {
  std::string path;  // relative, steps separated by "/", never empty
  std::vector<LocalPathChange> changes;
};

// A phone path (UTF-8) as a path below a download or backup folder that cannot leave it and that
// Linux and Windows file systems take. The leading "/" every phone path has is dropped without
// being counted as a change.
LocalPath SafeLocalPath(std::string_view phonePath);

enum class UploadPathFault {
  None,
  NotOnVolumeA,      // not "/a/" and a name after it
  EmptyOrDotStep,    // "", "." or ".." between slashes
  ControlCharacter,  // would end or garble the phone's NUL-terminated name
  NotCp1251,
  TooLong,  // more than kRecordPathRoom - 1 bytes in code page 1251
};

struct UploadPath {
  std::string phonePath;  // code page 1251; empty when refused
  UploadPathFault fault = UploadPathFault::None;
};

// Whether a UTF-8 path can name a file or folder on the phone, and its bytes if so.
UploadPath CheckUploadPath(std::string_view path);

}  // namespace quorix::p2k
