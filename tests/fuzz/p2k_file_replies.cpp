// The readers of the file system command's replies, over data of any content.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "codec/CodePage.h"
#include "link/p2k/P2KFileCommands.h"
#include "link/p2k/P2KFileList.h"
#include "link/p2k/PhoneFileTree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorix::p2k;
  const std::span<const uint8_t> reply(data, size);
  if (const auto files = ListedFilesFromReply(reply)) {
    if (4 + files->size() * kFileRecordSize > size) __builtin_trap();
    for (const ListedFile& file : *files) {
      if (file.phonePath.size() > kRecordPathRoom) __builtin_trap();
      if (file.phonePath.find('\0') != std::string::npos) __builtin_trap();
    }
    // Whatever the names, the tree shows every file once and the shared folder holds them all.
    size_t shown = 0;
    const std::function<void(const quorix::PhoneFileNode&)> count =
        [&](const quorix::PhoneFileNode& node) {
          shown += node.file >= 0;
          for (const auto& child : node.children) count(child);
        };
    for (const auto& root : quorix::PhoneFileTree(*files, {"/a"}, {})) count(root);
    if (shown != files->size()) __builtin_trap();
    std::vector<std::string> names;
    for (const ListedFile& file : *files) names.push_back(file.name);
    const std::string common = quorix::CommonFolder(names);
    for (const std::string& name : names) {
      if (!name.starts_with(common)) __builtin_trap();
    }
  }
  if (const auto volumes = VolumesFromReply(reply)) {
    for (const std::string& name : *volumes) {
      if (name.empty() || !quorix::IsUtf8(name)) __builtin_trap();
    }
  }
  if (FreeSpaceFromReply(reply) && size < 4) __builtin_trap();
  // The first byte picks how much is asked, past the data and past the limit too.
  const size_t asked = size == 0 ? 0 : data[0] * 5u;
  if (const auto read = ReadDataFromReply(reply, asked)) {
    if (read->size() != asked || !std::equal(read->begin(), read->end(), data)) __builtin_trap();
  }
  return 0;
}
