#include "link/p2k/PhoneFiles.h"

#include <algorithm>

#include "codec/CodePage.h"
#include "link/p2k/P2KFileList.h"
#include "link/p2k/P2KPackets.h"

namespace quorix {

namespace {

// Opened for reading it must exist; opened for writing it is made anew.
constexpr uint32_t kOpenToRead = 0;
constexpr uint32_t kOpenToWrite = 1;
// A write's subcommand and size come before its data, and the whole request must fit the
// driver's buffer: a little under the phone's 0x400 bytes go in one write.
constexpr size_t kWriteChunk = std::min(p2k::kMaxTransfer, p2k::kMaxPayload - 8);

}  // namespace

PhoneFiles::PhoneFiles(TP2KAPI& p2k, Shell& shell, const bool& stop)
    : p2k_(p2k), shell_(shell), stop_(stop) {}

bool PhoneFiles::Fail(const std::string& why) {
  failure_ = p2k_.DeviceOpen() ? why : why + ": the phone is no longer connected";
  return false;
}

std::optional<std::vector<uint8_t>> PhoneFiles::Send(const std::vector<uint8_t>& payload,
                                                     const char* what) {
  std::vector<uint8_t> reply;
  if (!p2k_.SendCommand(p2k::kFileCommand, payload, reply)) {
    Fail(std::string("the phone refused or did not answer ") + what);
    return std::nullopt;
  }
  return reply;
}

bool PhoneFiles::Done(const std::vector<uint8_t>& payload, const char* what) {
  const auto reply = Send(payload, what);
  if (!reply) return false;
  // "Done" comes without data or with a status byte of 0; any other status is a refusal.
  if (!reply->empty() && (*reply)[0] != 0) return Fail(std::string("the phone refused ") + what);
  return true;
}

bool PhoneFiles::Close() {
  return Done(p2k::CloseFilePayload(), "the close");
}

std::optional<std::vector<p2k::ListedFile>> PhoneFiles::List(std::string_view folder) {
  // "/a/mobile/pic" names the folder, never every name that begins so.
  std::string directory(folder);
  if (!directory.ends_with('/')) directory += '/';
  const auto search = p2k::SearchFilesPayload(directory, "*");
  if (!search) {
    Fail("no such folder name on the phone");
    return std::nullopt;
  }
  const auto counted = Send(*search, "the file count");
  if (!counted) return std::nullopt;
  const int count = p2k::FileCountFromReply(*counted);
  std::vector<p2k::ListedFile> files;
  int received = 0;
  while (received < count) {
    const auto part = Send(p2k::FileListPayload(), "the file list");
    if (!part) return std::nullopt;
    const auto records = p2k::ListedFilesFromReply(*part);
    // A part without records would have the list asked for ever.
    if (!records || records->empty()) {
      Fail("the phone's file list broke off");
      return std::nullopt;
    }
    received += static_cast<int>(records->size());
    // A phone may take the folder as one more pattern: only what lies below it is kept.
    for (const p2k::ListedFile& file : *records) {
      if (file.name.rfind(directory, 0) == 0) files.push_back(file);
    }
    shell_.ProcessEvents();
  }
  return files;
}

std::optional<std::vector<std::string>> PhoneFiles::Volumes() {
  const auto reply = Send(p2k::VolumesPayload(), "the volume list");
  if (!reply) return std::nullopt;
  auto volumes = p2k::VolumesFromReply(*reply);
  if (!volumes) Fail("the phone's volume list is malformed");
  return volumes;
}

std::optional<uint32_t> PhoneFiles::FreeSpace(std::string_view volume) {
  const auto payload = p2k::FreeSpacePayload(volume);
  if (!payload) {
    Fail("no such volume name");
    return std::nullopt;
  }
  const auto reply = Send(*payload, "the free space");
  if (!reply) return std::nullopt;
  auto free = p2k::FreeSpaceFromReply(*reply);
  if (!free) Fail("the phone's free space answer is malformed");
  return free;
}

bool PhoneFiles::Delete(const std::string& phonePath) {
  return Done(p2k::DeleteFilePayload(phonePath), "the delete");
}

bool PhoneFiles::MakeDirectory(const std::string& phonePath) {
  return Done(p2k::MakeDirectoryPayload(phonePath), "the new folder");
}

bool PhoneFiles::RemoveDirectory(const std::string& phonePath) {
  return Done(p2k::RemoveDirectoryPayload(phonePath), "the folder's removal");
}

std::optional<std::string> PhoneFiles::Read(const std::string& phonePath, uint32_t size) {
  stopped_ = false;
  if (!Done(p2k::OpenFilePayload(phonePath, kOpenToRead), "the open")) return std::nullopt;
  std::string data;
  data.reserve(size);
  bool whole = true;
  while (data.size() < size) {
    if (stop_) {
      stopped_ = true;
      Fail("stopped");
      whole = false;
      break;
    }
    const size_t asked = std::min<size_t>(p2k::kMaxTransfer, size - data.size());
    const auto reply = Send(*p2k::ReadFilePayload(asked), "a read");
    const auto chunk = reply ? p2k::ReadDataFromReply(*reply, asked) : std::nullopt;
    if (!chunk) {
      if (reply) Fail("the phone sent less than the file's size");
      whole = false;
      break;
    }
    data.append(chunk->begin(), chunk->end());
    shell_.ProgressStep(1);
    shell_.ProcessEvents();
  }
  // The one file the phone keeps open is closed whatever happened, or the next open fails.
  const std::string why = failure_;
  const bool closed = Close();
  if (!whole) {
    failure_ = why;
    return std::nullopt;
  }
  if (!closed) return std::nullopt;
  return data;
}

bool PhoneFiles::Write(const std::string& phonePath, std::string_view data) {
  stopped_ = false;
  if (!Done(p2k::OpenFilePayload(phonePath, kOpenToWrite), "the open")) return false;
  size_t sent = 0;
  bool whole = true;
  while (sent < data.size()) {
    if (stop_) {
      stopped_ = true;
      Fail("stopped");
      whole = false;
      break;
    }
    const std::string_view chunk = data.substr(sent, kWriteChunk);
    const auto payload = p2k::WriteFilePayload(
        std::span(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size()));
    if (!Done(*payload, "a write")) {
      whole = false;
      break;
    }
    sent += chunk.size();
    shell_.ProgressStep(1);
    shell_.ProcessEvents();
  }
  const std::string why = failure_;
  const bool closed = Close();
  if (whole && closed) return true;
  // The close's own failure when every write went through.
  const std::string reason = whole ? failure_ : why;
  // Half a file on the phone would pass for the whole one.
  failure_ = Delete(phonePath)
                 ? reason
                 : reason + "; the part written stays on the phone as " + Cp1251ToUtf8(phonePath);
  return false;
}

}  // namespace quorix
