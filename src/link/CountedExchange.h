#pragma once

#include <string>

namespace quorix {

class AtExchange;

// The commands a long operation sent and how many of them failed: a reply that ended in "ERROR"
// or was cut short (the phone fell silent, the line dropped).
struct ExchangeTally {
  int Requests = 0;
  int Failed = 0;
};

// Sends one command of a long operation and counts it; true when the reply was complete (an
// "ERROR" reply is complete, but counts as failed).
bool SendCounted(AtExchange& at, ExchangeTally& tally, const std::string& command,
                 std::string& reply);

}  // namespace quorix
