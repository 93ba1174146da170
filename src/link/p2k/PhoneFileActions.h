#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Shell.h"
#include "link/LinkState.h"
#include "link/PhoneConnection.h"
#include "link/p2k/PhoneFiles.h"
#include "link/p2k/TP2KAPI.h"

namespace quorix {

// What a window's action on the phone's files reaches: the phone on its serial link and in P2K
// mode, and the flag the progress window's close sets.
struct P2KActionLinks {
  TP2KAPI& p2k;
  PhoneConnection& phone;
  LinkState& link;
  bool bluetooth;
  Shell& shell;
  Clock& clock;
  bool& stop;
};

// What the window and the command line share when they move files.

// A symbolic link, whether or not what it names exists.
bool IsSymbolicLink(const std::filesystem::path& path);
// A downloaded file written whole or not at all; an existing symbolic link is never followed.
// The failure, empty when none.
std::string SaveDownloadedFile(const std::filesystem::path& target, const std::string& data);
// The folders of relative's folder below root, made as needed; none of them may be a symbolic
// link. The failure, empty when none.
std::string MakeLocalFolders(const std::filesystem::path& root,
                             const std::filesystem::path& relative);
// The listed file of those phone bytes, nullptr when none.
const p2k::ListedFile* FindListedFile(const std::vector<p2k::ListedFile>& files,
                                      const std::string& phonePath);
// A listed file's bytes, with its progress.
std::optional<std::string> DownloadListedFile(PhoneFiles& files, Shell& shell,
                                              const p2k::ListedFile& file);
// A local file read whole for an upload, refused when larger than any phone holds; the failure.
std::string ReadFileToUpload(const std::string& local, std::string& data);

// One switch to P2K mode for the whole of work, and back to the modem port after it, with the
// progress window shown. work gives the failure to tell, empty when none; a failure of work or
// of the switch is told with shell.Message.
void WithPhoneFiles(const P2KActionLinks& links,
                    const std::function<std::string(PhoneFiles&)>& work);

// The phone's volumes ("/a" always), the files on them and each one's free bytes.
struct PhoneFileSummary {
  std::vector<std::string> volumes;
  std::vector<p2k::ListedFile> files;
  std::vector<uint32_t> freeBytes;  // in the volumes' order
};
std::string ReadPhoneFileSummary(PhoneFiles& files, PhoneFileSummary& summary);

// Each file into folder at its safe local path below the phone folder from (its folders made),
// written whole; an existing symbolic link there is never followed. Goes on after a file that
// failed; the failures and the names mapped to safe ones, one a line.
std::string DownloadPhoneFiles(PhoneFiles& files, Shell& shell,
                               const std::vector<p2k::ListedFile>& chosen,
                               const std::string& folder, const std::string& from);

// The phone folder a file uploaded next to that phone file goes to ("/a/mobile/picture/" when
// there is none).
std::string UploadFolderFor(const std::optional<std::string>& phoneName);

// The local file into phoneFolder (UTF-8, ending in "/") under its own name; a file there already
// is replaced only when the user says Yes.
std::string UploadPhoneFile(PhoneFiles& files, Shell& shell, const std::string& local,
                            const std::string& phoneFolder);

// A new folder name in phoneFolder (UTF-8, ending in "/"), the name checked as the phone takes it.
std::string MakePhoneFolder(PhoneFiles& files, const std::string& phoneFolder,
                            const std::string& name);

// Each file deleted; the failures, one a line.
std::string DeletePhoneFiles(PhoneFiles& files, const std::vector<p2k::ListedFile>& chosen);
// Each folder (UTF-8) removed, the deepest first, after its files are gone; the failures.
std::string RemovePhoneFolders(PhoneFiles& files, std::vector<std::string> folders);

}  // namespace quorix
