#pragma once

#include <functional>

#include "base/Shell.h"
#include "link/LinkState.h"
#include "link/PhoneConnection.h"
#include "link/p2k/P2KFileList.h"
#include "link/p2k/TP2KAPI.h"

namespace quorix {

// How a listing of the phone's files went.
struct PhoneFileListing {
  bool Counted = false;   // the count request was answered
  int Count = 0;          // the files the phone said match
  int Listed = 0;         // records received
  bool Complete = false;  // counted, and every part of the list came
};

// With the phone in P2K mode: asks how many files match the program's patterns, then asks N / 3
// times (rounded up) for the next part of the list, handing over each record as it comes, with
// the progress texts and a gauge step a part. A part that does not come ends the listing, with a
// line in the log: what the phone sends after it would not follow on.
PhoneFileListing ListPhoneFiles(TP2KAPI& p2k, Shell& shell,
                                const std::function<void(const p2k::PhoneFile&)>& onFile);

// ReconnectPort after the phone has been away in P2K mode; tells the user when it has not come
// back as a modem in time.
bool ReconnectAfterP2K(PhoneConnection& phone, Shell& shell);

// After a P2K step: the phone sent back to AT mode and its serial link reopened. Over Bluetooth
// the serial link stayed open and the phone is left as it is. False when the phone has not come
// back.
bool ReturnToAtMode(TP2KAPI& p2k, PhoneConnection& phone, LinkState& link, bool bluetooth,
                    Shell& shell);

enum class ToneDatabaseOutcome {
  Declined,    // the user said No: nothing was sent, the serial link is as it was
  Deleted,     // the phone took the request and restarted
  NotDeleted,  // the request got no answer or a refusal ("Невозможно удалить файл!" was shown)
};

// The delete command ToolButton15Click: asks first, then closes the serial link, takes the phone
// to P2K mode, deletes MyToneDB.db and restarts the phone, which comes back in AT mode. The
// serial link is reopened when the phone was connected before; a phone that was not is not
// marked connected on a port nobody identified.
ToneDatabaseOutcome ToolButton15Click(TP2KAPI& p2k, PhoneConnection& phone, LinkState& link,
                                      Shell& shell);

}  // namespace quorix
