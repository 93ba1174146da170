#include "cli/CliLink.h"

#include <ostream>

#include "cli/CliSettings.h"
#include "cli/PrintableText.h"
#include "codec/CodePage.h"

namespace quorix::cli {

CliLink::CliLink(const CliContext& ctx) : shell(ctx.err), phone(state, shell, clock) {
  state.settings = CliSettings(ctx);
  shell.SetEventHook([this] { phone.Com().PollTick(); });
}

bool CliLink::Connect(std::ostream& err) {
  phone.ConnectPhone();
  if (state.link.PhoneConnected) return true;
  if (!shell.Status(1).empty()) err << Printable(Cp1251ToUtf8(shell.Status(1))) << '\n';
  return false;
}

}  // namespace quorix::cli
