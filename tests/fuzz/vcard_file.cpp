// The vCard reader and the import of its contacts into the phonebook's free rows.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "phonebook/ContactCards.h"
#include "phonebook/PhonebookContacts.h"
#include "phonebook/PhonebookState.h"
#include "phonebook/VCard.h"
#include "phonebook/VCardFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<quorix::CardContact> contacts;
  for (const quorix::VCard& card : quorix::ParseVCards(quorix::fuzz::Text(data, size)))
    contacts.push_back(quorix::ContactFromVCard(card));
  static const quorix::PhonebookState empty;
  quorix::PhonebookState pb = empty;
  // Both layouts of the phone's book, by the input's length so that each input stays repeatable.
  const quorix::ContactImportOutcome outcome =
      quorix::AddContacts(pb, contacts, 1000, size % 2 == 0);
  quorix::VCardImportMessage(outcome, 10);
  return 0;
}
