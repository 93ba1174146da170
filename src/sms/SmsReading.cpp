#include "sms/SmsReading.h"

#include <algorithm>

#include "base/Clock.h"
#include "base/Shell.h"
#include "base/Translate.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsJoin.h"
#include "sms/SmsPdu.h"
#include "sms/SmsReader.h"

namespace quorix::sms {

SmsReadOutcome ReadMessages(SmsState& state, Shell& shell, AtExchange& at, Clock& clock,
                            const bool& stop) {
  std::vector<SmsPart> parts;
  state.LastReading = ReadSmsParts(shell, at, stop, parts);
  for (SmsPart& part : parts) DecodePart(part);
  state.Messages = JoinParts(std::move(parts));
  state.ReadAt = clock.WallSeconds();
  return state.LastReading;
}

SmsBackupRead ReadMessageBackup(const std::string& path) {
  SmsBackupRead read = ReadSmsBackup(path);
  for (SmsMessage& message : read.messages) {
    for (SmsPart& part : message.parts) DecodePart(part);
  }
  return read;
}

void OpenMessageBackup(SmsState& state, Shell& shell, Clock& clock, const std::string& path) {
  try {
    SmsBackupRead read = ReadMessageBackup(path);
    state.Messages = std::move(read.messages);
    state.ReadAt = read.readingTime.value_or(clock.WallSeconds());
    state.LastReading = {};
    std::string told = Tr("Открыто сообщений: ") + std::to_string(state.Messages.size());
    shell.SetStatus(1, told);
    if (read.problems.empty()) return;
    told += Tr(". Пропущены строки:");
    for (const SmsBackupProblem& problem : read.problems)
      told += "\n" + std::to_string(problem.line) + ": " + problem.why;
    shell.Message(Tr("Внимание!"), told, MessageIcon::Warning);
  } catch (const SmsFileError& e) {
    shell.Message(Tr("Внимание!"), e.what(), MessageIcon::Error);
  }
}

int UndecodedMessages(const std::vector<SmsMessage>& messages) {
  return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                        [](const SmsMessage& m) { return !m.decoded; }));
}

std::string SmsReadingSummary(const SmsReadOutcome& outcome,
                              const std::vector<SmsMessage>& messages) {
  std::string text = Tr("Прочитано сообщений: ") + std::to_string(messages.size()) +
                     Tr(" (частей: ") + std::to_string(outcome.PartsRead) + ")";
  if (const int undecoded = UndecodedMessages(messages); undecoded > 0)
    text += Tr(", не распознано: ") + std::to_string(undecoded) + Tr(" (сохраняются как есть)");
  if (outcome.NoPduMode) text += Tr(". Телефон не выдаёт сообщения в режиме PDU");
  if (outcome.PhoneSilent) text += Tr(". Телефон не отвечает: чтение прервано");
  if (outcome.Stopped) text += Tr(". Чтение остановлено");
  if (outcome.Exchanges.Failed > 0)
    text += Tr(". Запросов с ошибкой: ") + std::to_string(outcome.Exchanges.Failed) + Tr(" из ") +
            std::to_string(outcome.Exchanges.Requests);
  if (!outcome.BadLines.empty())
    text += Tr(". Непонятных строк: ") + std::to_string(outcome.BadLines.size()) + " (" +
            outcome.BadLines.front() + ")";
  return text;
}

void ReportSmsReading(Shell& shell, const SmsReadOutcome& outcome,
                      const std::vector<SmsMessage>& messages) {
  const std::string summary = SmsReadingSummary(outcome, messages);
  shell.SetStatus(1, summary);
  if (outcome.HadFailures() || UndecodedMessages(messages) > 0)
    shell.Message(Tr("Внимание!"), summary + ".", MessageIcon::Warning);
}

}  // namespace quorix::sms
