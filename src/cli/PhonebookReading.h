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
};

// The reading options among words[first..]: --phone, --sim, --advanced, --range N,
// --sim-capacity N, --save FILE, --save-partial. UsageError for any other word; words[0] names
// the subcommand in it.
ReadOptions ParseReadOptions(const std::vector<std::string>& words, size_t first);

enum class PhonebookReading { NotStarted, Failed, Complete };

// Connects and reads the phonebook into link.state as the options and the settings file say. A
// reading that could not start, or had failures, is told on err.
PhonebookReading ReadPhonebookForCli(CliContext& ctx, CliLink& link, const ReadOptions& options);

}  // namespace quorix::cli
