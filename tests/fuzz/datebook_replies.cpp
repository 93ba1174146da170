// The replies of the datebook reading.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "datebook/DatebookReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorix::DatebookTable table;
  quorix::ScanDatebookLines(quorix::fuzz::Text(data, size), [&](quorix::DatebookLine&& line) {
    table[line.Index] = std::move(line.Fields);
  });
  return 0;
}
