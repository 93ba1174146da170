#include "link/p2k/PhoneFileServices.h"

#include "base/Translate.h"
#include "codec/CodePage.h"

namespace quorix {

namespace {

constexpr const char* kProgramTitle = "Quorix";

}  // namespace

PhoneFileListing ListPhoneFiles(TP2KAPI& p2k, Shell& shell,
                                const std::function<void(const p2k::PhoneFile&)>& onFile) {
  PhoneFileListing listing;
  shell.ProgressSetText(Tr("Чтение колличества файлов..."));
  shell.ProcessEvents();
  std::vector<uint8_t> reply;
  listing.Counted = p2k.SendCommand(p2k::kFileCommand, p2k::FileCountPayload(), reply);
  if (listing.Counted) listing.Count = p2k::FileCountFromReply(reply);
  listing.Complete = listing.Counted;

  const int parts = (listing.Count + p2k::kRecordsPerReply - 1) / p2k::kRecordsPerReply;
  shell.ProgressSetMax(parts);
  shell.ProgressSetPosition(0);
  shell.ProgressSetText(Tr("Чтение файл-листа..."));
  shell.ProcessEvents();
  for (int part = 1; part <= parts; ++part) {
    if (!p2k.SendCommand(p2k::kFileCommand, p2k::FileListPayload(), reply)) {
      shell.LogLine(std::string("Список файлов телефона прочитан не весь: часть ") +
                    std::to_string(part) + std::string(" из ") + std::to_string(parts) +
                    std::string(" не получена."));
      listing.Complete = false;
      break;
    }
    for (const p2k::PhoneFile& file : p2k::FileRecordsFromReply(reply)) {
      ++listing.Listed;
      onFile(file);
    }
    shell.ProgressStep(1);
  }
  return listing;
}

bool ReconnectAfterP2K(PhoneConnection& phone, Shell& shell) {
  if (phone.ReconnectPort()) return true;
  shell.Message(Tr("Внимание!"),
                Tr("Телефон не вернулся в режим модема. Подключитесь к нему снова, когда он "
                   "будет готов."),
                MessageIcon::Warning);
  return false;
}

bool ReturnToAtMode(TP2KAPI& p2k, PhoneConnection& phone, LinkState& link, bool bluetooth,
                    Shell& shell) {
  shell.ProgressSetText(Tr("Переключение телефона в AT режим..."));
  shell.ProcessEvents();
  if (!bluetooth) link.PhoneConnected = p2k.SwitchTo("AT");
  shell.ProgressSetText(Tr("Поиск телефона..."));
  shell.ProcessEvents();
  return bluetooth || ReconnectAfterP2K(phone, shell);
}

ToneDatabaseOutcome ToolButton15Click(TP2KAPI& p2k, PhoneConnection& phone, LinkState& link,
                                      Shell& shell) {
  if (!shell.AskBeforeDestroying(
          Tr("Внимание!"),
          Tr("Вы действительно хотите удалить файл MyToneDB.db?\n\nТелефон после этого "
             "перезагрузится: звонки и связь прервутся на минуту.")))
    return ToneDatabaseOutcome::Declined;
  const bool wasConnected = link.PhoneConnected;
  if (wasConnected) phone.Com().Disconnect();
  shell.ProgressSetText(Tr("Переключение телефона в P2K режим..."));
  shell.ProgressShowGauge(false);
  shell.ProgressShow();
  shell.ProcessEvents();
  p2k.SetModemPort(phone.Com().PortName());
  p2k.SwitchTo("P2K");

  shell.ProgressSetText(std::string("Remove ") + p2k::kToneDatabasePath + "...");
  shell.ProcessEvents();
  std::vector<uint8_t> reply;
  // A status byte other than 0 is the phone's refusal (no such file, for one).
  const bool deleted =
      p2k.SendCommand(p2k::kFileCommand, p2k::DeleteFilePayload(p2k::kToneDatabasePath), reply) &&
      (reply.empty() || reply[0] == 0);
  if (!deleted) shell.Message(kProgramTitle, Tr("Невозможно удалить файл!"), MessageIcon::None);

  shell.ProgressSetText(Tr("Перезагрузка телефона..."));
  shell.ProcessEvents();
  p2k.RestartPhone();
  shell.ProgressSetText(Tr("Поиск телефона..."));
  bool back = false;
  if (wasConnected) {
    back = ReconnectAfterP2K(phone, shell);
  } else {
    link.PhoneConnected = false;
  }
  shell.ProgressShowGauge(true);
  shell.ProgressClose();
  if (deleted) {
    const std::string told = Tr("Файл MyToneDB.db удалён, телефон перезагружен") +
                             (back ? Tr(" и снова подключён.") : std::string("."));
    shell.SetStatus(1, told);
    shell.Notify(told);
  }
  return deleted ? ToneDatabaseOutcome::Deleted : ToneDatabaseOutcome::NotDeleted;
}

}  // namespace quorix
