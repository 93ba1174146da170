#include "app/ProgramPaths.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "codec/CodePage.h"

namespace quorix {
namespace {

std::string IconIn(const std::string& directory, const std::string& name) {
  return directory + "/logo/" + name + ".bmp";
}

bool IsReadableFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), R_OK) == 0;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string ProgramDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return exe.parent_path().string();
}

std::string ShippedDirectory(const std::string& programDirectory) {
  const auto installed =
      (std::filesystem::path(programDirectory) / QUORIX_SHIPPED_FROM_BIN).lexically_normal();
  std::error_code ec;
  return std::filesystem::is_directory(installed, ec) ? installed.string() : programDirectory;
}

std::string LocaleDirectory(const std::string& programDirectory) {
  const auto built = std::filesystem::path(programDirectory) / "locale";
  std::error_code ec;
  if (std::filesystem::is_directory(built, ec)) return built.string();
  return (std::filesystem::path(programDirectory) / QUORIX_SHIPPED_FROM_BIN / ".." / "locale")
      .lexically_normal()
      .string();
}

SettingsPlaces PlacesOf(const std::string& programDirectory, const std::string& xdgConfigHome,
                        const std::string& home) {
  SettingsPlaces places;
  places.programDirectory = programDirectory;
  places.programDirectoryWritable = ::access(programDirectory.c_str(), W_OK) == 0;
  places.shippedDirectory = ShippedDirectory(programDirectory);
  places.xdgConfigHome = xdgConfigHome;
  places.home = home;
  return places;
}

SettingsPlaces ThisProgramsPlaces() {
  return PlacesOf(ProgramDirectory(), Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

std::vector<std::string> NumberTypeIconFolders(const std::string& settingsFile) {
  std::error_code ec;
  const auto settingsFolder = std::filesystem::path(settingsFile).parent_path();
  return {std::filesystem::current_path(ec).string(),
          settingsFolder.empty() ? "." : settingsFolder.string(),
          ShippedDirectory(ProgramDirectory())};
}

std::string NumberTypeIconPath(const std::string& name, const std::vector<std::string>& folders) {
  std::string path;
  for (const std::string& folder : folders) {
    path = IconIn(folder, name);
    if (IsReadableFile(path)) return path;
  }
  const int reason = ::access(path.c_str(), R_OK) == 0 ? EISDIR : errno;
  throw std::runtime_error("Cannot open file \"" + path + "\". " + std::strerror(reason));
}

std::string UserGuidePath(const std::string& programDirectory) {
  const std::filesystem::path guide =
      std::filesystem::path(ShippedDirectory(programDirectory)) / "guide" / "README.md";
  std::error_code ec;
  return std::filesystem::is_regular_file(guide, ec) ? guide.string() : std::string();
}

}  // namespace quorix
