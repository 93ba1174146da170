#include "cli/P2KFiles.h"

#include <ostream>

#include "base/Translate.h"
#include "cli/CliCommand.h"
#include "codec/CodePage.h"
#include "link/p2k/P2KFileList.h"
#include "link/p2k/PhoneFileServices.h"

namespace quorix::cli {

namespace {

// The phone's modem port once it is back: the one it left from, or the first that shows up.
bool ReopenModemPort(TP2KAPI& p2k, PhoneConnection& phone, Shell& shell, Clock& clock,
                     std::string port) {
  const int64_t start = clock.NowMs();
  while (port.empty()) {
    if (clock.NowMs() - start >= PhoneConnection::kReconnectLimitMs) return false;
    shell.ProcessEvents();
    clock.SleepMs(PhoneConnection::kReconnectRetryMs);
    port = p2k.FindModemPort();
  }
  phone.Com().SetPortName(port);
  phone.ReconnectPort();
  const bool open = phone.Com().Connected();
  phone.Com().Disconnect();
  return open;
}

std::string NoDeviceMessage(const TP2KAPI& p2k, bool hadModem) {
  std::string message = "no P2K device appeared";
  if (!hadModem) message += " (no USB modem port of a phone was found to switch)";
  if (const std::string why = p2k.OpenFailure(); !why.empty()) message += ": " + why;
  return message;
}

}  // namespace

int InP2KMode(TP2KAPI& p2k, PhoneConnection& phone, Shell& shell, Clock& clock, std::ostream& err,
              const std::function<std::string()>& work) {
  shell.ProgressShow();
  shell.ProgressSetText(Tr("Переключение телефона в P2K режим..."));
  p2k.SetModemPort(phone.Com().PortName());
  const std::string modem = p2k.SwitchPort();
  p2k.SwitchTo("P2K");
  p2k.DeliverStateMessages();
  if (!p2k.DevicePresent()) {
    shell.ProgressClose();
    err << "quorix-cli: " << NoDeviceMessage(p2k, !modem.empty()) << '\n';
    return kExitFailure;
  }
  const std::string failure = work();
  shell.ProgressSetText(Tr("Переключение телефона в AT режим..."));
  p2k.SwitchTo("AT");
  shell.ProgressSetText(Tr("Поиск телефона..."));
  const bool back = ReopenModemPort(p2k, phone, shell, clock, modem);
  shell.ProgressClose();
  if (!back || !failure.empty()) {
    err << "quorix-cli: " << (failure.empty() ? "the phone did not come back as a modem" : failure)
        << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

int ListP2KFiles(TP2KAPI& p2k, PhoneConnection& phone, Shell& shell, Clock& clock,
                 std::ostream& out, std::ostream& err) {
  return InP2KMode(p2k, phone, shell, clock, err, [&]() -> std::string {
    const PhoneFileListing listing = ListPhoneFiles(p2k, shell, [&](const p2k::PhoneFile& file) {
      out << file.name << '\t' << file.attributes << '\n';
    });
    out << std::flush;
    if (!listing.Counted) return "the phone did not answer the file count";
    if (!listing.Complete) return "the phone did not answer the file list";
    return {};
  });
}

}  // namespace quorix::cli
