#pragma once

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace quorix::ui {

// A temporary folder holding a copy of the shipped velkor.ini; removed with the object.
class SettingsFolder {
 public:
  explicit SettingsFolder(bool withFile = true) {
    if (withFile) {
      std::filesystem::copy_file(std::filesystem::path(QUORIX_RESOURCES_DIR) / "velkor.ini",
                                 Path());
    }
  }

  std::filesystem::path Dir() const { return dir_.path(); }
  std::string Path() const { return dir_.File("velkor.ini"); }
  std::string Text() const { return test::ReadBytes(Path()); }

 private:
  test::TempDir dir_;
};

}  // namespace quorix::ui
