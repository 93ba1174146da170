#include "link/CountedExchange.h"

#include "link/AtExchange.h"
#include "link/AtReply.h"

namespace quorix {

bool SendCounted(AtExchange& at, ExchangeTally& tally, const std::string& command,
                 std::string& reply) {
  ++tally.Requests;
  at.SendATCommand(command, reply);
  const bool complete = ReplyComplete(reply);
  if (!complete || ReplyEndedInError(reply)) ++tally.Failed;
  return complete;
}

}  // namespace quorix
