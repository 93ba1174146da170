#include "link/PublishedPortsFolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace quorix {

namespace {

constexpr const char* kP2KFolder = "p2k";

std::string NotUsed(const std::string& path, const std::string& why) {
  return "Папка опубликованных портов не используется: " + path + " " + why;
}

FolderFault FaultOf(const struct stat& st) {
  if (S_ISLNK(st.st_mode)) return FolderFault::Link;
  if (!S_ISDIR(st.st_mode)) return FolderFault::NotDirectory;
  if (st.st_uid != geteuid()) return FolderFault::OtherOwner;
  if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0) return FolderFault::OpenToOthers;
  return FolderFault::None;
}

std::string FolderProblem(const std::string& dir, FolderFault fault) {
  switch (fault) {
    case FolderFault::Link:
      return NotUsed(dir, "— символическая ссылка");
    case FolderFault::NotDirectory:
      return NotUsed(dir, "— не папка");
    case FolderFault::OtherOwner:
      return NotUsed(dir, "принадлежит другому пользователю");
    case FolderFault::OpenToOthers:
      return NotUsed(dir, "открыта для группы или других пользователей");
    case FolderFault::Missing:
    case FolderFault::None:
      break;
  }
  return {};
}

// Every entry of dir is the user's; the p2k folder is looked into as well.
std::string ForeignEntry(const std::string& dir, bool nested) {
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(dir.c_str()), closedir);
  if (!listing) return {};
  while (const dirent* entry = readdir(listing.get())) {
    if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
    const std::string path = dir + "/" + entry->d_name;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) continue;
    if (st.st_uid != geteuid()) return NotUsed(path, "принадлежит другому пользователю");
    if (!nested && std::strcmp(entry->d_name, kP2KFolder) == 0 && S_ISDIR(st.st_mode)) {
      if (std::string inner = ForeignEntry(path, true); !inner.empty()) return inner;
    }
  }
  return {};
}

}  // namespace

std::string DefaultPublishedPortsDir() {
  if (const char* dir = std::getenv("QUORIX_PUBLISHED_PORTS"); dir && *dir) return dir;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    return std::string(runtime) + "/quorix-published-ports";
  }
  return "/tmp/quorix-published-ports-" + std::to_string(getuid());
}

FolderFault PrivateFolderFault(const std::string& dir) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) return FolderFault::Missing;
  return FaultOf(st);
}

PublishedPortsTrust CheckPublishedPorts(const std::string& dir) {
  struct stat st {};
  if (dir.empty() || lstat(dir.c_str(), &st) != 0) return {};
  std::string problem = FolderProblem(dir, FaultOf(st));
  if (problem.empty()) problem = ForeignEntry(dir, false);
  return {problem.empty(), problem};
}

}  // namespace quorix
