#include "link/TCommPortDriver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/LineSpeed.h"
#include "link/PortName.h"

namespace quorix {

namespace {

constexpr uint32_t kMinBufSize = 128;
constexpr uint32_t kMaxBufSize = 8192;
// A reader woken by fewer bytes than this waits kBurstWaitMs for more to arrive.
constexpr uint32_t kBurstBytes = 32;
constexpr int64_t kBurstWaitMs = 2;
// Stands in for the count of a port that is not open.
constexpr uint32_t kNotOpenCount = 65535;

constexpr uint32_t kNamedRates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                    14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

uint32_t ClampBufSize(uint32_t size) {
  return std::clamp(size, kMinBufSize, kMaxBufSize);
}

// Modem-control lines; a pseudo-terminal has none and says so, which is no reason to fail.
void SetModemLine(int fd, int line, bool raised) {
  ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

TCommPortDriver::TCommPortDriver(Clock& clock) : clock_(clock) {}

TCommPortDriver::~TCommPortDriver() {
  Disconnect();
}

void TCommPortDriver::SetPort(TPortNumber port) {
  if (Connected()) return;
  port_ = port;
  if (port != pnCustom) portName_ = "\\\\.\\COM" + std::to_string(static_cast<int>(port));
}

void TCommPortDriver::SetPortName(const std::string& name) {
  if (Connected()) return;
  portName_ = name;
  port_ = pnCustom;
}

void TCommPortDriver::SetBaudRate(TBaudRate rate) {
  baudRate_ = rate;
  if (rate != brCustom) baudRateValue_ = kNamedRates[rate];
  ReapplyIfOpen();
}

void TCommPortDriver::SetBaudRateValue(uint32_t value) {
  baudRateValue_ = value;
  baudRate_ = brCustom;
  ReapplyIfOpen();
}

void TCommPortDriver::SetDataBits(TDataBits bits) {
  dataBits_ = bits;
  ReapplyIfOpen();
}

void TCommPortDriver::SetStopBits(TStopBits bits) {
  stopBits_ = bits;
  ReapplyIfOpen();
}

void TCommPortDriver::SetParity(TParity parity) {
  parity_ = parity;
  ReapplyIfOpen();
}

void TCommPortDriver::SetHwFlow(THwFlowControl flow) {
  hwFlow_ = flow;
  ReapplyIfOpen();
}

void TCommPortDriver::SetSwFlow(TSwFlowControl flow) {
  swFlow_ = flow;
  ReapplyIfOpen();
}

void TCommPortDriver::SetInBufSize(uint32_t size) {
  if (Connected()) return;
  inBufSize_ = ClampBufSize(size);
  inBuffer_.assign(inBufSize_, 0);
  SetPacketSize(packetSize_);
}

void TCommPortDriver::SetOutBufSize(uint32_t size) {
  if (Connected()) return;
  outBufSize_ = ClampBufSize(size);
}

void TCommPortDriver::SetPacketSize(int16_t size) {
  if (size <= 0) {
    packetSize_ = -1;
    return;
  }
  packetSize_ = static_cast<int16_t>(std::min<uint32_t>(size, kMaxBufSize));
  if (static_cast<uint32_t>(packetSize_) > inBufSize_) SetInBufSize(packetSize_);
}

void TCommPortDriver::SetPacketTimeout(int32_t timeout) {
  if (timeout <= 0) {
    packetTimeout_ = -1;
    return;
  }
  if (timeout < pollingDelay_) timeout = pollingDelay_ + pollingDelay_ * 40 / 100;
  packetTimeout_ = timeout;
}

void TCommPortDriver::SetPollingDelay(uint16_t delay) {
  // The front end's timer reads PollingDelay for its period, so a change takes effect with it.
  pollingDelay_ = std::max<uint16_t>(delay, 5);
  SetPacketTimeout(packetTimeout_);
}

void TCommPortDriver::ReapplyIfOpen() {
  if (Connected()) ApplyCOMSettings();
}

bool TCommPortDriver::Connect() {
  if (Connected()) return true;
  const std::string path = PortDevicePath(portName_);
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  // TIOCEXCL keeps out other programs (but not root); the lock keeps out a second copy of us.
  if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  if (!ApplyCOMSettings()) {
    Disconnect();
    return false;
  }
  return true;
}

void TCommPortDriver::Disconnect() {
  if (!Connected()) return;
  ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  packetStartMs_.reset();
  DropAhead();
}

bool TCommPortDriver::ApplyCOMSettings() {
  if (!Connected()) return false;
  termios t{};
  if (tcgetattr(fd_, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  t.c_cflag |= kSizes[dataBits_];
  switch (parity_) {
    case ptNONE:
      break;
    case ptODD:
      t.c_cflag |= PARENB | PARODD;
      break;
    case ptEVEN:
      t.c_cflag |= PARENB;
      break;
    case ptMARK:
      t.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case ptSPACE:
      t.c_cflag |= PARENB | CMSPAR;
      break;
  }
  // Linux has no 1.5 stop bits; two is the nearest the line can do.
  if (stopBits_ != sb1BITS) t.c_cflag |= CSTOPB;
  if (hwFlow_ == hfRTSCTS) t.c_cflag |= CRTSCTS;
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (swFlow_ == sfXONXOFF) t.c_iflag |= IXON | IXOFF;
  t.c_cc[VSTART] = 17;
  t.c_cc[VSTOP] = 19;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (tcsetattr(fd_, TCSANOW, &t) != 0) return false;
  if (!SetLineSpeed(fd_, baudRateValue_)) return false;
  SetModemLine(fd_, TIOCM_DTR, enableDTROnOpen_);
  if (hwFlow_ != hfRTSCTS) SetModemLine(fd_, TIOCM_RTS, hwFlow_ == hfNONERTSON);
  // The kernel sizes its own queues; there is nothing to ask for.
  return FlushBuffers(true, true);
}

bool TCommPortDriver::FlushBuffers(bool input, bool output) {
  if (!Connected()) return false;
  if (!input && !output) return true;
  const int which = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
  if (tcflush(fd_, which) != 0) return false;
  if (input) DropAhead();
  packetStartMs_.reset();
  return true;
}

uint32_t TCommPortDriver::CountRX() const {
  if (!Connected()) return kNotOpenCount;
  int waiting = 0;
  const uint32_t ahead = aheadEnd_ - aheadBegin_;
  if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return ahead;
  return ahead + static_cast<uint32_t>(waiting);
}

uint32_t TCommPortDriver::OutFreeSpace() const {
  if (!Connected()) return kNotOpenCount;
  int queued = 0;
  if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued < 0) queued = 0;
  return static_cast<uint32_t>(queued) >= outBufSize_ ? 0 : outBufSize_ - queued;
}

TLineStatus TCommPortDriver::GetLineStatus() const {
  if (!Connected()) return 0;
  int lines = 0;
  if (ioctl(fd_, TIOCMGET, &lines) != 0) return 0;
  TLineStatus status = 0;
  if (lines & TIOCM_CTS) status |= lsCTS;
  if (lines & TIOCM_DSR) status |= lsDSR;
  if (lines & TIOCM_RI) status |= lsRING;
  if (lines & TIOCM_CD) status |= lsCD;
  return status;
}

bool TCommPortDriver::SendString(const std::string& text) {
  if (text.empty()) return true;
  return SendData(text.data(), static_cast<uint32_t>(text.size())) == text.size();
}

uint32_t TCommPortDriver::SendData(const void* data, uint32_t count) {
  return SendDataEx(data, count, outputTimeout_);
}

uint32_t TCommPortDriver::SendDataEx(const void* data, uint32_t count, uint32_t timeoutMs) {
  if (!Connected()) return 0;
  const auto* bytes = static_cast<const uint8_t*>(data);
  uint32_t sent = 0;
  int64_t lastProgress = clock_.NowMs();
  while (sent < count) {
    if (checkLineStatus_ && GetLineStatus() == 0) return sent;
    const ssize_t n = ::write(fd_, bytes + sent, count - sent);
    if (n > 0) {
      sent += static_cast<uint32_t>(n);
      lastProgress = clock_.NowMs();
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    const int64_t left = timeoutMs - (clock_.NowMs() - lastProgress);
    if (left < 0) break;
    if (n < 0 && errno != EAGAIN) {
      // The line is gone; waiting for it would only spin.
      break;
    }
    clock_.WaitFd(fd_, POLLOUT, left + 1);
  }
  return sent;
}

// A reply is taken byte by byte; one read of whatever the kernel holds serves many of them.
uint32_t TCommPortDriver::ReadRaw(uint8_t* into, uint32_t count) {
  uint32_t got = TakeAhead(into, count);
  if (got == count) return got;
  if (count - got >= ahead_.size()) return got + ReadKernel(into + got, count - got);
  aheadBegin_ = 0;
  aheadEnd_ = ReadKernel(ahead_.data(), static_cast<uint32_t>(ahead_.size()));
  return got + TakeAhead(into + got, count - got);
}

uint32_t TCommPortDriver::TakeAhead(uint8_t* into, uint32_t count) {
  const uint32_t n = std::min(count, aheadEnd_ - aheadBegin_);
  std::copy_n(ahead_.begin() + aheadBegin_, n, into);
  aheadBegin_ += n;
  return n;
}

uint32_t TCommPortDriver::ReadKernel(uint8_t* into, uint32_t count) {
  for (;;) {
    const ssize_t n = ::read(fd_, into, count);
    if (n >= 0) return static_cast<uint32_t>(n);
    if (errno != EINTR) return 0;
  }
}

uint32_t TCommPortDriver::ReadData(void* buffer, uint32_t count) {
  if (!Connected()) return 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  PausePolling();
  uint32_t got = 0;
  int64_t lastByte = clock_.NowMs();
  while (got < count) {
    const uint32_t n = ReadRaw(bytes + got, count - got);
    if (n > 0) {
      got += n;
      lastByte = clock_.NowMs();
      continue;
    }
    const int64_t left = inputTimeout_ - (clock_.NowMs() - lastByte);
    if (left < 0) break;
    if (!clock_.WaitFd(fd_, POLLIN, left + 1)) continue;
    const uint32_t waiting = CountRX();
    if (waiting == 0) {
      // Ready without data: the other end hung up. Wait out the limit as a silent line would.
      clock_.SleepMs(left + 1);
    } else if (waiting < kBurstBytes) {
      // A line that trickles in byte by byte would wake us for every byte; let a burst gather
      // for a moment, as a USB modem hands over a frame at a time.
      clock_.SleepMs(kBurstWaitMs);
    }
  }
  ContinuePolling();
  return got;
}

bool TCommPortDriver::ReadByte(uint8_t& byte) {
  uint8_t got = 0;
  if (ReadData(&got, 1) != 1) return false;
  byte = got;
  return true;
}

void TCommPortDriver::PollTick() {
  if (!Connected() || pollingPause_ > 0) return;
  const uint32_t waiting = CountRX();
  if (packetSize_ >= 1) {
    PollPackets(waiting);
    return;
  }
  if (waiting == 0) return;
  const uint32_t n = ReadRaw(inBuffer_.data(), std::min(waiting, inBufSize_));
  if (n > 0 && onReceiveData_) onReceiveData_(*this, inBuffer_.data(), n);
}

void TCommPortDriver::PollPackets(uint32_t waiting) {
  const auto size = static_cast<uint32_t>(packetSize_);
  if (waiting < size) {
    if (packetTimeout_ > 0 && packetStartMs_ && clock_.NowMs() - *packetStartMs_ > packetTimeout_) {
      const uint32_t n = ReadRaw(inBuffer_.data(), std::min(waiting, inBufSize_));
      if (packetMode_ == pmPass && n > 0 && onReceivePacket_) {
        onReceivePacket_(*this, inBuffer_.data(), n);
      }
      packetStartMs_.reset();
      return;
    }
    if (waiting > 0 && !packetStartMs_) packetStartMs_ = clock_.NowMs();
    return;
  }
  while (waiting >= size) {
    const uint32_t n = ReadRaw(inBuffer_.data(), size);
    if (n > 0 && onReceivePacket_) onReceivePacket_(*this, inBuffer_.data(), n);
    const int64_t lineMs = (static_cast<int64_t>(size) * 10 * 1000 + baudRateValue_ / 2) /
                           std::max<uint32_t>(baudRateValue_, 1);
    if (packetStartMs_) *packetStartMs_ += lineMs;
    waiting -= size;
    if (waiting == 0) packetStartMs_.reset();
  }
}

}  // namespace quorix
