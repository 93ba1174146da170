#pragma once

namespace quorix {

struct AppState;
class AtExchange;
class Shell;

// Reads the whole phonebook from the connected phone into the tables, LV, LVCat, the tree and the
// category choices. Refuses, with a message and before sending anything, a block size that is not
// a positive number. A conversion error (record count, SIM capacity, a record's type, category or
// file melody) propagates with what was parsed kept and the progress window left open. Stops
// where AbortRequested is found set. A reply that does not end as the phone ends one (the phone
// went silent or the line dropped) stops the reading with a message, keeping what was parsed.
// False when the reading could not run to its end for that reason or a refused block size.
bool ReadPhonebook(AppState& app, Shell& shell, AtExchange& at);

}  // namespace quorix
