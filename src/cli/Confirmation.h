#pragma once

#include <string>

#include "cli/CliCommand.h"

namespace quorix::cli {

// For the commands that change the phone for good: true when --yes was given or the user answers
// yes to the window's question (code page 1251) on the terminal. Without a terminal to answer it
// is a usage error, so that a script has to say --yes.
bool Confirmed(const CliContext& ctx, bool yes, const std::string& command,
               const std::string& question);

}  // namespace quorix::cli
