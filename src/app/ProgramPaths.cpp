#include "app/ProgramPaths.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "codec/CodePage.h"

namespace quorix {
namespace {

std::string IconIn(const std::string& directory, const std::string& name) {
  return directory + "/logo/" + Cp1251ToUtf8(name) + ".bmp";
}

bool IsReadableFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::string ProgramDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return exe.parent_path().string();
}

std::string SettingsFilePath() {
  return ProgramDirectory() + "/velkor.ini";
}

std::string NumberTypeIconPath(const std::string& name) {
  std::error_code ec;
  const std::string cwd = std::filesystem::current_path(ec).string();
  return NumberTypeIconPath(name, cwd, ProgramDirectory());
}

std::string NumberTypeIconPath(const std::string& name, const std::string& currentDirectory,
                               const std::string& programDirectory) {
  const std::string local = IconIn(currentDirectory, name);
  if (IsReadableFile(local)) return local;
  const std::string installed = IconIn(programDirectory, name);
  if (IsReadableFile(installed)) return installed;
  const int reason = ::access(installed.c_str(), R_OK) == 0 ? EISDIR : errno;
  throw std::runtime_error("Cannot open file \"" + Utf8ToCp1251(installed) + "\". " +
                           Utf8ToCp1251(std::strerror(reason)));
}

}  // namespace quorix
