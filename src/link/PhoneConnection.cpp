#include "link/PhoneConnection.h"

#include <algorithm>

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "link/AtReply.h"

namespace quorix {

namespace {

constexpr const char* kProgramTitle = "Quorix";

// Something between the echo of the command and the final "OK": the phone told its model.
bool HoldsModelLine(const std::string& reply) {
  const size_t echoEnd = reply.find('\r');
  if (echoEnd == std::string::npos) return false;
  const size_t end = reply.size() >= 3 ? reply.size() - 3 : 0;
  for (size_t i = echoEnd; i < end; ++i) {
    if (reply[i] != '\r' && reply[i] != '\n') return true;
  }
  return false;
}

std::string DropLast(const std::string& text, size_t count) {
  return text.size() <= count ? std::string() : text.substr(0, text.size() - count);
}

}  // namespace

PhoneConnection::PhoneConnection(SettingsPage& settings, LinkState& link, Shell& shell,
                                 Clock& clock)
    : settings_(settings), link_(link), shell_(shell), clock_(clock), com_(clock) {
  com_.SetPort(pnCustom);
  com_.SetPortName("\\\\.\\COM4");
}

void PhoneConnection::SendATCommand(const std::string& command, std::string& reply) {
  if (command.empty()) return;
  reply.clear();
  // The bytes of this reply are ours: the polling tick that runs with the events must not take
  // them.
  com_.PausePolling();
  shell_.ShowWaiting(true);
  com_.SendString(command + "\r\n");
  const int64_t start = clock_.NowMs();
  int64_t lastByte = start;
  int64_t lastEvents = start;
  bool endless = false;
  while (!ReplyComplete(reply) && com_.Connected()) {
    if (reply.size() >= kMaxReplyBytes || clock_.NowMs() - start >= ReplyTimeLimitMs()) {
      endless = true;
      break;
    }
    uint8_t byte = 0;
    if (com_.ReadByte(byte)) {
      reply.push_back(static_cast<char>(byte));
      lastByte = clock_.NowMs();
    } else if (clock_.NowMs() - lastByte >= kReplySilenceMs) {
      break;
    }
    if (clock_.NowMs() - lastEvents >= kEventsEveryMs) {
      shell_.ProcessEvents();
      lastEvents = clock_.NowMs();
    }
  }
  com_.ContinuePolling();
  shell_.ShowWaiting(false);
  if (endless && !connecting_) {
    shell_.Message(Tr("Внимание!"), Tr("Ответ телефона не кончается: обмен прерван."),
                   MessageIcon::Warning);
  }
  if (!ReplyComplete(reply)) {
    LoseSilentPhone();
  } else if (ReplyEndedInError(reply)) {
    ReportError(reply);
  }
}

int64_t PhoneConnection::ReplyTimeLimitMs() const {
  // The line speed the user gives on the settings page (the port itself keeps its own); ten bits
  // a byte, twice over for a phone that pauses, and the silence limit.
  const int64_t bitsPerSecond =
      std::max<int64_t>({com_.BaudRateValue(), NumberIn(settings_.BaudRate).value_or(0), 1});
  return static_cast<int64_t>(kMaxReplyBytes) * 10 * 1000 * 2 / bitsPerSecond + kReplySilenceMs;
}

void PhoneConnection::BeginLongCommand() {
  if (longCommands_++ == 0) errorShown_ = false;
}

void PhoneConnection::EndLongCommand() {
  if (longCommands_ > 0) --longCommands_;
}

void PhoneConnection::BeginQuiet() {
  ++quiet_;
}

void PhoneConnection::EndQuiet() {
  if (quiet_ > 0) --quiet_;
}

void PhoneConnection::ReportError(const std::string& reply) {
  const std::string text = "AT Command Error: " + reply;
  if (quiet_ > 0 || (longCommands_ > 0 && errorShown_)) {
    shell_.LogLine(text);
    return;
  }
  errorShown_ = true;
  shell_.Message(kProgramTitle, text, MessageIcon::Error);
}

// Only a phone that was connected is lost here; the connect sequence reports its own failures.
void PhoneConnection::LoseSilentPhone() {
  if (!link_.PhoneConnected || connecting_) return;
  com_.Disconnect();
  link_.PhoneConnected = false;
  ReportNotFound();
  shell_.SetStatus(2, "");
}

void PhoneConnection::ReportNotFound() {
  shell_.SetStatus(0, Tr("Статус: Отключен"));
  shell_.SetStatus(1, Tr("Телефон не найден!"));
  shell_.Notify(Tr("Мобильный телефон не найден!"));
}

void PhoneConnection::DropFailedConnection() {
  com_.Disconnect();
}

ConnectOutcome PhoneConnection::ConnectPhone() {
  link_.PhoneConnected = false;
  connecting_ = true;
  const ConnectOutcome outcome = Identify();
  connecting_ = false;
  return outcome;
}

ConnectOutcome PhoneConnection::Identify() {
  const SettingsPage& settings = settings_;
  const std::string port = settings.Bluetooth ? settings.BCom : settings.ComPort;
  com_.SetPortName("\\\\.\\" + port);
  com_.Connect();
  if (settings.Bluetooth) {
    int waitMs = 0;
    try {
      waitMs = StrToInt(settings.BTimeout);
    } catch (const ConversionError&) {
      DropFailedConnection();
      connecting_ = false;
      throw;
    }
    // A wait of days (or below nothing) would hang the connect.
    if (waitMs < 0 || waitMs > kMaxBluetoothWaitMs) {
      DropFailedConnection();
      shell_.Message(Tr("Внимание!"),
                     Tr("Таймаут Bluetooth соединения должен быть от 0 до 60000 мс!"),
                     MessageIcon::Warning);
      return ConnectOutcome::BadBluetoothWait;
    }
    clock_.SleepMs(waitMs);
  }
  std::string reply;
  if (com_.Connected()) SendATCommand("ATZ", reply);
  if (FromEcho(reply, "ATZ") != "ATZ\r\r\nOK\r") {
    DropFailedConnection();
    ReportNotFound();
    return ConnectOutcome::NotFound;
  }
  link_.PhoneConnected = true;
  reply.clear();
  SendATCommand("AT+CGMM", reply);
  reply = FromEcho(reply, "AT+CGMM");
  // An ERROR or a reply without a model line names no phone either.
  if (reply.empty() ||
      (ReplyComplete(reply) && (ReplyEndedInError(reply) || !HoldsModelLine(reply)))) {
    DropFailedConnection();
    shell_.Message(kProgramTitle, "error in check phone model", MessageIcon::None);
    link_.PhoneConnected = false;
    return ConnectOutcome::NoModel;
  }
  if (!ReplyComplete(reply)) {
    // The line dropped while the model was told: nothing identified.
    link_.PhoneConnected = false;
    DropFailedConnection();
    ReportNotFound();
    return ConnectOutcome::NotFound;
  }
  const size_t equals = reply.rfind('=');
  const std::string& model = link_.PhoneModel =
      DropLast(equals == std::string::npos ? reply : reply.substr(equals + 1), 8);
  shell_.Notify("Motorola " + model + "\r\n" + Tr("подключен!"));
  shell_.SetStatus(0, Tr("Статус: Подключен :)"));
  shell_.SetStatus(1, "");
  shell_.SetStatus(2, Tr("Модель: ") + model);
  return ConnectOutcome::Connected;
}

void PhoneConnection::ToolButton1Click() {
  if (!link_.PhoneConnected) ConnectPhone();
}

void PhoneConnection::ToolButton2Click() {
  if (!link_.PhoneConnected) return;
  com_.Disconnect();
  link_.PhoneConnected = false;
  shell_.SetStatus(0, Tr("Статус: Отключен"));
  shell_.Notify(Tr("Телефон отключен!"));
  shell_.SetStatus(1, "");
  shell_.SetStatus(2, "");
}

bool PhoneConnection::ReconnectPort() {
  link_.PhoneConnected = false;
  const int64_t start = clock_.NowMs();
  while (!com_.Connect()) {
    if (clock_.NowMs() - start >= kReconnectLimitMs) {
      ReportNotFound();
      return false;
    }
    // After a restart the modem port may come back under another name.
    for (const SerialPort& port : ReadSerialPortMap(portMapSource_)) {
      if (port.usbModem) {
        settings_.ComPort = port.portName;
        com_.SetPortName("\\\\.\\" + port.portName);
        break;
      }
    }
    shell_.ProcessEvents();
    clock_.SleepMs(kReconnectRetryMs);
  }
  link_.PhoneConnected = true;
  return true;
}

bool PhoneConnection::RequireConnection() {
  if (link_.PhoneConnected) return true;
  shell_.Message(Tr("Внимание!"), Tr("Подключитесь к телефону!"), MessageIcon::Warning);
  return false;
}

void PhoneConnection::FindSerialPorts() {
  SettingsPage& settings = settings_;
  settings.PortItems.clear();
  settings.ComPort.clear();
  for (const SerialPort& port : ReadSerialPortMap(portMapSource_)) {
    settings.PortItems.push_back(port.portName);
    if (port.usbModem) settings.ComPort = port.portName;
  }
}

}  // namespace quorix
