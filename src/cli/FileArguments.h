#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

namespace quorix::cli {

// The words of an export or import: the file after the subcommand, --from BACKUP and --save FILE,
// and the other words in rest (rest[0] is the subcommand).
struct FileArguments {
  std::string file;
  std::optional<std::string> from;
  std::optional<std::string> save;
  std::vector<std::string> rest;
};

// UsageError when the file or an option's value is missing; what names the command in it.
FileArguments ParseFileArguments(const CliContext& ctx, const std::string& what);

// A message of the core (code page 1251) on err, a line of its own.
void Tell(const CliContext& ctx, const std::string& cp1251);

}  // namespace quorix::cli
