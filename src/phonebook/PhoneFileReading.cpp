#include "phonebook/PhoneFileReading.h"

#include "base/Clock.h"
#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/Utf8.h"
#include "link/PhoneConnection.h"
#include "link/p2k/PhoneFileServices.h"
#include "link/p2k/TP2KAPI.h"
#include "phonebook/FileChoices.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

namespace {

constexpr int64_t kPortClosePauseMs = 100;
constexpr size_t kFileNameRoom = 254;

}  // namespace

PhoneFileOutcome ReadPhoneFileList(PhonebookSession& app, Shell& shell,
                                   const PhoneFileLinks& links) {
  PhonebookState& pb = app.phonebook;
  LinkState& link = app.link;
  const bool bluetooth = app.settings.Bluetooth;
  PhoneFileOutcome outcome;
  // Over Bluetooth the serial link is not the USB modem port and stays open.
  if (link.PhoneConnected && !bluetooth) {
    links.phone.Com().Disconnect();
    links.clock.SleepMs(kPortClosePauseMs);
  }
  shell.ProgressSetText(Tr("Переключение телефона в P2K режим..."));
  shell.ProcessEvents();
  links.p2k.SetModemPort(links.phone.Com().PortName());
  if (!links.p2k.SwitchTo("P2K")) {
    shell.Message("Quorix", "P2K Mode ERROR!", MessageIcon::None);
    // No P2K device came: the phone is still on its modem port, or back there soon, and the
    // reading's link is taken up again rather than left closed.
    outcome.Back = bluetooth || ReconnectAfterP2K(links.phone, shell);
    link.PhoneConnected = outcome.Back;
    return outcome;
  }
  link.PhoneConnected = true;

  int rows = 0;
  int beyond = 0;
  const PhoneFileListing listing =
      ListPhoneFiles(links.p2k, shell, [&](const p2k::PhoneFile& file) {
        const std::string name = Utf8Prefix(file.name, kFileNameRoom);
        if (rows < kPhoneFileRows) {
          pb.PhoneFileList[++rows] = {name, file.attributes};
        } else {
          ++beyond;
        }
        shell.LogLine(name);
        shell.LogLine(name);
      });
  outcome.Listed = listing.Complete;
  if (!listing.Counted) {
    shell.Message(Tr("Внимание!"),
                  Tr("Список файлов телефона прочитать не удалось: мелодии и картинки остались "
                     "прежними."),
                  MessageIcon::Warning);
  } else {
    // Rows an earlier, longer list left behind would pass for the phone's files.
    for (int row = rows + 1; row <= kPhoneFileRows; ++row) pb.PhoneFileList[row] = FileRecord{};
    if (beyond > 0) {
      shell.Message(Tr("Внимание!"),
                    Tr("В телефоне больше файлов, чем вмещает список (") +
                        std::to_string(kPhoneFileRows) + std::string("): ") +
                        std::to_string(beyond) + Tr(" не вошли в выбор мелодий и картинок."),
                    MessageIcon::Warning);
    }
    BuildFileChoices(pb, shell, rows);
  }

  bool back = false;
  if (app.settings.RmMyToneDB &&
      ToolButton15Click(links.p2k, links.phone, link, shell) != ToneDatabaseOutcome::Declined) {
    back = link.PhoneConnected;
  } else {
    // Declining the delete must not leave the phone in P2K mode with its port closed.
    back = ReturnToAtMode(links.p2k, links.phone, link, bluetooth, shell);
  }
  outcome.Back = back;
  if (listing.Counted) RefreshFileMelodyLabels(pb);
  shell.ProgressClose();
  return outcome;
}

}  // namespace quorix
