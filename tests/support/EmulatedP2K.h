#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

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

// What the pauses of the user-interface thread stand for while it takes the emulated phone to P2K
// mode and back. Each mode switch pause lasts until what seven seconds give a real phone has
// happened: the search has found the P2K device (within guard), or after the switch back the phone
// is on its modem port again. A retry of the port waits a little in real time, as the search
// thread's clock does, so the phone's return comes within the retries' limit.
inline std::function<void(int64_t)> P2KPauses(TP2KAPI& p2k, emu::PtyPhoneServer& server,
                                              const std::chrono::milliseconds& guard) {
  return [&p2k, &server, &guard](int64_t ms) {
    if (ms == PhoneConnection::kReconnectRetryMs || ms == TP2KAPI::kDeviceWaitStepMs) {
      std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / FastClock::kSpeedUp));
    }
    if (ms != TP2KAPI::kSwitchPauseMs) return;
    if (p2k.Searching()) {
      WaitUntil([&] { return p2k.DeviceOpen(); }, guard);
    } else {
      // An unplugged phone never comes back.
      WaitUntil([&] {
        const auto state = server.State();
        return (state == emu::PtyPhoneServer::UsbState::AtMode ||
                state == emu::PtyPhoneServer::UsbState::Unplugged) &&
               !p2k.DeviceOpen();
      });
    }
  };
}

// The emulated phone keeps a file of that path.
inline bool PhoneHoldsFile(const emu::PtyPhoneServer& server, const std::string& path) {
  bool found = false;
  server.InspectFiles([&](const emu::P2KPhone& p2k) {
    for (const emu::P2KFile& file : p2k.Files()) found |= file.path == path;
  });
  return found;
}

// The emulated phone on its published modem port, and the program's P2K link and serial link to
// it: the search thread on fast real time, the rest on virtual time with P2KPauses.
struct EmulatedP2K {
  static emu::EmulatorOptions Options(emu::EmulatorOptions options, const TempDir& logs) {
    options.publish = true;
    options.logPath = logs.File("phone.log");
    options.sample = true;
    options.usbDelayMs = 30;
    return options;
  }

  explicit EmulatedP2K(emu::EmulatorOptions options = {})
      : server(Options(options, logs)),
        port((setenv("QUORIX_PUBLISHED_PORTS", ports.path().c_str(), 1), server.Start())) {
    p2k.SetPortMapSource({ports.path(), ports.path()});
    clock.onPause = P2KPauses(p2k, server, switchGuard);
    state.settings.ComPort = port;
    // What the window's timer does between events.
    shell.onProcessEvents = [this](int) {
      if (phone.Com().Connected()) phone.Com().PollTick();
      p2k.DeliverStateMessages();
    };
  }
  ~EmulatedP2K() {
    server.Stop();
    unsetenv("QUORIX_PUBLISHED_PORTS");
  }

  // The presence states delivered until at least `count` have come (the search thread posts each
  // one just after it changes the device).
  std::vector<int> Delivered(size_t count) { return DeliverStates(p2k, count); }

  // How often the phone's transcript holds text (its P2K lines show each command and reply).
  int InTranscript(const std::string& text) const {
    const std::string transcript = ReadBytes(logs.File("phone.log"));
    int count = 0;
    for (size_t at = transcript.find(text); at != std::string::npos;
         at = transcript.find(text, at + 1)) {
      ++count;
    }
    return count;
  }

  TempDir logs;
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
