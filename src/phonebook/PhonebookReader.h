#pragma once

namespace quorix {

struct AppState;
class AtExchange;
class Shell;

// Reads the whole phonebook from the connected phone into the tables, LV, LVCat, the tree and the
// category choices. Refuses, with a message and before sending anything, a block size that is not
// a positive number. A conversion error (record count, SIM capacity, a record's type, category or
// file melody) propagates with what was parsed kept and the progress window left open. Stops
// where AbortRequested is found set.
void ReadPhonebook(AppState& app, Shell& shell, AtExchange& at);

}  // namespace quorix
