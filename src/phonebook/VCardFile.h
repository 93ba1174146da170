#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "base/Shell.h"
#include "phonebook/PhonebookContacts.h"

namespace quorix {

struct PhonebookSession;

// A vCard file could not be written or read, or holds no card. The text is code page 1251.
struct VCardFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The dialogs of the vCard commands: "vCard (*.vcf)|*.vcf", extension "vcf", starting in the
// current working directory.
FileChoice VCardFileChoice(const std::string& title);

struct VCardExportOutcome {
  int Contacts = 0;
  int Entries = 0;
};

// Writes every used entry, grouped into contacts, as vCard 3.0 (UTF-8, CR LF) to path (UTF-8)
// through a temporary file that replaces the target only when complete. VCardFileError when
// anything fails.
VCardExportOutcome SaveVCardFile(const PhonebookTables& tables, const std::string& path);

// The cards of the file at path as contacts. VCardFileError for a file that cannot be read, is
// larger than 64 MB or holds no card.
std::vector<CardContact> ReadVCardFile(const std::string& path);

// Adds the contacts of the file at path to the tables: into the free rows of the phone's own
// memory (500 or 1000 records by the model), marked for the next upload, with DataModified set
// and LV, LVCat, the tree and the category choices rebuilt when anything was added. A file that
// cannot be read changes nothing (VCardFileError).
ContactImportOutcome ImportVCardFile(PhonebookSession& app, const std::string& path);

// The one message after an import: how many contacts and entries were added, and what could not
// go to the phone, at most limit cards of it.
std::string VCardImportMessage(const ContactImportOutcome& outcome, size_t limit);

// "Файл" › "Экспорт в vCard…": asks for the file and writes it; the status bar tells how many
// contacts went. Nothing to export is told as for the editing commands.
void ExportVCardClick(PhonebookSession& app, Shell& shell);

// "Файл" › "Импорт из vCard…": asks for the file and imports it, then shows the one message. With
// no entry of the phone's memory in the tables (nothing read) the user is asked first, since the
// upload then overwrites the phone's records from row 1.
void ImportVCardClick(PhonebookSession& app, Shell& shell);

}  // namespace quorix
