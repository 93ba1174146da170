#include "datebook/ICalendarFile.h"

#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Clock.h"
#include "base/FileBytes.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "datebook/DatebookList.h"
#include "datebook/DatebookSession.h"
#include "datebook/DatebookWriter.h"
#include "link/PhoneConnection.h"
#include "phonebook/PhonebookMessages.h"

namespace quorix {

namespace {

constexpr size_t kLargestFile = 64 * 1024 * 1024;
constexpr size_t kReportedEvents = 20;

}  // namespace

FileChoice ICalendarFileChoice(const std::string& title) {
  std::error_code error;
  return {title, "iCalendar (*.ics)|*.ics", "ics", std::filesystem::current_path(error).string()};
}

CalendarExport SaveICalendarFile(const DatebookTable& table, Clock& clock,
                                 const std::string& path) {
  CalendarExport outcome = DatebookICalendar(table, clock.WallSeconds());
  try {
    WriteFileAtomically(path, outcome.Text);
  } catch (const std::system_error& e) {
    throw ICalendarFileError(CannotWriteText(path, e));
  }
  return outcome;
}

CalendarImport ImportICalendarFile(DatebookTable& table, const std::string& path) {
  std::string text;
  try {
    text = ReadFileBytes(path, kLargestFile);
  } catch (const FileBytesError& e) {
    throw ICalendarFileError(e.what());
  }
  if (!IsICalendar(text)) {
    throw ICalendarFileError(path + Tr(": файл не в формате iCalendar"));
  }
  return AddCalendarEvents(table, text);
}

std::string ICalendarExportMessage(const CalendarExport& outcome, size_t limit) {
  const std::string text = Tr("Экспортировано событий: ") + std::to_string(outcome.Events) + ".";
  if (outcome.Report.Empty()) return text;
  return outcome.Report.Text(text + "\n\n" + Tr("Не всё удалось записать:"), limit);
}

std::string ICalendarImportMessage(const CalendarImport& outcome, size_t limit) {
  std::string text = Tr("Добавлено событий: ") + std::to_string(outcome.Added) + Tr(" из ") +
                     std::to_string(outcome.Events) + ".";
  if (outcome.Duplicates > 0) {
    text += Tr(" Уже были в ежедневнике: ") + std::to_string(outcome.Duplicates) + ".";
  }
  if (outcome.Report.Empty()) return text;
  return outcome.Report.Text(text + "\n\n" + Tr("Не всё поместилось в телефон:"), limit);
}

void ExportICalendarClick(DatebookSession app, Shell& shell, Clock& clock) {
  if (UsedDatebookRecords(app.datebook.DatebookRecords) == 0) {
    shell.Message("Warning!", Tr("Сначала необходимо прочитать ежедневник!"), MessageIcon::Warning);
    return;
  }
  const auto path = shell.ChooseSaveFile(ICalendarFileChoice(Tr("Экспорт в iCalendar")));
  if (!path || path->empty()) return;
  try {
    const CalendarExport outcome = SaveICalendarFile(app.datebook.DatebookRecords, clock, *path);
    shell.SetStatus(1, Tr("Экспортировано событий: ") + std::to_string(outcome.Events));
    if (!outcome.Report.Empty()) {
      shell.Message(WarningCaption(), ICalendarExportMessage(outcome, kReportedEvents),
                    MessageIcon::Warning);
    }
  } catch (const ICalendarFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
  }
}

void ImportICalendarClick(DatebookSession app, Shell& shell, PhoneConnection& phone, Clock& clock) {
  app.flags.AbortRequested = false;
  if (!phone.RequireConnection()) return;
  if (UsedDatebookRecords(app.datebook.DatebookRecords) == 0 &&
      !shell.AskYesNo(WarningCaption(),
                      Tr("Ежедневник телефона не прочитан: события займут записи с первой, и "
                         "запись в телефон заменит его события в этих записях. Продолжить?"))) {
    return;
  }
  const auto path = shell.ChooseOpenFile(ICalendarFileChoice(Tr("Импорт из iCalendar")));
  if (!path || path->empty()) return;
  DatebookTable staged = app.datebook.DatebookRecords;
  CalendarImport outcome;
  try {
    outcome = ImportICalendarFile(staged, *path);
  } catch (const ICalendarFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
    return;
  }
  const std::string message = ICalendarImportMessage(outcome, kReportedEvents);
  if (outcome.Added == 0) {
    shell.Message(outcome.Report.Empty() ? ProgramCaption() : WarningCaption(), message,
                  outcome.Report.Empty() ? MessageIcon::Information : MessageIcon::Warning);
    return;
  }
  if (!outcome.Report.Empty() &&
      !shell.AskYesNo(WarningCaption(), message + "\n\n" + Tr("Записать в телефон?"))) {
    return;
  }
  app.datebook.DatebookRecords = staged;
  app.datebook.LastReading = {};
  RebuildDatebookList(app.datebook.LVCal, app.datebook.DatebookRecords);
  ReportDatebookRestore(shell, app, WriteDatebookToPhone(app, shell, phone, clock));
}

}  // namespace quorix
