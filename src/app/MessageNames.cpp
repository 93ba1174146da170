#include "app/MessageNames.h"

#include <map>

#include "phonebook/PhonebookContacts.h"
#include "sms/SmsConversations.h"

namespace quorix {

std::function<std::string(const std::string& number)> PhonebookNameOf(
    const PhonebookTables& tables) {
  std::map<std::string, std::string> names;
  for (const Contact& contact : PhonebookContacts(tables)) {
    if (contact.name.empty()) continue;
    for (const ContactNumber& number : contact.numbers) {
      // The first entry of a number names it, as the phone shows a caller.
      if (!number.IsEmail()) names.try_emplace(sms::SmsNumberKey(number.value), contact.name);
    }
  }
  return [names = std::move(names)](const std::string& number) {
    const auto found = names.find(sms::SmsNumberKey(number));
    return found == names.end() ? std::string() : found->second;
  };
}

}  // namespace quorix
