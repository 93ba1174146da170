#include "phone-emulator/PtyPhoneServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "phone-emulator/ModelProfile.h"

namespace quorix::emu {

namespace {

// How often a line with no client on it is looked at again.
constexpr auto kNoClientRecheck = std::chrono::milliseconds(10);
// How long a hang-up waits for the client to read what was sent before it.
constexpr auto kHangupDrainLimit = std::chrono::seconds(2);
constexpr int kHangupSettle = 20;  // ms

std::runtime_error SystemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

void MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) throw SystemError("tcgetattr");
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) throw SystemError("tcsetattr");
}

// A USB modem port that goes away cannot be opened until it comes back, and whoever still holds
// it gets errors: a locked pseudo-terminal does both.
void LockTerminal(int master, bool locked) {
  int lock = locked ? 1 : 0;
  ioctl(master, TIOCSPTLCK, &lock);
}

timespec ToTimespec(std::chrono::steady_clock::duration d) {
  const auto ns =
      std::max<long long>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
  return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

}  // namespace

PtyPhoneServer::PtyPhoneServer(EmulatorOptions options)
    : options_(std::move(options)),
      phone_(options_),
      transcript_(options_.logPath),
      p2k_(options_) {}

PtyPhoneServer::~PtyPhoneServer() {
  Stop();
}

std::string PtyPhoneServer::Start() {
  if (thread_.joinable()) return terminalPath_;
  if (!options_.logPath.empty() && !transcript_.IsOpen()) {
    throw std::runtime_error("cannot write the transcript " + options_.logPath);
  }
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) throw SystemError("posix_openpt");
  char path[128];
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, path, sizeof path)) {
    const auto error = SystemError("pseudo-terminal");
    close(master_);
    master_ = -1;
    throw error;
  }
  terminalPath_ = path;
  try {
    // The client side must behave as a raw serial line from its first open on; the setting
    // outlives this descriptor because the master stays open.
    const int slave = open(path, O_RDWR | O_NOCTTY);
    if (slave < 0) throw SystemError(std::string("open ") + path);
    MakeRaw(slave);
    close(slave);
    MakeRaw(master_);
    if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
      throw SystemError("fcntl");
    }
    wake_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_ < 0) throw SystemError("eventfd");
    if (options_.publish) published_ = std::make_unique<PublishedPort>(terminalPath_);
  } catch (...) {
    close(master_);
    master_ = -1;
    if (wake_ >= 0) close(wake_);
    wake_ = -1;
    throw;
  }
  transcript_.Note("serving " + terminalPath_ + " as " + phone_.Model());
  thread_ = std::thread([this] { Serve(); });
  return terminalPath_;
}

void PtyPhoneServer::Stop() {
  if (thread_.joinable()) {
    const uint64_t one = 1;
    [[maybe_unused]] const auto written = write(wake_, &one, sizeof one);
    thread_.join();
    transcript_.Note("stopped");
  }
  if (master_ >= 0) close(master_);
  master_ = -1;
  if (wake_ >= 0) close(wake_);
  wake_ = -1;
  published_.reset();
  endpoint_.reset();
}

void PtyPhoneServer::Inspect(const std::function<void(const EmulatedPhone&)>& look) const {
  const std::lock_guard lock(phoneMutex_);
  look(phone_);
}

void PtyPhoneServer::Change(const std::function<void(EmulatedPhone&)>& change) {
  const std::lock_guard lock(phoneMutex_);
  change(phone_);
}

void PtyPhoneServer::InspectFiles(const std::function<void(const P2KPhone&)>& look) const {
  const std::lock_guard lock(phoneMutex_);
  look(p2k_);
}

void PtyPhoneServer::ChangeFiles(const std::function<void(P2KPhone&)>& change) {
  const std::lock_guard lock(phoneMutex_);
  change(p2k_);
}

void PtyPhoneServer::Serve() {
  const auto earliest = [](std::optional<Clock::duration> a, Clock::duration b) {
    return a ? std::min(*a, b) : b;
  };
  for (;;) {
    if (usbState_ == UsbState::Away && Clock::now() >= comeBackAt_) ComeBack();
    OutputWait wait;
    const bool lineUp = master_ >= 0 && clientPresent_;
    if (lineUp) wait = PumpOutput();
    std::vector<pollfd> fds = {{wake_, POLLIN, 0}};
    if (lineUp && master_ >= 0) {
      fds.push_back({master_, static_cast<short>(POLLIN | (wait.writable ? POLLOUT : 0)), 0});
    }
    const size_t endpointAt = fds.size();
    if (endpoint_) endpoint_->AddPollFds(fds);
    std::optional<Clock::duration> timeout = wait.timeout;
    // With no client the terminal reports a hang-up at once: look again after a pause.
    if (master_ >= 0 && !clientPresent_) timeout = earliest(timeout, kNoClientRecheck);
    if (usbState_ == UsbState::Away) timeout = earliest(timeout, comeBackAt_ - Clock::now());
    timespec ts{};
    if (timeout) ts = ToTimespec(*timeout);
    const int ready = ppoll(fds.data(), fds.size(), timeout ? &ts : nullptr, nullptr);
    if (ready < 0 && errno != EINTR) return;
    if (fds[0].revents & POLLIN) return;
    if (endpoint_) ServeP2K(std::span<const pollfd>(fds).subspan(endpointAt));
    if (master_ < 0) continue;
    if (!lineUp) {
      pollfd probe{master_, POLLIN, 0};
      poll(&probe, 1, 0);
      clientPresent_ = !(probe.revents & POLLHUP);
      if (probe.revents & POLLIN) TakeInput();
      // A client that wrote and left at once (a mode switch line) gets no reply, and the next
      // one must not get it either.
      if (!clientPresent_) DropOutput("no client on the line");
      continue;
    }
    if (fds[1].revents & POLLIN) TakeInput();
    if (master_ >= 0 && (fds[1].revents & POLLHUP)) ClientLeft();
  }
}

void PtyPhoneServer::TakeInput() {
  char buffer[4096];
  const ssize_t n = read(master_, buffer, sizeof buffer);
  if (n <= 0) return;
  if (usbState_ != UsbState::AtMode) {
    // Off the modem port nothing hears the line.
    transcript_.Note("not in AT mode, ignored: " + EscapeControls({buffer, size_t(n)}));
    return;
  }
  const auto now = Clock::now();
  std::vector<Exchange> exchanges;
  {
    const std::lock_guard lock(phoneMutex_);
    exchanges = phone_.ReceiveLines(std::string_view(buffer, static_cast<size_t>(n)));
  }
  // A reply that never ends goes on only until the client says something new.
  std::erase_if(output_, [](const Chunk& chunk) { return chunk.repeats; });
  for (Exchange& exchange : exchanges) {
    transcript_.Received(exchange.command);
    if (options_.silent) continue;
    Queue(std::move(exchange.echo), now);
    const bool delayed = options_.delayOn.empty() || Matches(options_.delayOn, exchange.command);
    const auto replyAt = now + std::chrono::milliseconds(delayed ? options_.replyDelayMs : 0);
    if (Matches(options_.endlessOn, exchange.command)) {
      Queue("\r\n", replyAt);
      output_.push_back(Chunk{"+MPBR: 1,\"1\",129,0041,1,0,255,0,1,1,255,255,0,,0,0\r\n", 0,
                              replyAt, true, false});
      continue;
    }
    if (Matches(options_.garbageOn, exchange.command)) exchange.reply = WithNoise(exchange.reply);
    Queue(std::move(exchange.reply), replyAt);
    // Only a phone on USB (one that publishes its port) has a P2K mode to go to.
    if (exchange.toP2K && options_.publish && !options_.noP2K) {
      LeaveAtMode();
      return;
    }
  }
}

bool PtyPhoneServer::Matches(const std::vector<std::string>& prefixes, const std::string& command) {
  for (const std::string& prefix : prefixes) {
    if (command.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

// Line noise right after the reply's first line break: control bytes, high bytes and stray
// letters, the same every time so that a test can repeat what it saw.
std::string PtyPhoneServer::WithNoise(const std::string& reply) {
  std::string noise;
  uint32_t state = 0x2545F491u;
  for (int i = 0; i < 48; ++i) {
    state = state * 1664525u + 1013904223u;
    noise.push_back(static_cast<char>(state >> 24));
  }
  const size_t at = reply.find('\n');
  std::string noisy = reply;
  noisy.insert(at == std::string::npos ? 0 : at + 1, noise);
  return noisy;
}

void PtyPhoneServer::LeaveAtMode() {
  usbState_ = UsbState::Away;
  comeBackAsP2K_ = true;
  comeBackAt_ = Clock::now() + std::chrono::milliseconds(P2KAppearanceDelayMs(options_));
  published_.reset();
  LockTerminal(master_, true);
  transcript_.Note("switching to P2K mode: the modem port is gone");
}

void PtyPhoneServer::ComeBack() {
  if (comeBackAsP2K_) {
    {
      const std::lock_guard lock(phoneMutex_);
      p2k_.Attach();
    }
    try {
      endpoint_ = std::make_unique<P2KEndpoint>(PreparePublishedPortsDirectory());
      usbState_ = UsbState::P2KMode;
      transcript_.Note("P2K device at " + endpoint_->Path());
    } catch (const std::exception& e) {
      usbState_ = UsbState::Unplugged;
      transcript_.Note(std::string("no P2K device: ") + e.what());
    }
    return;
  }
  if (restartOnReturn_) {
    const std::lock_guard lock(phoneMutex_);
    phone_.Restart();
  }
  // The port is in the port map before anyone can see the phone back in AT mode.
  if (options_.publish) {
    try {
      published_ = std::make_unique<PublishedPort>(terminalPath_);
    } catch (const std::exception& e) {
      transcript_.Note(std::string("modem port not published: ") + e.what());
    }
  }
  LockTerminal(master_, false);
  usbState_ = UsbState::AtMode;
  transcript_.Note("back in AT mode on " + terminalPath_);
}

void PtyPhoneServer::ServeP2K(std::span<const pollfd> ready) {
  endpoint_->Serve(
      ready, [this](const p2k::endpoint::Frame& request) { return AnswerP2K(request); },
      [this] { return p2k_.Leaving() != P2KLeave::Stays; });
  if (p2k_.Leaving() != P2KLeave::Stays) LeaveP2K(p2k_.Leaving());
}

std::optional<std::vector<uint8_t>> PtyPhoneServer::AnswerP2K(const p2k::endpoint::Frame& request) {
  namespace ep = p2k::endpoint;
  std::vector<uint8_t> answer = ep::Encode(ep::kRefused, {});
  std::vector<std::string> notes;
  {
    const std::lock_guard lock(phoneMutex_);
    if (request.kind == ep::kStringQuery) {
      answer = ep::Encode(ep::kOk, p2k_.StringQueryAnswer());
    } else if (request.kind == ep::kControl && request.body.size() >= 8) {
      const std::span<const uint8_t> body(request.body);
      if (auto reply = p2k_.Control(body.first<8>(), body.subspan(8))) {
        answer = ep::Encode(ep::kOk, *reply);
      }
    }
    notes = p2k_.TakeNotes();
  }
  for (const std::string& note : notes) transcript_.P2K(note);
  // Unplugged with the request in flight: it never completes.
  if (p2k_.Leaving() == P2KLeave::Unplugged) return std::nullopt;
  return answer;
}

void PtyPhoneServer::LeaveP2K(P2KLeave leave) {
  // The state first: whoever sees the endpoint close may look at it.
  usbState_ = leave == P2KLeave::Unplugged ? UsbState::Unplugged : UsbState::Away;
  endpoint_.reset();
  if (leave == P2KLeave::Unplugged) {
    transcript_.Note("unplugged");
    return;
  }
  comeBackAsP2K_ = false;
  restartOnReturn_ = leave == P2KLeave::Restarts;
  comeBackAt_ = Clock::now() + std::chrono::milliseconds(options_.usbDelayMs);
  transcript_.Note(restartOnReturn_ ? "restarting: the P2K device is gone"
                                    : "switching to AT mode: the P2K device is gone");
}

void PtyPhoneServer::Queue(std::string bytes, Clock::time_point notBefore) {
  if (bytes.empty()) return;
  output_.push_back(Chunk{std::move(bytes), 0, notBefore});
}

PtyPhoneServer::OutputWait PtyPhoneServer::PumpOutput() {
  const Clock::duration byteTime =
      options_.baud > 0 ? std::chrono::duration_cast<Clock::duration>(
                              std::chrono::nanoseconds(10'000'000'000LL / options_.baud))
                        : Clock::duration::zero();
  while (!output_.empty()) {
    Chunk& chunk = output_.front();
    const auto now = Clock::now();
    if (now < chunk.notBefore) return {false, chunk.notBefore - now};
    size_t allowed = chunk.bytes.size() - chunk.sent;
    if (options_.baud > 0) {
      // Bytes leave at the line's speed; the line starts again from idle when it fell quiet.
      if (chunk.sent == 0 && paceOrigin_ + pacedBytes_ * byteTime < chunk.notBefore) {
        paceOrigin_ = chunk.notBefore;
        pacedBytes_ = 0;
      }
      const long long due = (now - paceOrigin_) / byteTime - pacedBytes_;
      if (due <= 0) return {false, paceOrigin_ + (pacedBytes_ + 1) * byteTime - now};
      allowed = std::min<size_t>(allowed, static_cast<size_t>(due));
    }
    if (options_.hangupAfter >= 0) {
      allowed = std::min<size_t>(allowed, static_cast<size_t>(options_.hangupAfter - bytesSent_));
    }
    if (!chunk.logged) {
      transcript_.Sent(chunk.bytes);
      chunk.logged = true;
    }
    const ssize_t n = allowed > 0 ? write(master_, chunk.bytes.data() + chunk.sent, allowed) : 0;
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) return {true, std::nullopt};
      DropOutput("the line refused the reply");
      return {};
    }
    chunk.sent += static_cast<size_t>(n);
    bytesSent_ += n;
    pacedBytes_ += n;
    if (options_.hangupAfter >= 0 && bytesSent_ >= options_.hangupAfter) {
      HangUp();
      return {};
    }
    if (chunk.sent == chunk.bytes.size() && chunk.repeats) {
      chunk.sent = 0;
    } else if (chunk.sent == chunk.bytes.size()) {
      output_.pop_front();
    } else if (static_cast<size_t>(n) < allowed) {
      return {true, std::nullopt};
    }
  }
  return {};
}

void PtyPhoneServer::ClientLeft() {
  clientPresent_ = false;
  DropOutput("no client on the line");
  // Bytes the client left unread would greet the next one; on a serial line they are lost.
  const int slave = open(terminalPath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave >= 0) {
    tcflush(slave, TCIFLUSH);
    close(slave);
  }
}

void PtyPhoneServer::DropOutput(const char* why) {
  if (output_.empty()) return;
  output_.clear();
  transcript_.Note(std::string("reply dropped: ") + why);
}

void PtyPhoneServer::HangUp() {
  transcript_.Note("hung up after " + std::to_string(bytesSent_.load()) + " bytes");
  output_.clear();
  // Closing the master discards what the client has not read yet; the bytes already sent are on
  // the wire and reach it first. A client that stops reading gets the drop after a while anyway.
  const int slave = open(terminalPath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave >= 0) {
    // The terminal passes written bytes on to the client side a moment later.
    pollfd wake{wake_, POLLIN, 0};
    const bool stopping = poll(&wake, 1, kHangupSettle) > 0;
    const auto giveUp = Clock::now() + kHangupDrainLimit;
    int unread = 0;
    while (!stopping && ioctl(slave, FIONREAD, &unread) == 0 && unread > 0 &&
           Clock::now() < giveUp) {
      if (poll(&wake, 1, 5) > 0) break;
    }
    close(slave);
  }
  // Gone from the port map before the line drops, as an unplugged modem.
  hungUp_ = true;
  published_.reset();
  close(master_);
  master_ = -1;
}

}  // namespace quorix::emu
