#pragma once

#include "datebook/DatebookSession.h"
#include "datebook/DatebookState.h"
#include "phonebook/PhonebookSession.h"
#include "sms/SmsState.h"

namespace quorix {

// Everything the program keeps for a whole run. The main window owns one; every test builds its
// own, so nothing leaks between tests.
struct AppState : PhonebookSession {
  DatebookState datebook;
  sms::SmsState sms;

  operator DatebookSession() { return {*this, link, datebook}; }
};

}  // namespace quorix
