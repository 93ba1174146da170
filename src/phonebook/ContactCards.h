#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phonebook/Contact.h"
#include "phonebook/VCard.h"

namespace quorix {

// The vCard 3.0 card of a contact, as Android, iOS and Google Contacts import it: FN and N (the
// last word of the name as the family name), a TEL per number typed after the phone's number
// type (work and home as voice numbers, main, cell, fax, pager), EMAIL per e-mail address (a
// mailing list labelled "Рассылка" in the grouped X-ABLabel that address books show), PREF on
// the primary number, NICKNAME, BDAY in ISO form, ADR with the district as the extended address,
// CATEGORIES. A contact without a name is named by its first number.
std::string ContactVCard(const Contact& contact);

// A card as the phone could hold it, and what of it the phone's ways cannot carry (a birthday
// without a year, a number with letters), code page 1251, each once.
struct CardContact {
  Contact contact;
  std::vector<std::string> problems;
};

// The name is FN, else N's parts in reading order, else the organisation; a card written for a
// nameless entry (FN its only number, N empty) gives no name. Types come from TYPE (fax, pager,
// cell before main, work and home; a number of none of them is a mobile) or, before them, from
// an Apple label of the same group; the first PREF number (else the first one) is the primary.
// Numbers lose their blanks, dashes and brackets ("tel:" URIs their parameters). The preferred
// or first address, the first nickname and every category are kept.
CardContact ContactFromVCard(const VCard& card);

// A number as the phone dials it: digits, "*", "#", a leading "+" and the pauses "p" and "w";
// separators dropped. Nothing for a text holding anything else, or nothing at all.
std::optional<std::string> DialNumber(std::string_view text);

// A vCard birthday ("1985-03-15", "19850315", with or without a time) as MM-DD-YYYY; nothing for
// a date without a year or one that is no date.
std::optional<std::string> PhoneBirthday(std::string_view text);

}  // namespace quorix
