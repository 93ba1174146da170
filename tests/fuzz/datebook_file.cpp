// The datebook backup reader.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "FuzzInput.h"
#include "datebook/DatebookFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = quorix::fuzz::WriteInput("datebook.csv", data, size);
  try {
    quorix::ReadDatebookFile(path);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
