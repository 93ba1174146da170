#pragma once

#include <string>

#include "link/AtExchange.h"
#include "link/AtReply.h"

namespace quorix {

// Sends one command of a reading and counts it in the outcome's Requests and FailedRequests: a
// reply that ended in "ERROR" or was cut short is a failure. False when the reply was cut short.
template <class Outcome>
bool SendCounted(AtExchange& at, Outcome& outcome, const std::string& command, std::string& reply) {
  ++outcome.Requests;
  at.SendATCommand(command, reply);
  const bool complete = ReplyComplete(reply);
  if (!complete || ReplyEndedInError(reply)) ++outcome.FailedRequests;
  return complete;
}

}  // namespace quorix
