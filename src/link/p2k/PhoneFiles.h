#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Shell.h"
#include "link/p2k/P2KFileCommands.h"
#include "link/p2k/TP2KAPI.h"

namespace quorix {

// The phone's file system with the phone in P2K mode: one command at a time, one file open at a
// time, at most 0x400 bytes a read or a write. Paths are the phone's own bytes (a listed file's
// phonePath, or what CheckUploadPath gives). Every failure leaves its reason in Failure().
class PhoneFiles {
 public:
  // stop is looked at between chunks: set, the transfer ends with the phone's file closed.
  PhoneFiles(TP2KAPI& p2k, Shell& shell, const bool& stop);

  // Every file below directory ("/a/"), its subfolders' too.
  std::optional<std::vector<p2k::ListedFile>> List(std::string_view directory);
  std::optional<std::vector<std::string>> Volumes();
  std::optional<uint32_t> FreeSpace(std::string_view volume);
  bool Delete(const std::string& phonePath);
  bool MakeDirectory(const std::string& phonePath);
  bool RemoveDirectory(const std::string& phonePath);

  // The file's size bytes, read chunk by chunk, a progress step each.
  std::optional<std::string> Read(const std::string& phonePath, uint32_t size);
  // Writes data into a file the phone does not hold yet (opening a held one does not empty it).
  // A write that fails part way deletes what it left on the phone (or names it in Failure()
  // when even that fails).
  bool Write(const std::string& phonePath, std::string_view data);

  bool Stopped() const { return stopped_; }
  const std::string& Failure() const { return failure_; }

 private:
  std::optional<std::vector<uint8_t>> Send(const std::vector<uint8_t>& payload, const char* what);
  // A command whose reply is only its outcome.
  bool Done(const std::vector<uint8_t>& payload, const char* what);
  bool Close();
  bool Fail(const std::string& why);

  TP2KAPI& p2k_;
  Shell& shell_;
  const bool& stop_;
  bool stopped_ = false;
  std::string failure_;
};

}  // namespace quorix
