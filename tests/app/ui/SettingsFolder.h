#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quorix::ui {

// A temporary folder holding a copy of the shipped velkor.ini; removed with the object.
class SettingsFolder {
 public:
  explicit SettingsFolder(const std::string& name, bool withFile = true)
      : dir_(std::filesystem::temp_directory_path() /
             ("quorix-ui-" + std::to_string(::getpid()) + "-" + name)) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    if (withFile) {
      std::filesystem::copy_file(std::filesystem::path(QUORIX_RESOURCES_DIR) / "velkor.ini",
                                 Path());
    }
  }
  ~SettingsFolder() { std::filesystem::remove_all(dir_); }

  const std::filesystem::path& Dir() const { return dir_; }
  std::string Path() const { return (dir_ / "velkor.ini").string(); }
  std::string Text() const {
    std::ifstream file(Path(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace quorix::ui
