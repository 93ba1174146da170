#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorix::emu {

struct P2KFile {
  std::string path;  // 8-bit bytes as the phone got them (code page 1251 on Russian phones)
  uint16_t attributes = 0;
  uint16_t owner = 0;
  std::vector<uint8_t> contents;
};

// The phone's flash file system on volume "/a": files with their bytes.
class P2KFileSystem {
 public:
  // The longest path a file list record holds.
  static constexpr size_t kMaxPath = 259;

  // In the order they came, new files last.
  const std::vector<P2KFile>& Files() const { return files_; }
  const P2KFile* Find(const std::string& path) const;
  // Puts a file of any name and contents, past every check, replacing one of the same path.
  void Put(P2KFile file);
  void RemoveAll();

  bool Delete(const std::string& path);

 private:
  std::vector<P2KFile> files_;
};

}  // namespace quorix::emu
