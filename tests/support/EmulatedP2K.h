#pragma once

#include <cstdlib>

#include "app/AppState.h"
#include "link/PhoneConnection.h"
#include "link/p2k/PublishedP2KBackend.h"
#include "link/p2k/TP2KAPI.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "support/P2KStates.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"

namespace quorix::test {

// The emulated phone on its published modem port, and the program's P2K link and serial link to
// it: the search thread on fast real time, the rest on virtual time. Each mode switch pause lasts
// until what seven seconds give a real phone has happened: the search has found the P2K device,
// or after the switch back the phone is on its modem port again.
struct EmulatedP2K {
  static emu::EmulatorOptions Options(emu::EmulatorOptions options) {
    options.publish = true;
    options.sample = true;
    options.usbDelayMs = 30;
    return options;
  }

  explicit EmulatedP2K(emu::EmulatorOptions options = {})
      : server(Options(options)),
        port((setenv("QUORIX_PUBLISHED_PORTS", ports.path().c_str(), 1), server.Start())) {
    p2k.SetPortMapSource({ports.path(), ports.path()});
    clock.onPause = [this](int64_t ms) {
      if (ms != TP2KAPI::kSwitchPauseMs) return;
      if (p2k.Searching()) {
        WaitUntil([this] { return p2k.DeviceOpen(); }, switchGuard);
      } else {
        WaitUntil([this] {
          return server.State() == emu::PtyPhoneServer::UsbState::AtMode && !p2k.DeviceOpen();
        });
      }
    };
  }
  ~EmulatedP2K() {
    server.Stop();
    unsetenv("QUORIX_PUBLISHED_PORTS");
  }

  // The presence states delivered until at least `count` have come (the search thread posts each
  // one just after it changes the device).
  std::vector<int> Delivered(size_t count) { return DeliverStates(p2k, count); }

  TempDir ports;
  emu::PtyPhoneServer server;
  std::string port;
  RecordingShell shell;
  PausingClock clock;
  FastClock searchClock;
  PublishedP2KBackend backend{ports.path()};
  AppState state;
  PhoneConnection phone{state.settings, state.link, shell, clock};
  TP2KAPI p2k{shell, clock, backend, &searchClock};
  // How long a switch to P2K mode may wait for a device that might never come.
  std::chrono::milliseconds switchGuard{10000};
};

}  // namespace quorix::test
