#include "phone-emulator/P2KFileSystem.h"

#include <algorithm>

namespace quorix::emu {

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool Under(const std::string& path, const std::string& directory) {
  return path.size() > directory.size() + 1 && path.starts_with(directory) &&
         path[directory.size()] == '/';
}

}  // namespace

P2KFileSystem::P2KFileSystem(uint32_t capacity) : capacity_(capacity), directories_{kVolume} {}

const P2KFile* P2KFileSystem::Find(const std::string& path) const {
  const auto it = std::find_if(files_.begin(), files_.end(),
                               [&](const P2KFile& file) { return file.path == path; });
  return it == files_.end() ? nullptr : &*it;
}

void P2KFileSystem::Put(P2KFile file) {
  AddDirectoriesOf(file.path);
  if (open_ == file.path) position_ = std::min<size_t>(position_, file.contents.size());
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
  directories_ = {kVolume};
  open_.reset();
}

bool P2KFileSystem::Open(const std::string& path, uint16_t attributes) {
  if (open_) return false;
  if (!Find(path)) {
    if (!Creatable(path)) return false;
    files_.push_back({path, attributes, 0, {}});
  }
  open_ = path;
  position_ = 0;
  return true;
}

std::optional<std::vector<uint8_t>> P2KFileSystem::Read(size_t count) {
  const P2KFile* file = OpenFile();
  if (!file) return std::nullopt;
  const size_t at = std::min<size_t>(position_, file->contents.size());
  const size_t taken = std::min(count, file->contents.size() - at);
  position_ = static_cast<uint32_t>(at + taken);
  const auto from = file->contents.begin() + static_cast<ptrdiff_t>(at);
  return std::vector<uint8_t>(from, from + static_cast<ptrdiff_t>(taken));
}

bool P2KFileSystem::Write(std::span<const uint8_t> data) {
  P2KFile* file = OpenFile();
  if (!file) return false;
  const uint64_t end = uint64_t{position_} + data.size();
  const uint64_t growth = end > file->contents.size() ? end - file->contents.size() : 0;
  if (Used() + growth > capacity_) return false;
  if (growth > 0) file->contents.resize(end);
  std::copy(data.begin(), data.end(), file->contents.begin() + position_);
  position_ = static_cast<uint32_t>(end);
  return true;
}

bool P2KFileSystem::Seek(int64_t offset, uint8_t origin) {
  const P2KFile* file = OpenFile();
  if (!file || origin > 2) return false;
  const auto size = static_cast<int64_t>(file->contents.size());
  const int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : size;
  const int64_t target = base + offset;
  if (target < 0 || target > size) return false;
  position_ = static_cast<uint32_t>(target);
  return true;
}

bool P2KFileSystem::Close() {
  if (!open_) return false;
  open_.reset();
  return true;
}

bool P2KFileSystem::Delete(const std::string& path) {
  if (open_ == path) return false;
  return std::erase_if(files_, [&](const P2KFile& file) { return file.path == path; }) > 0;
}

bool P2KFileSystem::IsDirectory(const std::string& path) const {
  return std::find(directories_.begin(), directories_.end(), WithoutTrailingSlash(path)) !=
         directories_.end();
}

bool P2KFileSystem::MakeDirectory(const std::string& path) {
  const std::string directory = WithoutTrailingSlash(path);
  if (Find(directory) || !Creatable(directory)) return false;
  directories_.push_back(directory);
  return true;
}

bool P2KFileSystem::RemoveDirectory(const std::string& path) {
  const std::string directory = WithoutTrailingSlash(path);
  if (directory == kVolume || !IsDirectory(directory) || Holds(directory)) return false;
  std::erase(directories_, directory);
  return true;
}

uint32_t P2KFileSystem::FreeSpace() const {
  const uint64_t used = Used();
  return used >= capacity_ ? 0 : static_cast<uint32_t>(capacity_ - used);
}

P2KFile* P2KFileSystem::OpenFile() {
  if (!open_) return nullptr;
  const auto it = std::find_if(files_.begin(), files_.end(),
                               [&](const P2KFile& file) { return file.path == *open_; });
  return it == files_.end() ? nullptr : &*it;
}

uint64_t P2KFileSystem::Used() const {
  uint64_t used = 0;
  for (const P2KFile& file : files_) used += file.contents.size();
  return used;
}

// A new name on the volume, in a folder that exists, that a file list record can hold.
bool P2KFileSystem::Creatable(const std::string& path) const {
  const std::string volume = std::string(kVolume) + "/";
  if (!path.starts_with(volume) || path.size() > kMaxPath || path.back() == '/' ||
      path.find('\0') != std::string::npos || IsDirectory(path)) {
    return false;
  }
  return IsDirectory(path.substr(0, path.rfind('/')));
}

bool P2KFileSystem::Holds(const std::string& directory) const {
  return std::any_of(files_.begin(), files_.end(),
                     [&](const P2KFile& file) { return Under(file.path, directory); }) ||
         std::any_of(directories_.begin(), directories_.end(),
                     [&](const std::string& other) { return Under(other, directory); });
}

void P2KFileSystem::AddDirectoriesOf(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string directory = path.substr(0, slash);
    if (!IsDirectory(directory)) directories_.push_back(directory);
  }
}

}  // namespace quorix::emu
