#pragma once

#include <functional>
#include <string>

#include "phonebook/PhonebookTables.h"

namespace quorix {

// The phonebook's name for a message's number, matched as the conversations match numbers
// ("+7921…" and "8921…" alike); empty when no entry has it. The tables are read once, here.
std::function<std::string(const std::string& number)> PhonebookNameOf(
    const PhonebookTables& tables);

}  // namespace quorix
