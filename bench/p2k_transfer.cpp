// Throughput of the phone's files over P2K against the emulated phone: a 1 MB upload and its
// download through PhoneFiles, the phone switched to P2K mode once. Every chunk is one command:
// the request, the status polls until the reply is ready, the reply read.
// Usage: bench_p2k_transfer [BYTES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "link/p2k/P2KFileCommands.h"
#include "link/p2k/P2KPackets.h"
#include "link/p2k/PhoneFiles.h"
#include "support/EmulatedP2K.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  const size_t bytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1u << 20;
  quorix::emu::EmulatorOptions options;
  options.p2kCapacity = static_cast<uint32_t>(bytes * 2 + (1 << 20));
  quorix::test::EmulatedP2K phone(options);
  if (!phone.p2k.SwitchTo("P2K")) {
    std::fprintf(stderr, "no P2K device\n");
    return 1;
  }
  const bool stop = false;
  quorix::PhoneFiles files(phone.p2k, phone.shell, stop);
  std::string data(bytes, '\0');
  for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<char>(i * 31);

  const auto up = std::chrono::steady_clock::now();
  if (!files.Write("/a/bench.bin", data)) {
    std::fprintf(stderr, "upload failed: %s\n", files.Failure().c_str());
    return 1;
  }
  const double upSeconds = Seconds(up);
  const auto down = std::chrono::steady_clock::now();
  const auto back = files.Read("/a/bench.bin", static_cast<uint32_t>(bytes));
  const double downSeconds = Seconds(down);
  if (!back || *back != data) {
    std::fprintf(stderr, "download failed: %s\n", files.Failure().c_str());
    return 1;
  }
  const size_t writeChunk = std::min(quorix::p2k::kMaxTransfer, quorix::p2k::kMaxPayload - 8);
  std::printf(
      "%zu bytes: upload %.2f s (%.0f KB/s, %zu writes of %zu bytes), download %.2f s "
      "(%.0f KB/s, %zu reads of %zu bytes)\n",
      bytes, upSeconds, bytes / 1024.0 / upSeconds, (bytes + writeChunk - 1) / writeChunk,
      writeChunk, downSeconds, bytes / 1024.0 / downSeconds,
      (bytes + quorix::p2k::kMaxTransfer - 1) / quorix::p2k::kMaxTransfer,
      quorix::p2k::kMaxTransfer);
  phone.p2k.SwitchTo("AT");
  return 0;
}
