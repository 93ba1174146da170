#include "cli/Confirmation.h"

#include <unistd.h>

#include <iostream>
#include <ostream>

#include "codec/CodePage.h"

namespace quorix::cli {

bool Confirmed(const CliContext& ctx, bool yes, const std::string& command,
               const std::string& question) {
  if (yes) return true;
  if (!isatty(0)) throw UsageError(command + " asks first; give --yes when no terminal can answer");
  ctx.err << question << " [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer.rfind("д", 0) == 0 ||
                             answer.rfind("Д", 0) == 0);
}

}  // namespace quorix::cli
