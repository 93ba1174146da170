#include "sms/SmsReader.h"

#include "base/Shell.h"
#include "base/Translate.h"
#include "link/AtExchange.h"
#include "link/AtReply.h"
#include "sms/SmsReplies.h"

namespace quorix::sms {

namespace {

// Only whole lines of a reply cut short are taken: the last one may have lost its end.
std::string WholeLines(const std::string& reply) {
  const size_t end = reply.rfind('\n');
  return end == std::string::npos ? std::string() : reply.substr(0, end + 1);
}

}  // namespace

SmsReadOutcome ReadSmsParts(Shell& shell, AtExchange& at, const bool& stop,
                            std::vector<SmsPart>& parts) {
  const LongCommand oneErrorBox(at);
  SmsReadOutcome outcome;
  parts.clear();
  shell.ProgressSetPosition(0);
  shell.ProgressSetMax(100);
  shell.ProgressSetText(Tr("Чтение сообщений..."));
  shell.ProgressShow();
  shell.ProcessEvents();
  const auto end = [&] {
    shell.ProgressClose();
    return outcome;
  };

  std::string reply;
  const bool modeSet = SendCounted(at, outcome.Exchanges, "AT+CMGF=0", reply);
  shell.LogLine(reply);
  if (!modeSet) {
    outcome.PhoneSilent = true;
    return end();
  }
  if (ReplyEndedInError(reply)) {
    outcome.NoPduMode = true;
    return end();
  }

  // A phone that does not tell its stores is listed in the store it has selected.
  std::vector<std::string> stores;
  {
    const QuietQuestions mayNotKnow(at);
    at.SendATCommand("AT+CPMS=?", reply);
    shell.LogLine(reply);
    if (ReplyComplete(reply) && !ReplyEndedInError(reply))
      stores = StoresToRead(MessageStoresFromReply(reply));
  }
  if (stores.empty()) stores = {""};

  for (size_t n = 0; n < stores.size(); ++n) {
    if (stop) {
      outcome.Stopped = true;
      return end();
    }
    const std::string& store = stores[n];
    shell.ProgressSetText(Tr("Чтение сообщений: ") + (store.empty() ? std::string("?") : store) +
                          "...");
    shell.ProgressSetPosition(static_cast<int>(n * 100 / stores.size()));
    shell.ProcessEvents();
    if (!store.empty()) {
      const bool selected = SendCounted(at, outcome.Exchanges, "AT+CPMS=\"" + store + "\"", reply);
      shell.LogLine(reply);
      if (!selected) {
        outcome.PhoneSilent = true;
        return end();
      }
      if (ReplyEndedInError(reply)) continue;
    }
    const bool listedWhole = SendCounted(at, outcome.Exchanges, "AT+CMGL=4", reply);
    shell.LogLine(reply);
    ListedParts listed = ListedPartsFromReply(listedWhole ? reply : WholeLines(reply), store);
    outcome.Stores.push_back(store);
    outcome.PartsRead += static_cast<int>(listed.parts.size());
    for (SmsPart& part : listed.parts) parts.push_back(std::move(part));
    for (std::string& line : listed.badLines) outcome.BadLines.push_back(std::move(line));
    if (!listedWhole) {
      outcome.PhoneSilent = true;
      return end();
    }
  }
  shell.ProgressSetPosition(100);
  outcome.Finished = true;
  return end();
}

}  // namespace quorix::sms
