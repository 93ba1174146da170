#include "app/BackupFileChoice.h"

#include <filesystem>

namespace quorix {

FileChoice BackupFileChoice(const std::string& title) {
  std::error_code error;
  return {title, "Excel File (*.csv)|*.csv|Text File (*.txt)|*.txt", "csv",
          std::filesystem::current_path(error).string()};
}

}  // namespace quorix
