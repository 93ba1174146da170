#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorix {

// A contact as address books outside the phone know it, between the phone's entries and a vCard.
// Texts are UTF-8.

constexpr int kNoNumberType = -1;  // a number the phone gave no type to (a SIM record)
constexpr int kEmailType = 6;
constexpr int kMailingListType = 7;
// Real phones give these too: an L6 gives its SIM records type 8.
constexpr int kSecondMobileType = 8;
constexpr int kSecondEmailType = 9;

struct ContactNumber {
  std::string value;         // the number as dialled, or the e-mail address
  int type = kNoNumberType;  // the phone's number type 0..9
  bool primary = false;

  bool IsEmail() const {
    return type == kEmailType || type == kMailingListType || type == kSecondEmailType;
  }
};

// The phone's extra fields, in its order: district, street, city, region, postal code, country,
// nickname.
constexpr int kContactDetails = 7;
enum ContactDetail : int { District, Street, City, Region, PostalCode, Country, Nickname };

struct Contact {
  std::string name;
  std::vector<ContactNumber> numbers;  // numbers and e-mail addresses in their order
  std::vector<std::string> categories;
  std::array<std::string, kContactDetails> details;
  std::string birthday;  // MM-DD-YYYY as the phone holds it; empty for none
};

}  // namespace quorix
