#include "phone-emulator/P2KFileCommands.h"

#include <string>

#include "phone-emulator/P2KBytes.h"

namespace quorix::emu {

namespace {

enum Subcommand : uint32_t {
  kDelete = 5,
  kCount = 7,
  kList = 8,
};

P2KAnswer Refused() {
  return {kClassRefused, {}};
}

P2KAnswer Status(bool done) {
  return {kClassData, {static_cast<uint8_t>(done ? 0 : 1)}};
}

}  // namespace

P2KAnswer P2KFileCommands::Run(std::span<const uint8_t> payload) {
  if (payload.size() < 4) return Refused();
  const uint32_t subcommand =
      static_cast<uint32_t>(BigEndian16(payload, 0)) << 16 | BigEndian16(payload, 2);
  const std::span<const uint8_t> rest = payload.subspan(4);
  switch (subcommand) {
    case kDelete:
      return Status(files_.Delete(std::string(rest.begin(), rest.end())));
    case kCount:
      return {kClassData, search_.Count(files_.Files(), rest)};
    case kList:
      return {kClassData, search_.NextRecords()};
    default:
      return Refused();
  }
}

void P2KFileCommands::Reset() {
  search_.Forget();
}

}  // namespace quorix::emu
