#include "base/BackupFileChoice.h"

#include <filesystem>

#include "base/Translate.h"

namespace quorix {

FileChoice BackupFileChoice(const std::string& title) {
  std::error_code error;
  return {title, "Excel File (*.csv)|*.csv|Text File (*.txt)|*.txt", "csv",
          std::filesystem::current_path(error).string()};
}

void TellUtf8Backup(Shell& shell, const std::string& path) {
  shell.Message(Tr("Резервная копия"),
                Tr("Файл ") + path +
                    Tr(" записан в кодировке UTF-8: в нём есть символы, которых нет в кодировке "
                       "Windows-1251. Quorix восстанавливает из него, как из прежних копий."),
                MessageIcon::Information);
}

void TellSaved(Shell& shell, const std::string& what, const std::string& path) {
  const std::string text = what + ": " + path;
  shell.SetStatus(1, text);
  shell.Notify(text);
}

}  // namespace quorix
