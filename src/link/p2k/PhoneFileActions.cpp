#include "link/p2k/PhoneFileActions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FileBytes.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "link/p2k/PhoneFileServices.h"

namespace quorix {

namespace {

constexpr int64_t kPortClosePauseMs = 100;
// Larger than any file these phones hold: a bigger one is no file meant for the phone.
constexpr size_t kLargestUpload = 64 * 1024 * 1024;

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

bool IsSymbolicLink(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));
}

std::string SaveDownloadedFile(const std::filesystem::path& target, const std::string& data) {
  if (IsSymbolicLink(target)) return target.string() + Tr(": символическая ссылка, не записано");
  try {
    WriteFileAtomically(target.string(), data);
  } catch (const std::system_error& e) {
    return Cp1251ToUtf8(CannotWriteText(target.string(), e));
  }
  return {};
}

std::string MakeLocalFolders(const std::filesystem::path& root,
                             const std::filesystem::path& relative) {
  std::filesystem::path at = root;
  for (const auto& step : relative.parent_path()) {
    at /= step;
    if (IsSymbolicLink(at)) return at.string() + Tr(": символическая ссылка, не пройдена");
    std::error_code error;
    std::filesystem::create_directory(at, error);
    if (error) return Tr("не удалось создать папку ") + at.string() + ": " + error.message();
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
  ShowTransfer(shell, Tr("Чтение ") + file.name + "...", file.size);
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
  shell.ProgressSetText(Tr("Переключение телефона в P2K режим..."));
  shell.ProcessEvents();
  links.p2k.SetModemPort(links.phone.Com().PortName());
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
  if (!failure.empty()) shell.Message(Tr("Внимание!"), failure, MessageIcon::Warning);
}

std::string ReadPhoneFileSummary(PhoneFiles& files, PhoneFileSummary& summary) {
  const auto volumes = files.Volumes();
  if (!volumes) return files.Failure();
  PhoneFileSummary read;
  read.volumes = {"/a"};
  // A volume is "/" and a name; anything else the phone gives is no path to list.
  for (const std::string& volume : *volumes) {
    const bool sane = volume.size() > 1 && volume[0] == '/' &&
                      std::all_of(volume.begin() + 1, volume.end(),
                                  [](char c) { return std::isalnum(static_cast<uint8_t>(c)); });
    if (sane && std::find(read.volumes.begin(), read.volumes.end(), volume) == read.volumes.end())
      read.volumes.push_back(volume);
  }
  for (const std::string& volume : read.volumes) {
    auto listed = files.List(volume + "/");
    if (!listed) return files.Failure();
    read.files.insert(read.files.end(), listed->begin(), listed->end());
    const auto free = files.FreeSpace(volume);
    if (!free) return files.Failure();
    read.freeBytes.push_back(*free);
  }
  summary = std::move(read);
  return {};
}

std::string DownloadPhoneFiles(PhoneFiles& files, Shell& shell,
                               const std::vector<p2k::ListedFile>& chosen,
                               const std::string& folder, const std::string& from) {
  std::string failures;
  int saved = 0;
  for (const p2k::ListedFile& file : chosen) {
    const std::string below =
        file.name.starts_with(from) ? file.name.substr(from.size()) : file.name;
    const p2k::LocalPath local = p2k::SafeLocalPath(below);
    if (!local.changes.empty()) AddLine(failures, file.name + Tr(": сохранён как ") + local.path);
    std::string problem = MakeLocalFolders(folder, local.path);
    if (problem.empty()) {
      const auto data = DownloadListedFile(files, shell, file);
      problem = data ? SaveDownloadedFile(std::filesystem::path(folder) / local.path, *data)
                     : files.Failure();
    }
    if (!problem.empty()) AddLine(failures, file.name + ": " + problem);
    saved += problem.empty();
    if (files.Stopped()) break;
  }
  // Where the files went, as every save of the program tells it.
  if (saved > 0)
    shell.SetStatus(1, Tr("Скачано файлов: ") + std::to_string(saved) + Tr(" в ") + folder);
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
  if (path.fault != p2k::UploadPathFault::None) return name + Tr(": телефон не примет такое имя");
  std::string data;
  if (const std::string why = ReadFileToUpload(local, data); !why.empty()) return why;
  const auto listed = files.List("/a/");
  if (!listed) return files.Failure();
  if (FindListedFile(*listed, path.phonePath)) {
    if (!shell.AskYesNo(Tr("Внимание!"), name + Tr(" уже есть в телефоне. Заменить?"))) return {};
    // The phone opens a held file as it is: the old one goes first.
    if (!files.Delete(path.phonePath)) return name + ": " + files.Failure();
  }
  ShowTransfer(shell, Tr("Запись ") + name + "...", data.size());
  if (!files.Write(path.phonePath, data)) return name + ": " + files.Failure();
  return {};
}

std::string MakePhoneFolder(PhoneFiles& files, const std::string& phoneFolder,
                            const std::string& name) {
  const std::string path = phoneFolder + name;
  const p2k::UploadPath checked = p2k::CheckUploadPath(path);
  if (checked.fault != p2k::UploadPathFault::None)
    return path + Tr(": телефон не примет такое имя");
  return files.MakeDirectory(checked.phonePath) ? std::string() : path + ": " + files.Failure();
}

std::string DeletePhoneFiles(PhoneFiles& files, const std::vector<p2k::ListedFile>& chosen) {
  std::string failures;
  for (const p2k::ListedFile& file : chosen) {
    if (!files.Delete(file.phonePath)) AddLine(failures, file.name + ": " + files.Failure());
  }
  return failures;
}

std::string RemovePhoneFolders(PhoneFiles& files, std::vector<std::string> folders) {
  // A folder goes only when empty: the ones below it first.
  std::sort(folders.begin(), folders.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  std::string failures;
  for (std::string folder : folders) {
    if (folder.ends_with('/')) folder.pop_back();
    const p2k::UploadPath checked = p2k::CheckUploadPath(folder);
    if (checked.fault != p2k::UploadPathFault::None) {
      AddLine(failures, folder + Tr(": телефон не примет такое имя"));
    } else if (!files.RemoveDirectory(checked.phonePath)) {
      AddLine(failures, folder + ": " + files.Failure());
    }
  }
  return failures;
}

}  // namespace quorix
