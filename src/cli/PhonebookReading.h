#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliLink.h"

namespace quorix::cli {

// What a reading was told beyond the settings file.
struct ReadOptions {
  bool phone = false;
  bool sim = false;
  bool advanced = false;
  std::optional<std::string> range;
  std::optional<std::string> simCapacity;
  std::optional<std::string> savePath;
  bool savePartial = false;  // --save even after a reading with failures
  bool p2k = false;          // the phone's melody and picture files too, over P2K
};

// The reading options among words[first..]: --phone, --sim, --advanced, --range N,
// --sim-capacity N, --save FILE, --save-partial, --p2k. UsageError for any other word; words[0]
// names the subcommand in it.
ReadOptions ParseReadOptions(const std::vector<std::string>& words, size_t first);

// FilesFailed: the records came whole, the P2K step (--p2k) did not.
enum class PhonebookReading { NotStarted, Failed, FilesFailed, Complete };

// Connects and reads the phonebook into link.state as the options and the settings file say. A
// reading that could not start, or had failures, is told on err.
PhonebookReading ReadPhonebookForCli(CliContext& ctx, CliLink& link, const ReadOptions& options);

}  // namespace quorix::cli
