#include "cli/CliCommand.h"
#include "codec/CodePage.h"
#include "codec/Ucs2.h"

#include <ostream>

namespace quorix::cli {

// The settings page's converter, headless: text is UTF-8 on the command line and the terminal.
int Ucs2Command(CliContext& ctx) {
  if (ctx.args.size() != 2) throw UsageError("ucs2 takes a direction and one text");
  const std::string& direction = ctx.args[0];
  const std::string& text = ctx.args[1];
  if (direction == "encode") {
    ctx.out << EncodeUcs2Hex(text) << '\n';
  } else if (direction == "decode") {
    ctx.out << DecodeUcs2Hex(text) << '\n';
  } else {
    throw UsageError("ucs2: unknown direction '" + direction + "'");
  }
  return kExitOk;
}

}  // namespace quorix::cli
