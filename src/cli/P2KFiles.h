#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "base/Clock.h"
#include "base/Shell.h"
#include "link/PhoneConnection.h"
#include "link/p2k/TP2KAPI.h"

namespace quorix::cli {

// Switches the phone on its USB modem port to P2K mode, runs work (which gives the failure to
// print, empty when none), sends the phone back and waits until its modem port opens again. The
// exit status: 1 when no P2K device appears, work failed or the modem port does not come back.
int InP2KMode(TP2KAPI& p2k, PhoneConnection& phone, Shell& shell, Clock& clock, std::ostream& err,
              const std::function<std::string()>& work);

// p2k files: switches the phone on its USB modem port to P2K mode, lists the files that match
// the program's patterns (one "name<TAB>attribute value" row each, UTF-8), sends the phone back
// and waits until its modem port opens again. The exit status: 1 when no P2K device appears, a
// command fails or the modem port does not come back.
int ListP2KFiles(TP2KAPI& p2k, PhoneConnection& phone, Shell& shell, Clock& clock,
                 std::ostream& out, std::ostream& err);

}  // namespace quorix::cli
