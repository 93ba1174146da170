#include "phone-emulator/P2KFileSystem.h"

#include <algorithm>

namespace quorix::emu {

const P2KFile* P2KFileSystem::Find(const std::string& path) const {
  const auto it = std::find_if(files_.begin(), files_.end(),
                               [&](const P2KFile& file) { return file.path == path; });
  return it == files_.end() ? nullptr : &*it;
}

void P2KFileSystem::Put(P2KFile file) {
  const auto it = std::find_if(files_.begin(), files_.end(),
                               [&](const P2KFile& f) { return f.path == file.path; });
  if (it != files_.end()) {
    *it = std::move(file);
  } else {
    files_.push_back(std::move(file));
  }
}

void P2KFileSystem::RemoveAll() {
  files_.clear();
}

bool P2KFileSystem::Delete(const std::string& path) {
  return std::erase_if(files_, [&](const P2KFile& file) { return file.path == path; }) > 0;
}

}  // namespace quorix::emu
