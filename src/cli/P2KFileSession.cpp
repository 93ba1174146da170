#include "cli/P2KFileSession.h"
#include <filesystem>
#include <ostream>
#include <system_error>

#include "base/Translate.h"
#include "cli/CliCommand.h"
#include "cli/P2KFiles.h"
#include "link/p2k/PhoneFileActions.h"

namespace quorix::cli {

namespace {

const char* UploadFaultText(p2k::UploadPathFault fault) {
  switch (fault) {
    case p2k::UploadPathFault::NotOnVolumeA:
      return "a phone path begins with /a/ and names a file";
    case p2k::UploadPathFault::EmptyOrDotStep:
      return "a phone path has no empty, . or .. steps";
    case p2k::UploadPathFault::ControlCharacter:
      return "a phone path holds no control characters";
    case p2k::UploadPathFault::NotCp1251:
      return "the phone's names take only the letters of code page 1251";
    case p2k::UploadPathFault::TooLong:
      return "the phone's names hold at most 259 bytes";
    case p2k::UploadPathFault::None:
      break;
  }
  return "";
}

bool SameSizeThere(const std::filesystem::path& target, uint32_t size) {
  std::error_code error;
  if (IsSymbolicLink(target) || !std::filesystem::is_regular_file(target, error)) {
    return false;
  }
  const auto there = std::filesystem::file_size(target, error);
  return !error && there == size;
}

int Failed(std::ostream& err, const std::string& why) {
  err << "quorix-cli: " << why << '\n';
  return kExitFailure;
}

}  // namespace

int P2KFileSession::Run(std::ostream& err, const std::function<std::string()>& work) {
  return InP2KMode(p2k, phone, shell, clock, err, work);
}

std::optional<std::string> PhonePath(const std::string& path, std::string& why) {
  const p2k::UploadPath checked = p2k::CheckUploadPath(path);
  if (checked.fault == p2k::UploadPathFault::None) return checked.phonePath;
  why = "'" + path + "': " + UploadFaultText(checked.fault);
  return std::nullopt;
}

int P2KList(P2KFileSession& s, const std::string& folder, bool longForm, std::ostream& out,
            std::ostream& err) {
  return s.Run(err, [&]() -> std::string {
    const auto listed = s.files.List(folder);
    if (!listed) return s.files.Failure();
    for (const p2k::ListedFile& file : *listed) {
      if (longForm) out << file.size << '\t' << file.attributes << '\t';
      out << file.name << '\n';
    }
    out << std::flush;
    return {};
  });
}

int P2KGet(P2KFileSession& s, const std::string& phonePath, const std::string& local,
           std::ostream& err) {
  std::string why;
  const auto bytes = PhonePath(phonePath, why);
  if (!bytes) return Failed(err, why);
  return s.Run(err, [&]() -> std::string {
    const auto listed = s.files.List("/a/");
    if (!listed) return s.files.Failure();
    const p2k::ListedFile* file = FindListedFile(*listed, *bytes);
    if (!file) return "no file " + phonePath + " on the phone";
    const auto data = DownloadListedFile(s.files, s.shell, *file);
    if (!data) return phonePath + ": " + s.files.Failure();
    return SaveDownloadedFile(local, *data);
  });
}

int P2KPut(P2KFileSession& s, const std::string& local, const std::string& phonePath, bool force,
           std::ostream& err) {
  std::string why;
  const auto bytes = PhonePath(phonePath, why);
  if (!bytes) return Failed(err, why);
  std::string data;
  if (const std::string why = ReadFileToUpload(local, data); !why.empty()) return Failed(err, why);
  return s.Run(err, [&]() -> std::string {
    const auto listed = s.files.List("/a/");
    if (!listed) return s.files.Failure();
    if (FindListedFile(*listed, *bytes)) {
      if (!force) return phonePath + " is on the phone already; --force replaces it";
      // The phone opens a held file as it is: the old one goes first.
      if (!s.files.Delete(*bytes)) return phonePath + ": " + s.files.Failure();
    }
    s.shell.ProgressSetText(Tr("Запись ") + phonePath + "...");
    s.shell.ProgressSetMax(static_cast<int>(data.size() / p2k::kMaxTransfer + 1));
    s.shell.ProgressSetPosition(0);
    if (!s.files.Write(*bytes, data)) return phonePath + ": " + s.files.Failure();
    return {};
  });
}

int P2KOnPath(P2KFileSession& s, P2KPathOperation operation, const std::string& phonePath,
              std::ostream& err) {
  std::string why;
  const auto bytes = PhonePath(phonePath, why);
  if (!bytes) return Failed(err, why);
  return s.Run(err, [&]() -> std::string {
    return (s.files.*operation)(*bytes) ? std::string() : phonePath + ": " + s.files.Failure();
  });
}

int P2KFreeSpace(P2KFileSession& s, std::ostream& out, std::ostream& err) {
  return s.Run(err, [&]() -> std::string {
    const auto volumes = s.files.Volumes();
    if (!volumes) return s.files.Failure();
    for (const std::string& volume : *volumes) {
      const auto free = s.files.FreeSpace(volume);
      if (!free) return volume + ": " + s.files.Failure();
      out << volume << '\t' << *free << '\n';
    }
    out << std::flush;
    return {};
  });
}

int P2KBackup(P2KFileSession& s, const std::string& folder, std::ostream& err) {
  const std::filesystem::path root = folder;
  std::error_code error;
  std::filesystem::create_directories(root, error);
  if (error) return Failed(err, "cannot make " + folder + ": " + error.message());
  int copied = 0;
  int kept = 0;
  int failed = 0;
  const int status = s.Run(err, [&]() -> std::string {
    const auto listed = s.files.List("/a/");
    if (!listed) return s.files.Failure();
    for (const p2k::ListedFile& file : *listed) {
      const p2k::LocalPath local = p2k::SafeLocalPath(file.name);
      if (!local.changes.empty())
        err << "quorix-cli: " << file.name << " saved as " << local.path << '\n';
      const std::filesystem::path target = root / local.path;
      if (SameSizeThere(target, file.size)) {
        ++kept;
        continue;
      }
      std::string problem = MakeLocalFolders(root, local.path);
      if (problem.empty()) {
        const auto data = DownloadListedFile(s.files, s.shell, file);
        problem = data ? SaveDownloadedFile(target, *data) : s.files.Failure();
      }
      if (problem.empty()) {
        ++copied;
        continue;
      }
      err << "quorix-cli: " << file.name << ": " << problem << '\n';
      ++failed;
      if (s.files.Stopped()) return "stopped";
      if (!s.p2k.DeviceOpen()) return "the phone is no longer connected";
    }
    return failed > 0 ? std::to_string(failed) + " files not copied" : std::string();
  });
  err << "quorix-cli: " << copied << " copied, " << kept << " already there, " << failed
      << " failed\n";
  return status;
}

}  // namespace quorix::cli
