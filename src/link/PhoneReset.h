#pragma once

namespace quorix {

class AtExchange;
class Clock;
class Shell;
struct LinkState;

// SendReset: while a phone is connected, sends "ATZ", appends the reply to the console log and
// waits 300 ms; otherwise does nothing. The upload, the full clear and the datebook restore
// begin with it.
void SendReset(const LinkState& link, AtExchange& at, Shell& shell, Clock& clock);

constexpr int kResetPauseMs = 300;

}  // namespace quorix
