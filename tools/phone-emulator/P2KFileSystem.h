#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorix::emu {

struct P2KFile {
  std::string path;  // 8-bit bytes as the phone got them (code page 1251 on Russian phones)
  uint16_t attributes = 0;
  uint16_t owner = 0;
  std::vector<uint8_t> contents;
};

// The phone's flash file system on volume "/a": files with their bytes, folders, a capacity, and
// the one file that may be open at a time.
//
// Opening a file that exists opens it as it is, at its first byte, for reading and writing alike;
// it is never truncated, so whoever replaces a file deletes it first, as phone tools do. Opening a
// path that does not exist creates it empty with the given attributes, when its folder exists.
class P2KFileSystem {
 public:
  static constexpr const char* kVolume = "/a";
  // The longest path a file list record holds.
  static constexpr size_t kMaxPath = 259;

  explicit P2KFileSystem(uint32_t capacity);

  // In the order they came, new files last.
  const std::vector<P2KFile>& Files() const { return files_; }
  const P2KFile* Find(const std::string& path) const;
  // Puts a file of any name and contents, past every check, replacing one of the same path; its
  // folders come with it.
  void Put(P2KFile file);
  void RemoveAll();

  bool Open(const std::string& path, uint16_t attributes);
  bool IsOpen() const { return open_.has_value(); }
  // Up to count bytes from the position on; nothing when no file is open.
  std::optional<std::vector<uint8_t>> Read(size_t count);
  // All of data at the position, or nothing at all when no file is open or it does not fit.
  bool Write(std::span<const uint8_t> data);
  // origin 0: from the start, 1: from the position, 2: from the end; within the file only.
  bool Seek(int64_t offset, uint8_t origin);
  bool Close();
  bool Delete(const std::string& path);

  bool IsDirectory(const std::string& path) const;
  bool MakeDirectory(const std::string& path);
  // Only an empty folder goes, and never the volume itself.
  bool RemoveDirectory(const std::string& path);

  uint32_t Capacity() const { return capacity_; }
  uint32_t FreeSpace() const;

 private:
  P2KFile* OpenFile();
  uint64_t Used() const;
  bool Creatable(const std::string& path) const;
  bool Holds(const std::string& directory) const;
  void AddDirectoriesOf(const std::string& path);

  uint32_t capacity_;
  std::vector<P2KFile> files_;
  std::vector<std::string> directories_;
  std::optional<std::string> open_;
  uint32_t position_ = 0;
};

}  // namespace quorix::emu
