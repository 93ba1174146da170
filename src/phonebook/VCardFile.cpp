#include "phonebook/VCardFile.h"

#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FileBytes.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "phonebook/CategoryEditor.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

namespace {

constexpr size_t kLargestFile = 64 * 1024 * 1024;
constexpr size_t kReportedCards = 20;

bool HoldsPhoneMemory(const PhonebookSession& app) {
  return AnyEntryUsed(app.phonebook, PhoneMemoryRecords(app.link.PhoneModel));
}

}  // namespace

FileChoice VCardFileChoice(const std::string& title) {
  std::error_code error;
  return {title, "vCard (*.vcf)|*.vcf", "vcf", std::filesystem::current_path(error).string()};
}

VCardExportOutcome SaveVCardFile(const PhonebookTables& tables, const std::string& path) {
  VCardExportOutcome outcome;
  std::string text;
  for (const Contact& contact : PhonebookContacts(tables)) {
    text += ContactVCard(contact);
    ++outcome.Contacts;
    outcome.Entries += static_cast<int>(contact.numbers.size());
  }
  try {
    WriteFileAtomically(path, text);
  } catch (const std::system_error& e) {
    throw VCardFileError(CannotWriteText(path, e));
  }
  return outcome;
}

std::vector<CardContact> ReadVCardFile(const std::string& path) {
  std::vector<VCard> cards;
  try {
    cards = ParseVCards(ReadFileBytes(path, kLargestFile));
  } catch (const FileBytesError& e) {
    throw VCardFileError(e.what());
  }
  if (cards.empty()) throw VCardFileError(path + Tr(": в файле нет карточек vCard"));
  std::vector<CardContact> contacts;
  for (const VCard& card : cards) contacts.push_back(ContactFromVCard(card));
  return contacts;
}

ContactImportOutcome ImportVCardFile(PhonebookSession& app, const std::string& path) {
  const std::vector<CardContact> contacts = ReadVCardFile(path);
  PhonebookState staged = app.phonebook;
  ContactImportOutcome outcome = AddContacts(
      staged, contacts, PhoneMemoryRecords(app.link.PhoneModel), app.settings.AdvancedPhoneBook);
  if (outcome.Entries == 0) return outcome;
  staged.ExpectedCount += outcome.Entries;
  staged.SelectedItemIndex = -1;
  RebuildEntryList(staged, kEntryRows);
  RefreshCategoryViews(staged);
  app.phonebook = std::move(staged);
  app.DataModified = true;
  return outcome;
}

std::string VCardImportMessage(const ContactImportOutcome& outcome, size_t limit) {
  std::string text = Tr("Добавлено контактов: ") + std::to_string(outcome.Contacts) + Tr(" из ") +
                     std::to_string(outcome.Cards) + Tr(", записей: ") +
                     std::to_string(outcome.Entries) + ".";
  if (outcome.Duplicates > 0) {
    text += Tr(" Уже были в справочнике номеров: ") + std::to_string(outcome.Duplicates) + ".";
  }
  if (outcome.Entries > 0) {
    text += Tr(" В телефон они попадут при загрузке данных.");
  }
  if (outcome.DetailsNotWritten) {
    text +=
        Tr("\nАдреса, псевдонимы и дни рождения загружаются, только когда включено «Читать "
           "расширенный справочник».");
  }
  if (outcome.Report.Empty()) return text;
  return outcome.Report.Text(text + "\n\n" + Tr("Не всё поместилось в телефон:"), limit);
}

void ExportVCardClick(PhonebookSession& app, Shell& shell) {
  if (!AnyEntryUsed(app.phonebook, kEntryRows)) {
    shell.Message("Warning!", Tr("Сначала необходимо прочитать справочник!"), MessageIcon::Warning);
    return;
  }
  const auto path = shell.ChooseSaveFile(VCardFileChoice(Tr("Экспорт в vCard")));
  if (!path || path->empty()) return;
  try {
    const VCardExportOutcome outcome = SaveVCardFile(app.phonebook, *path);
    shell.SetStatus(1, Tr("Экспортировано контактов: ") + std::to_string(outcome.Contacts) +
                           Tr(", записей: ") + std::to_string(outcome.Entries));
  } catch (const VCardFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
  }
}

void ImportVCardClick(PhonebookSession& app, Shell& shell) {
  if (!HoldsPhoneMemory(app) &&
      !shell.AskYesNo(WarningCaption(),
                      Tr("Справочник телефона не прочитан: контакты займут ячейки с первой, "
                         "и загрузка заменит записи телефона в этих ячейках. Продолжить?"))) {
    return;
  }
  const auto path = shell.ChooseOpenFile(VCardFileChoice(Tr("Импорт из vCard")));
  if (!path || path->empty()) return;
  ContactImportOutcome outcome;
  try {
    outcome = ImportVCardFile(app, *path);
  } catch (const VCardFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
    return;
  }
  const bool clean = outcome.Report.Empty() && !outcome.DetailsNotWritten;
  shell.Message(clean ? ProgramCaption() : WarningCaption(),
                VCardImportMessage(outcome, kReportedCards),
                clean ? MessageIcon::Information : MessageIcon::Warning);
}

}  // namespace quorix
