#include "cli/CliLink.h"

#include <ostream>

#include "base/Translate.h"
#include "cli/CliSettings.h"
#include "link/PublishedPortsFolder.h"

namespace quorix::cli {

CliLink::CliLink(const CliContext& ctx)
    : shell(ctx.err), phone(state.settings, state.link, shell, clock) {
  state.settings = CliSettings(ctx);
  shell.SetEventHook([this] { phone.Com().PollTick(); });
  // Said once: the port search and the P2K step pass over such a folder in silence.
  const std::string problem = CheckPublishedPorts(DefaultPublishedPortsDir()).problem;
  if (!problem.empty()) ctx.err << "quorix-cli: " << problem << '\n';
}

bool CliLink::Connect(std::ostream& err) {
  const ConnectOutcome outcome = phone.ConnectPhone();
  if (outcome == ConnectOutcome::NotFound) err << Tr("Телефон не найден!") << '\n';
  return outcome == ConnectOutcome::Connected;
}

}  // namespace quorix::cli
