// Phone paths of any content as local paths and as upload paths.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "codec/CodePage.h"
#include "link/p2k/P2KFileCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorix::p2k;
  const std::string path = quorix::fuzz::Text(data, size);
  const LocalPath local = SafeLocalPath(path);
  if (!quorix::IsUtf8(local.path) || local.path.starts_with('/')) __builtin_trap();
  for (size_t start = 0; start <= local.path.size();) {
    const size_t slash = std::min(local.path.find('/', start), local.path.size());
    const std::string_view step = std::string_view(local.path).substr(start, slash - start);
    start = slash + 1;
    if (step.empty() || step == "." || step == ".." || step.size() > 255) __builtin_trap();
    if (step.back() == '.' || step.back() == ' ') __builtin_trap();
    for (const char c : step) {
      if (static_cast<unsigned char>(c) < 0x20 ||
          std::string_view("\\<>:\"|?*").find(c) != std::string_view::npos) {
        __builtin_trap();
      }
    }
  }
  const UploadPath upload = CheckUploadPath(path);
  if (upload.fault == UploadPathFault::None &&
      (upload.phonePath.size() >= kRecordPathRoom || !upload.phonePath.starts_with("/a/") ||
       upload.phonePath.find('\0') != std::string::npos)) {
    __builtin_trap();
  }
  return 0;
}
