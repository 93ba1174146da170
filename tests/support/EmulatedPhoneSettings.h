#pragma once

#include <string>

#include "app/AppState.h"

namespace quorix::test {

// The settings a user would have for the emulated phone's sample book: a 10-row SIM range of
// 250 entries, read from the phone, advanced entries, the usual number type names.
inline void UseEmulatedPhone(AppState& state, const std::string& port) {
  state.settings.ComPort = port;
  state.settings.Range = "10";
  state.settings.SIM = "250";
  state.settings.FromPHONE = true;
  state.settings.AdvancedPhoneBook = true;
  state.phonebook.NumberTypeNames = {"Work", "Home",  "Main",  "Mobile",
                                     "Fax",  "Pager", "Email", "Subscribe"};
}

}  // namespace quorix::test
