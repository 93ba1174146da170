#pragma once

namespace quorix {

// The phonebook tables, the reading state, the row models of the views and the selection state.
struct PhonebookState {};

}  // namespace quorix
