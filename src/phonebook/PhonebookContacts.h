#pragma once

#include <vector>

#include "base/TransferReport.h"
#include "phonebook/Contact.h"
#include "phonebook/ContactCards.h"
#include "phonebook/PhonebookState.h"

namespace quorix {

// The phone's limits on what an imported entry holds, in characters.
constexpr size_t kPhoneNameLength = 24;
constexpr size_t kPhoneNumberLength = 32;
constexpr size_t kPhoneEmailLength = 48;
constexpr size_t kPhoneDetailLength = 64;

// The used entries as contacts: the entries of one name form one contact, in the order of their
// first rows; an entry without a name is a contact of its own. A contact's details and birthday
// come from its first entry that has them; its categories are those of its entries, the phone's
// own category 1 left out.
std::vector<Contact> PhonebookContacts(const PhonebookTables& tables);

// How adding contacts to the tables went.
struct ContactImportOutcome {
  int Cards = 0;                   // cards read
  int Contacts = 0;                // of them, those that gave an entry
  int Entries = 0;                 // entries added
  int Duplicates = 0;              // numbers the phonebook held already under the same name
  bool DetailsNotWritten = false;  // addresses or birthdays that the basic phonebook leaves out
  TransferReport Report;           // what could not go to the phone, by card
};

// Adds every number and e-mail address of the contacts as an entry in the free rows 1..lastRow
// (rows without a number), marked for the next upload: the name fitted to the phone's character
// table and cut to 24 characters, the number format the phone gives such a number, the details and
// the birthday on the contact's primary entry. A contact's category is the first of its categories
// that the phonebook has by name (letter case aside; Google's "myContacts" and "starred" are no
// categories), else its first category, created in a free number 2..30 while there is one, else
// category 1. A number already held under the same name is passed over. What could not go in (a
// text cut or with characters dropped, a number too long, more numbers than free rows, no free
// category) is reported per card. Neither the views nor DataModified are touched.
ContactImportOutcome AddContacts(PhonebookState& pb, const std::vector<CardContact>& cards,
                                 int lastRow, bool advanced);

}  // namespace quorix
