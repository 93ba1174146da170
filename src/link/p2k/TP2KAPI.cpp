#include "link/p2k/TP2KAPI.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "base/Translate.h"
#include "link/PortName.h"
#include "link/p2k/P2KFileList.h"

namespace quorix {

namespace {

constexpr const char* kProgramTitle = "Quorix";
constexpr size_t kStringAnswerSize = 512;
constexpr size_t kWriteOutputSize = 5;

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The path as the log shows it: without surrounding blanks and NULs.
std::string Trimmed(const std::string& text) {
  const auto keep = [](char c) { return c != ' ' && c != '\0'; };
  const auto first = std::find_if(text.begin(), text.end(), keep);
  const auto last = std::find_if(text.rbegin(), text.rend(), keep).base();
  return first < last ? std::string(first, last) : std::string();
}

}  // namespace

TP2KAPI::TP2KAPI(Shell& shell, Clock& clock, P2KUsbBackend& backend, Clock* searchClock)
    : shell_(shell),
      clock_(clock),
      searchClock_(searchClock ? *searchClock : clock),
      backend_(backend) {}

TP2KAPI::~TP2KAPI() {
  searching_ = false;
  thread_.request_stop();
  if (thread_.joinable()) thread_.join();
}

bool TP2KAPI::SwitchTo(const std::string& mode) {
  const std::string upper = Upper(mode);
  if (upper == "AT") {
    searching_ = false;
    const bool written = WriteData(CurrentDevice().get(), p2k::kAtModeRequest);
    clock_.SleepMs(kSwitchPauseMs);
    return written;
  }
  if (upper == "P2K") {
    searching_ = true;
    StartSearch(true);
    clock_.SleepMs(kSwitchPauseMs);
    const int64_t start = clock_.NowMs();
    while (!DeviceOpen()) {
      const int64_t waited = clock_.NowMs() - start;
      if (waited >= kDeviceWaitMs) {
        searching_ = false;
        return false;
      }
      shell_.ProgressSetText(Tr("Ожидание телефона в режиме P2K: ещё до ") +
                             std::to_string((kDeviceWaitMs - waited + 999) / 1000) + Tr(" с..."));
      shell_.ProcessEvents();
      clock_.SleepMs(kDeviceWaitStepMs);
    }
    return true;
  }
  shell_.Message(kProgramTitle, "Unknown param SwitchTo(), please try again!", MessageIcon::None);
  return false;
}

bool TP2KAPI::SendCommand(uint16_t command, std::span<const uint8_t> payload,
                          std::vector<uint8_t>& reply) {
  const std::shared_ptr<P2KUsbDevice> device = CurrentDevice();
  const auto request = p2k::CommandRequest(packetId_, command, payload);
  if (!request || !WriteData(device.get(), *request)) return false;
  const int64_t start = clock_.NowMs();
  std::array<uint8_t, p2k::kReplyBufferSize> buffer{};
  p2k::StatusAnswer status;
  do {
    std::fill_n(buffer.begin(), p2k::kStatusClearSize, 0);
    clock_.SleepMs(kPollPauseMs);
    if (!ReadData(device.get(), p2k::kStatusPollRequest, buffer)) return false;
    status = p2k::ReadStatusAnswer(buffer);
  } while (!p2k::ReplyReady(status) && clock_.NowMs() - start < kReplyLimitMs);
  if (clock_.NowMs() - start >= kReplyLimitMs) {
    Log("USB Time-out");
    return false;
  }
  const auto read = p2k::ReplyReadRequest(status);
  if (!read) return false;
  std::fill_n(buffer.begin(), p2k::kReplyClearSize, 0);
  if (!ReadData(device.get(), *read, buffer)) return false;
  const auto length = p2k::CheckReply(buffer, packetId_);
  if (!length) return false;
  const auto data = buffer.begin() + p2k::kReplyDataOffset;
  reply.assign(data, data + *length);
  return true;
}

bool TP2KAPI::RestartPhone() {
  std::vector<uint8_t> discarded;
  const bool sent = SendCommand(p2k::kRestartCommand, {}, discarded);
  searching_ = false;
  return sent;
}

void TP2KAPI::DeliverStateMessages() {
  std::deque<int> states;
  {
    const std::lock_guard lock(postMutex_);
    states.swap(posted_);
  }
  for (const int state : states) {
    if (OnDeviceChange) OnDeviceChange(state == 1 ? 1 : 0);
    devicePresent_ = state == 1;
  }
}

bool TP2KAPI::DeviceOpen() const {
  return CurrentDevice() != nullptr;
}

std::string TP2KAPI::OpenFailure() const {
  const std::lock_guard lock(deviceMutex_);
  return openFailure_;
}

bool TP2KAPI::StartSearch(bool startThread) {
  const std::lock_guard lock(threadMutex_);
  // A search that runs already goes on with its device and its state; two threads would open
  // and close the one device behind each other's back.
  if (threadRunning_) {
    searching_ = true;
    return true;
  }
  {
    const std::lock_guard portLock(portMutex_);
    switchPort_.clear();
  }
  candidates_ = {{"Motorola Test Command", 0x0102}, {"Motorola Flash", 0x0002}};
  devicePresent_ = false;
  packetId_ = 1;
  currentCandidate_ = candidates_[0];
  Post(0);
  if (startThread) {
    searching_ = true;
    if (thread_.joinable()) thread_.join();
    threadRunning_ = true;
    thread_ = std::jthread([this](std::stop_token stop) { SearchThread(stop); });
  }
  return true;
}

std::string TP2KAPI::FindModemPort() {
  for (const SerialPort& port : ReadSerialPortMap(portMapSource_)) {
    if (port.usbModem) return port.portName.substr(0, 255);
  }
  return {};
}

void TP2KAPI::SetModemPort(const std::string& port) {
  const std::lock_guard lock(portMutex_);
  modemPort_ = port;
}

std::string TP2KAPI::SwitchPort() {
  const std::vector<SerialPort> ports = ReadSerialPortMap(portMapSource_);
  const auto listed = [&](const std::string& name) {
    return std::any_of(ports.begin(), ports.end(), [&](const SerialPort& port) {
      return port.usbModem && port.portName == name;
    });
  };
  const std::lock_guard lock(portMutex_);
  if (switchPort_.empty()) switchPort_ = listed(modemPort_) ? modemPort_ : FindModemPort();
  return listed(switchPort_) ? switchPort_ : std::string();
}

bool TP2KAPI::SendModeSwitch(const std::string& port) {
  if (port.empty()) return false;
  // Not opened as a serial line: no settings, and no wait for a carrier on the modem.
  const int fd = open(PortDevicePath(port).c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  static constexpr char kLine[] = "AT+MODE=8\r";
  const bool written = write(fd, kLine, sizeof kLine - 1) == sizeof kLine - 1;
  close(fd);
  return written;
}

std::shared_ptr<P2KUsbDevice> TP2KAPI::OpenP2KDevice(const P2KCandidate& candidate) {
  auto interfaces = backend_.Interfaces();
  if (!interfaces) {
    Log("Get class fail");
    return nullptr;
  }
  for (const auto& interface : *interfaces) {
    Log("Dev name is " + Trimmed(interface->Path()));
    std::string error;
    std::unique_ptr<P2KUsbDevice> device = interface->Open(error);
    if (!device) {
      Log(error);
      const std::lock_guard lock(deviceMutex_);
      openFailure_ = error;
      continue;
    }
    std::array<uint8_t, kStringAnswerSize> answer{};
    switch (device->QueryName(candidate.StringSelector, answer, kRequestLimitMs)) {
      case TransferResult::TimedOut:
        Log("DevIOCtl fail");
        return nullptr;
      case TransferResult::Failed:
        Log("GetOverlappedResult fail");
        return nullptr;
      case TransferResult::Done:
        break;
    }
    const std::string name = p2k::InterfaceNameFromAnswer(answer);
    bool accepted = name == candidate.InterfaceName;
    if (accepted && !device->Claim(error)) {
      Log(error);
      accepted = false;
    }
    Log(name);
    if (accepted) {
      const std::lock_guard lock(deviceMutex_);
      openFailure_.clear();
      return device;
    }
  }
  return nullptr;
}

bool TP2KAPI::WriteData(P2KUsbDevice* device, std::span<const uint8_t> request) {
  std::array<uint8_t, kWriteOutputSize> output{};
  const TransferResult result =
      device ? device->Transfer(request, output, kRequestLimitMs) : TransferResult::TimedOut;
  if (result == TransferResult::TimedOut) Log("WriteData DevIOCtl fail");
  if (result == TransferResult::Failed) Log("WriteData GetOverlappedResult fail");
  return result == TransferResult::Done;
}

bool TP2KAPI::ReadData(P2KUsbDevice* device, std::span<const uint8_t> request,
                       std::span<uint8_t, p2k::kReplyBufferSize> output) {
  const TransferResult result =
      device ? device->Transfer(request, output, kRequestLimitMs) : TransferResult::TimedOut;
  if (result == TransferResult::TimedOut) Log("ReadData DevIOCtl fail");
  if (result == TransferResult::Failed) Log("ReadData GetOverlappedResult fail");
  return result == TransferResult::Done;
}

bool TP2KAPI::SearchForDevice() {
  SendModeSwitch(SwitchPort());
  searchClock_.SleepMs(kModeLinePauseMs);
  currentCandidate_ = candidates_[0];
  std::shared_ptr<P2KUsbDevice> device = OpenP2KDevice(currentCandidate_);
  if (!device) {
    currentCandidate_ = candidates_[1];
    device = OpenP2KDevice(currentCandidate_);
  }
  const bool found = device != nullptr;
  SetDevice(std::move(device));
  if (found) Post(1);
  return found;
}

void TP2KAPI::WatchDevice(std::stop_token stop) {
  if (const std::shared_ptr<P2KUsbDevice> device = CurrentDevice()) device->WaitGone(stop);
  SetDevice(nullptr);
  Post(0);
}

void TP2KAPI::SearchThread(std::stop_token stop) {
  for (;;) {
    {
      const std::lock_guard lock(threadMutex_);
      if (!searching_ || stop.stop_requested()) {
        threadRunning_ = false;
        return;
      }
    }
    if (SearchForDevice()) WatchDevice(stop);
    if (!stop.stop_requested()) searchClock_.SleepMs(kPassPauseMs);
  }
}

void TP2KAPI::Post(int state) {
  const std::lock_guard lock(postMutex_);
  posted_.push_back(state);
}

void TP2KAPI::Log(const std::string& text) {
  const std::lock_guard lock(logMutex_);
  if (DebugLog) DebugLog(text);
}

std::shared_ptr<P2KUsbDevice> TP2KAPI::CurrentDevice() const {
  const std::lock_guard lock(deviceMutex_);
  return device_;
}

void TP2KAPI::SetDevice(std::shared_ptr<P2KUsbDevice> device) {
  std::shared_ptr<P2KUsbDevice> previous;
  const std::lock_guard lock(deviceMutex_);
  previous.swap(device_);
  device_ = std::move(device);
}

}  // namespace quorix
