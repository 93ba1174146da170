#include "link/p2k/PhoneFileActions.h"

#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FileBytes.h"
#include "codec/CodePage.h"
#include "link/p2k/PhoneFileServices.h"

namespace quorix {

namespace {

constexpr int64_t kPortClosePauseMs = 100;
// Larger than any file these phones hold: a bigger one is no file meant for the phone.
constexpr size_t kLargestUpload = 64 * 1024 * 1024;

std::string LastStep(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

void ShowTransfer(Shell& shell, const std::string& text, size_t size) {
  shell.ProgressSetText(text);
  shell.ProgressSetMax(static_cast<int>(size / p2k::kMaxTransfer + 1));
  shell.ProgressSetPosition(0);
}

void AddLine(std::string& lines, const std::string& line) {
  if (!lines.empty()) lines += '\n';
  lines += line;
}

}  // namespace

std::string SaveDownloadedFile(const std::filesystem::path& target, const std::string& data) {
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)))
    return target.string() + ": символическая ссылка, не записано";
  try {
    WriteFileAtomically(target.string(), data);
  } catch (const std::system_error& e) {
    return Cp1251ToUtf8(CannotWriteText(target.string(), e));
  }
  return {};
}

const p2k::ListedFile* FindListedFile(const std::vector<p2k::ListedFile>& files,
                                      const std::string& bytes) {
  for (const p2k::ListedFile& file : files) {
    if (file.phonePath == bytes) return &file;
  }
  return nullptr;
}

std::optional<std::string> DownloadListedFile(PhoneFiles& files, Shell& shell,
                                              const p2k::ListedFile& file) {
  ShowTransfer(shell, "Чтение " + file.name + "...", file.size);
  return files.Read(file.phonePath, file.size);
}

std::string ReadFileToUpload(const std::string& local, std::string& data) {
  try {
    data = ReadFileBytes(local, kLargestUpload);
  } catch (const FileBytesError& e) {
    return Cp1251ToUtf8(e.what());
  }
  return {};
}

void WithPhoneFiles(const P2KActionLinks& links,
                    const std::function<std::string(PhoneFiles&)>& work) {
  Shell& shell = links.shell;
  links.stop = false;
  // Over Bluetooth the serial link is not the USB modem port and stays open.
  if (links.link.PhoneConnected && !links.bluetooth) {
    links.phone.Com().Disconnect();
    links.clock.SleepMs(kPortClosePauseMs);
  }
  shell.ProgressShow();
  shell.ProgressSetText(std::string("Переключение телефона в P2K режим..."));
  shell.ProcessEvents();
  if (!links.p2k.SwitchTo("P2K")) {
    shell.ProgressClose();
    shell.Message("Quorix", "P2K Mode ERROR!", MessageIcon::None);
    links.link.PhoneConnected = links.bluetooth || ReconnectAfterP2K(links.phone, shell);
    return;
  }
  links.link.PhoneConnected = true;
  PhoneFiles files(links.p2k, shell, links.stop);
  const std::string failure = work(files);
  ReturnToAtMode(links.p2k, links.phone, links.link, links.bluetooth, links.shell);
  shell.ProgressClose();
  if (!failure.empty()) shell.Message("Внимание!", failure, MessageIcon::Warning);
}

std::string ReadPhoneFileSummary(PhoneFiles& files, PhoneFileSummary& summary) {
  auto listed = files.List("/a/");
  if (!listed) return files.Failure();
  const auto free = files.FreeSpace("/a");
  if (!free) return files.Failure();
  summary = {std::move(*listed), *free};
  return {};
}

std::string DownloadPhoneFiles(PhoneFiles& files, Shell& shell,
                               const std::vector<p2k::ListedFile>& chosen,
                               const std::string& folder) {
  std::string failures;
  int saved = 0;
  for (const p2k::ListedFile& file : chosen) {
    const auto data = DownloadListedFile(files, shell, file);
    const std::string problem =
        data ? SaveDownloadedFile(
                   std::filesystem::path(folder) / p2k::SafeLocalPath(LastStep(file.name)).path,
                   *data)
             : files.Failure();
    if (!problem.empty()) AddLine(failures, file.name + ": " + problem);
    saved += problem.empty();
    if (files.Stopped()) break;
  }
  // Where the files went, as every save of the program tells it.
  if (saved > 0) shell.SetStatus(1, "Скачано файлов: " + std::to_string(saved) + " в " + folder);
  return failures;
}

std::string UploadFolderFor(const std::optional<std::string>& phoneName) {
  if (!phoneName) return "/a/mobile/picture/";
  return phoneName->substr(0, phoneName->rfind('/') + 1);
}

std::string UploadPhoneFile(PhoneFiles& files, Shell& shell, const std::string& local,
                            const std::string& phoneFolder) {
  const std::string name = phoneFolder + std::filesystem::path(local).filename().string();
  const p2k::UploadPath path = p2k::CheckUploadPath(name);
  if (path.fault != p2k::UploadPathFault::None) return name + ": телефон не примет такое имя";
  std::string data;
  if (const std::string why = ReadFileToUpload(local, data); !why.empty()) return why;
  const auto listed = files.List("/a/");
  if (!listed) return files.Failure();
  if (FindListedFile(*listed, path.phonePath)) {
    if (!shell.AskYesNo("Внимание!", name + " уже есть в телефоне. Заменить?")) return {};
    // The phone opens a held file as it is: the old one goes first.
    if (!files.Delete(path.phonePath)) return name + ": " + files.Failure();
  }
  ShowTransfer(shell, "Запись " + name + "...", data.size());
  if (!files.Write(path.phonePath, data)) return name + ": " + files.Failure();
  return {};
}

std::string MakePhoneFolder(PhoneFiles& files, const std::string& phoneFolder,
                            const std::string& name) {
  const std::string path = phoneFolder + name;
  const p2k::UploadPath checked = p2k::CheckUploadPath(path);
  if (checked.fault != p2k::UploadPathFault::None) return path + ": телефон не примет такое имя";
  return files.MakeDirectory(checked.phonePath) ? std::string() : path + ": " + files.Failure();
}

std::string DeletePhoneFiles(PhoneFiles& files, const std::vector<p2k::ListedFile>& chosen) {
  std::string failures;
  for (const p2k::ListedFile& file : chosen) {
    if (!files.Delete(file.phonePath)) AddLine(failures, file.name + ": " + files.Failure());
  }
  return failures;
}

}  // namespace quorix
