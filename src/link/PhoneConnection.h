#pragma once

#include <string>

#include "base/Clock.h"
#include "base/SettingsPage.h"
#include "base/Shell.h"
#include "link/AtExchange.h"
#include "link/LinkState.h"
#include "link/SerialPortMap.h"
#include "link/TCommPortDriver.h"

namespace quorix {

// How a connect attempt ended; each failure has been shown to the user already, but for NotFound,
// which the status panels and the popup tell.
enum class ConnectOutcome { Connected, NotFound, NoModel, BadBluetoothWait };

// The AT dialogue with the phone over the port Com, and the connection state in state.link.
// Reports to the user through the Shell (status panels, popup, message boxes).
class PhoneConnection : public AtExchange {
 public:
  // A reply is given up when no byte has come for this long.
  static constexpr int64_t kReplySilenceMs = 5000;
  // ReconnectPort stops trying after this long: a restart is a full reboot, a minute and more on
  // some phones.
  static constexpr int64_t kReconnectLimitMs = 90000;
  static constexpr int64_t kReconnectRetryMs = 300;
  static constexpr int kMaxBluetoothWaitMs = 60000;
  // While a reply is awaited the window's events run this often, so it repaints and the progress
  // window's close box answers.
  static constexpr int64_t kEventsEveryMs = 100;
  // No reply of a real phone comes near this size (1250 records of the longest kind are under
  // 4 MB); a reply that grows past it, or takes longer than this size needs at the line's speed,
  // never ends and is given up.
  static constexpr size_t kMaxReplyBytes = 4u << 20;
  int64_t ReplyTimeLimitMs() const;

  PhoneConnection(SettingsPage& settings, LinkState& link, Shell& shell, Clock& clock);

  TCommPortDriver& Com() { return com_; }

  // Sends command + CR LF and collects the reply up to "OK" and one more character, or up to
  // "ERROR" (then also shown as "AT Command Error: "). An empty command leaves reply as it was.
  // A reply cut short (the phone fell silent, the line dropped, the reply passed its bounds)
  // closes the port and marks the phone disconnected, so the user reconnects and no late bytes
  // reach the next exchange.
  void SendATCommand(const std::string& command, std::string& reply) override;
  void BeginLongCommand() override;
  void EndLongCommand() override;
  void BeginQuiet() override;
  void EndQuiet() override;
  // Opens the port chosen in the settings, resets the phone and reads its model.
  ConnectOutcome ConnectPhone();
  // The connect command: ConnectPhone unless already connected.
  void ToolButton1Click();
  // The disconnect command.
  void ToolButton2Click();
  // Reopens Com on its last port after the phone changed its USB mode. False (and told as a
  // phone not found) when the port has not opened within kReconnectLimitMs.
  bool ReconnectPort();
  // True when connected; otherwise tells the user to connect first.
  bool RequireConnection();
  // Fills the port list from the serial port map and picks the last USB modem port.
  void FindSerialPorts();

  void SetPortMapSource(SerialPortMapSource source) { portMapSource_ = std::move(source); }

 private:
  ConnectOutcome Identify();
  void ReportNotFound();
  void ReportError(const std::string& reply);
  void LoseSilentPhone();
  // A phone that failed to identify keeps nothing open, so the next attempt takes the port
  // chosen then.
  void DropFailedConnection();

  SettingsPage& settings_;
  LinkState& link_;
  Shell& shell_;
  Clock& clock_;
  TCommPortDriver com_;
  SerialPortMapSource portMapSource_;
  bool connecting_ = false;  // the connect sequence tells its own failures
  int longCommands_ = 0;
  int quiet_ = 0;
  bool errorShown_ = false;  // within the outermost long command
};

}  // namespace quorix
