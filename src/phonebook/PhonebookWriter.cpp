#include "phonebook/PhonebookWriter.h"

#include <algorithm>
#include <string>

#include "base/Clock.h"
#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "link/AtExchange.h"
#include "link/AtReply.h"
#include "link/PhoneReset.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"
#include "phonebook/PhonebookWriteCommands.h"

namespace quorix {

namespace {

bool Marked(const std::string& mark) {
  return mark == kMarkChanged || mark == kMarkRemoved;
}

// One command of a write; true when its reply came whole and was not an ERROR. A reply cut short
// stops the operation.
bool Write(AtExchange& at, PhonebookWriteOutcome& outcome, const std::string& command,
           std::string& reply) {
  if (!SendCounted(at, outcome.Exchanges, command, reply)) {
    outcome.PhoneSilent = true;
    return false;
  }
  return !ReplyEndedInError(reply);
}

void LogExchange(Shell& shell, const std::string& command, const std::string& reply) {
  shell.LogLine(command);
  shell.LogLine(reply);
}

// Sends a command whose reply is logged on its own line after it.
bool SendLogged(Shell& shell, AtExchange& at, PhonebookWriteOutcome& outcome,
                const std::string& command) {
  std::string reply;
  const bool ok = Write(at, outcome, command, reply);
  LogExchange(shell, command, reply);
  return !outcome.PhoneSilent && ok;
}

// One marked row: for a write its delete, then the write; for a removal the delete alone; then
// the pause, the log entry, the status and the gauge. False when the phone fell silent; ok tells
// whether the row's command went through.
bool SendRow(Shell& shell, AtExchange& at, Clock& clock, PhonebookWriteOutcome& outcome,
             const std::string& deleteCommand, const std::string& writeCommand,
             const std::string& status, bool& ok) {
  std::string reply;
  if (!writeCommand.empty()) {
    Write(at, outcome, deleteCommand, reply);
    if (outcome.PhoneSilent) return false;
  }
  const std::string& command = writeCommand.empty() ? deleteCommand : writeCommand;
  ok = Write(at, outcome, command, reply);
  clock.SleepMs(kWritePauseMs);
  shell.LogLine(command + "\r\n" + reply);
  if (outcome.PhoneSilent) return false;
  shell.SetStatus(1, status);
  ++(ok ? (writeCommand.empty() ? outcome.Deleted : outcome.Written) : outcome.Failed);
  shell.ProgressStep(1);
  return true;
}

// The category and entry loops; false when they stopped before their end.
bool WriteCategories(PhonebookSession& app, Shell& shell, AtExchange& at, Clock& clock,
                     PhonebookWriteOutcome& outcome) {
  for (int n = 2; n <= kCategoryRows; ++n) {
    if (app.AbortRequested) {
      outcome.Aborted = true;
      return false;
    }
    CategoryRow& row = app.phonebook.Categories[n];
    const std::string number = std::to_string(n);
    bool ok = false;
    if (row[CategoryMark] == kMarkChanged) {
      if (!SendRow(shell, at, clock, outcome, CategoryDeleteCommand(n),
                   CategoryWriteCommand(n, row), Tr("Запись категории #") + number, ok)) {
        return false;
      }
      if (ok) row[CategoryMark].clear();
    } else if (row[CategoryMark] == kMarkRemoved) {
      if (!SendRow(shell, at, clock, outcome, CategoryDeleteCommand(n), "",
                   Tr("Удаление категории #") + number, ok)) {
        return false;
      }
      if (ok) {
        row[CategoryName].clear();
        row[CategoryMark].clear();
      }
    }
    shell.ProcessEvents();
  }
  return true;
}

bool WriteEntries(PhonebookSession& app, Shell& shell, AtExchange& at, Clock& clock,
                  PhonebookWriteOutcome& outcome) {
  for (int n = 1; n <= kEntryRows; ++n) {
    if (app.AbortRequested) {
      outcome.Aborted = true;
      return false;
    }
    EntryRow& row = app.phonebook.PhonebookEntries[n];
    const std::string number = std::to_string(n);
    bool ok = false;
    if (row[EntryMark] == kMarkChanged) {
      if (row[EntryBirthday] == "\"\"") row[EntryBirthday].clear();
      if (!SendRow(shell, at, clock, outcome, EntryDeleteCommand(n),
                   EntryWriteCommand(n, row, app.settings.AdvancedPhoneBook),
                   Tr("Запись в #") + number, ok)) {
        return false;
      }
      if (ok) row[EntryMark].clear();
    } else if (row[EntryMark] == kMarkRemoved) {
      if (!SendRow(shell, at, clock, outcome, EntryDeleteCommand(n), "",
                   Tr("Удаление из #") + number, ok)) {
        return false;
      }
      if (ok) {
        row[EntryNumber].clear();
        row[EntryMark].clear();
      }
    }
    shell.ProcessEvents();
  }
  return true;
}

}  // namespace

int PendingChanges(const PhonebookTables& tables) {
  int pending = 0;
  for (int n = 2; n <= kCategoryRows; ++n) pending += Marked(tables.Categories[n][CategoryMark]);
  for (int n = 1; n <= kEntryRows; ++n) pending += Marked(tables.PhonebookEntries[n][EntryMark]);
  return pending;
}

namespace {

// The clear empties the phone before the restored book is written: said with what comes after it,
// and plainest when nothing does.
bool ConfirmClearBeforeUpload(const PhonebookSession& app, Shell& shell) {
  int entries = 0;
  for (int n = 1; n <= kEntryRows; ++n) {
    entries += app.phonebook.PhonebookEntries[n][EntryMark] == kMarkChanged;
  }
  const std::string question =
      entries == 0
          ? Tr("В восстановленном справочнике нет ни одной записи! Очистка удалит из телефона все "
               "записи и категории, и телефон останется с пустым справочником.\n\nОчистить "
               "справочник телефона?")
          : Tr("Перед загрузкой из телефона будут удалены все записи и категории, затем будет "
               "записано записей: ") +
                std::to_string(entries) + Tr(".\n\nОчистить справочник телефона и загрузить?");
  return shell.AskBeforeDestroying(WarningCaption(), question);
}

}  // namespace

PhonebookWriteOutcome WritePhonebook(PhonebookSession& app, Shell& shell, AtExchange& at,
                                     Clock& clock) {
  const LongCommand oneErrorBox(at);
  PhonebookWriteOutcome outcome;
  const auto finish = [&app, &outcome] {
    if (outcome.HadErrors()) app.UploadHadErrors = true;
    return outcome;
  };
  const auto selectTextsAndMemory = [&] {
    return (SendLogged(shell, at, outcome, "AT+CSCS=UCS2") || !outcome.PhoneSilent) &&
           (SendLogged(shell, at, outcome, "AT+CPBS=\"MT\"") || !outcome.PhoneSilent);
  };
  if (app.RestoredFromFile && app.settings.ClearPB && !ConfirmClearBeforeUpload(app, shell)) {
    outcome.Declined = true;
    return outcome;
  }
  SendReset(app.link, at, shell, clock);
  if (!selectTextsAndMemory()) return finish();

  if (app.RestoredFromFile) {
    // A clear that did not get through is tried again by the next upload: otherwise the phone
    // would keep its old book under the restored one.
    if (app.settings.ClearPB) {
      if (!ClearPhoneMemory(app, shell, at, clock, outcome)) return finish();
      // The clear's reset put the phone back to its own character set: the UCS2 texts would be
      // stored as their hex digits.
      if (!selectTextsAndMemory()) return finish();
    }
    app.RestoredFromFile = false;
  }

  shell.ProgressShow();
  shell.ProgressSetText(Tr("Запись данных в телефон..."));
  shell.ProgressSetPosition(0);
  shell.ProcessEvents();
  // Category 1 is the phone's own and never written; its mark has nothing to wait for.
  app.phonebook.Categories[1][CategoryMark].clear();
  shell.ProgressSetMax(PendingChanges(app.phonebook));

  if (!WriteCategories(app, shell, at, clock, outcome)) return finish();
  if (!WriteEntries(app, shell, at, clock, outcome)) return finish();
  shell.ProgressClose();
  return finish();
}

PhonebookWriteOutcome UploadPhonebook(PhonebookSession& app, Shell& shell, AtExchange& at,
                                      Clock& clock) {
  app.AbortRequested = false;
  shell.SetStatus(0, Tr("Телефон занят..."));
  app.UploadHadErrors = false;
  const PhonebookWriteOutcome outcome = WritePhonebook(app, shell, at, clock);
  DropDeletedListRows(app.phonebook);
  // A change the phone did not get is still pending, and closing the program asks about it.
  app.DataModified = PendingChanges(app.phonebook) > 0;
  shell.ProgressClose();
  if (!outcome.PhoneSilent) {
    shell.SetStatus(0, Tr("Телефон готов!"));
    shell.SetStatus(1, "");
  }
  return outcome;
}

void ReportUpload(const PhonebookSession& app, Shell& shell, const PhonebookWriteOutcome& outcome) {
  if (outcome.PhoneSilent) {
    shell.Message(WarningCaption(), Tr("Телефон не отвечает: загрузка прервана."),
                  MessageIcon::Warning);
    return;
  }
  if (outcome.Declined) return;
  if (outcome.Aborted) {
    shell.Message(WarningCaption(),
                  Tr("Загрузка прервана: записано ") + std::to_string(outcome.Written) +
                      Tr(", удалено ") + std::to_string(outcome.Deleted) +
                      Tr(". Не загруженные изменения остались отмеченными."),
                  MessageIcon::Warning);
    return;
  }
  if (!app.UploadHadErrors) {
    shell.Message(WarningCaption(), Tr("Загрузка успешно звершена!"), MessageIcon::Warning);
    return;
  }
  shell.Message(WarningCaption(),
                Tr("Загрузка завершена с ошибками!") + "\r\n" + Tr("Не выполнено команд: ") +
                    std::to_string(outcome.Exchanges.Failed) + Tr(" из ") +
                    std::to_string(outcome.Exchanges.Requests) + ".",
                MessageIcon::Warning);
}

bool ClearPhoneMemory(PhonebookSession& app, Shell& shell, AtExchange& at, Clock& clock,
                      PhonebookWriteOutcome& outcome) {
  const LongCommand oneErrorBox(at);
  PhonebookState& pb = app.phonebook;
  if (const std::string problem = PhonebookRangeProblem(app); !problem.empty()) {
    shell.Message(WarningCaption(), problem, MessageIcon::Warning);
    outcome.Refused = true;
    return false;
  }
  app.AbortRequested = false;
  shell.ProgressShow();
  shell.ProgressSetText(Tr("Очистка памяти телефона..."));
  shell.ProgressSetPosition(0);
  shell.ProcessEvents();

  SendReset(app.link, at, shell, clock);
  SelectPhonebookMemory(app, at);
  LearnCategoryCount(app, at);
  // Only the indexes the selected memory holds: with the SIM alone the phone's last record is
  // not the SIM's.
  const int first = std::max(pb.FirstIndex, FirstIndexOfSelectedMemory(app));
  shell.ProgressSetMax(std::max(0, pb.LastIndex - first + 1) + pb.CategoryCount - 1);
  const auto stopped = [&] {
    if (outcome.PhoneSilent) {
      shell.Message(WarningCaption(), Tr("Телефон не отвечает: очистка прервана."),
                    MessageIcon::Warning);
    }
    return false;
  };

  for (int n = 2; n <= pb.CategoryCount; ++n) {
    if (app.AbortRequested) {
      outcome.Aborted = true;
      return stopped();
    }
    const std::string command = CategoryDeleteCommand(n);
    shell.LogLine(command);
    std::string reply;
    const bool ok = Write(at, outcome, command, reply);
    clock.SleepMs(kWritePauseMs);
    shell.SetStatus(1, Tr("Удаляем категорию #") + std::to_string(n));
    shell.LogLine(reply);
    if (outcome.PhoneSilent) return stopped();
    ++(ok ? outcome.Deleted : outcome.Failed);
    shell.ProgressStep(1);
    shell.ProcessEvents();
  }
  for (int n = first; n <= pb.LastIndex; ++n) {
    if (app.AbortRequested) {
      outcome.Aborted = true;
      return stopped();
    }
    std::string reply;
    const bool ok = Write(at, outcome, EntryDeleteCommand(n), reply);
    clock.SleepMs(kWritePauseMs);
    shell.SetStatus(1, Tr("Удаляем запись #") + std::to_string(n));
    shell.LogLine(reply);
    if (outcome.PhoneSilent) return stopped();
    ++(ok ? outcome.Deleted : outcome.Failed);
    shell.ProgressStep(1);
    shell.ProcessEvents();
  }
  shell.SetStatus(1, "");
  shell.ProgressSetPosition(0);
  shell.ProcessEvents();
  return true;
}

PhonebookWriteOutcome FullClear(PhonebookSession& app, Shell& shell, AtExchange& at, Clock& clock) {
  PhonebookWriteOutcome outcome;
  if (shell.AskBeforeDestroying(WarningCaption(),
                                Tr("Вы действительно хотите очистить весь справочник?"))) {
    ClearPhoneMemory(app, shell, at, clock, outcome);
  }
  shell.ProgressClose();
  return outcome;
}

}  // namespace quorix
