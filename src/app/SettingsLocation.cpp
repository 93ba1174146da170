#include "app/SettingsLocation.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "base/AtomicFile.h"
#include "codec/CodePage.h"

namespace quorix {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFileName = "velkor.ini";

std::string UserConfigDirectory(const SettingsPlaces& places) {
  if (!places.xdgConfigHome.empty() && places.xdgConfigHome.front() == '/')
    return places.xdgConfigHome;
  if (!places.home.empty()) return places.home + "/.config";
  return {};
}

[[noreturn]] void CannotCreate(const std::string& file, const std::string& reason) {
  throw std::runtime_error("Cannot create file \"" + file + "\". " + reason);
}

}  // namespace

SettingsLocation LocateSettings(const SettingsPlaces& places) {
  const std::string beside = places.programDirectory + "/" + kFileName;
  const bool installed = places.shippedDirectory != places.programDirectory;
  const std::string config = UserConfigDirectory(places);
  if ((!installed && places.programDirectoryWritable) || config.empty()) return {beside, {}};
  const std::string shipped = places.shippedDirectory + "/" + kFileName;
  std::error_code ec;
  return {config + "/quorix/" + kFileName, fs::is_regular_file(shipped, ec) ? shipped : ""};
}

void CreateSettingsOnFirstStart(const SettingsLocation& location) {
  std::error_code ec;
  if (fs::exists(location.file, ec)) return;
  // The folder is made even with nothing to copy, so that saving the settings can create the file.
  fs::create_directories(fs::path(location.file).parent_path(), ec);
  if (ec) CannotCreate(location.file, ec.message());
  if (location.firstRunFile.empty()) return;
  std::ifstream in(location.firstRunFile, std::ios::binary);
  if (!in) {
    throw std::runtime_error("Cannot open file \"" + location.firstRunFile + "\". " +
                             std::strerror(errno));
  }
  const std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    WriteFileAtomically(location.file, contents);
  } catch (const std::system_error& e) {
    CannotCreate(location.file, e.code().message());
  }
}

std::string SettingsFileToRead(const SettingsLocation& location) {
  std::error_code ec;
  if (location.firstRunFile.empty() || fs::exists(location.file, ec)) return location.file;
  return location.firstRunFile;
}

}  // namespace quorix
