#include "cli/CliLink.h"

#include <ostream>

#include "cli/CliSettings.h"

namespace quorix::cli {

CliLink::CliLink(const CliContext& ctx)
    : shell(ctx.err), phone(state.settings, state.link, shell, clock) {
  state.settings = CliSettings(ctx);
  shell.SetEventHook([this] { phone.Com().PollTick(); });
}

bool CliLink::Connect(std::ostream& err) {
  const ConnectOutcome outcome = phone.ConnectPhone();
  if (outcome == ConnectOutcome::NotFound) err << "Телефон не найден!\n";
  return outcome == ConnectOutcome::Connected;
}

}  // namespace quorix::cli
