#include "phonebook/PhonebookContacts.h"

#include <algorithm>
#include <map>
#include <set>

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "codec/PhoneText.h"
#include "codec/Ucs2.h"
#include "codec/Utf8.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookLabels.h"
#include "phonebook/PhonebookMemory.h"

namespace quorix {

namespace {

// The name of a category an entry may carry into a contact; empty for the phone's own category 1,
// a removed one and a number that names none.
std::string ExportedCategory(const PhonebookTables& tables, const std::string& number) {
  const auto c = NumberIn(number);
  if (!c || *c < 2 || *c > kCategoryRows) return {};
  const CategoryRow& category = tables.Categories[*c];
  if (category[CategoryMark] == kMarkRemoved) return {};
  return DecodeUcs2Hex(category[CategoryName]);
}

void AddEntry(const PhonebookTables& tables, const EntryRow& row, Contact& contact) {
  ContactNumber number;
  number.value = Unquoted(row[EntryNumber]);
  const auto type = NumberIn(row[EntryNumberType]);
  number.type = type && *type >= 0 && *type <= kSecondEmailType ? *type : kNoNumberType;
  number.primary = row[EntryPrimary] == "1";
  contact.numbers.push_back(std::move(number));

  auto& d = contact.details;
  const bool hasAddress =
      std::any_of(d.begin(), d.begin() + Nickname, [](const auto& s) { return !s.empty(); });
  for (int k = 0; k < kContactDetails; ++k) {
    if (k != Nickname && hasAddress) continue;
    if (k == Nickname && !d[Nickname].empty()) continue;
    d[k] = DecodeUcs2Hex(row[EntryDistrict + k]);
  }
  const std::string birthday = Unquoted(row[EntryBirthday]);
  if (contact.birthday.empty() && IsBirthday(birthday)) contact.birthday = birthday;
  const std::string category = ExportedCategory(tables, row[EntryCategory]);
  auto& categories = contact.categories;
  if (!category.empty() &&
      std::find(categories.begin(), categories.end(), category) == categories.end()) {
    categories.push_back(category);
  }
}

}  // namespace

std::vector<Contact> PhonebookContacts(const PhonebookTables& tables) {
  std::vector<Contact> contacts;
  std::map<std::string, size_t> byName;
  for (int i = 1; i <= kEntryRows; ++i) {
    if (!EntryIsUsed(tables, i)) continue;
    const EntryRow& row = tables.PhonebookEntries[i];
    const std::string name = DecodeUcs2Hex(row[EntryName]);
    const auto found = name.empty() ? byName.end() : byName.find(name);
    size_t k;
    if (found == byName.end()) {
      k = contacts.size();
      contacts.emplace_back().name = name;
      if (!name.empty()) byName[name] = k;
    } else {
      k = found->second;
    }
    AddEntry(tables, row, contacts[k]);
  }
  return contacts;
}

namespace {

const char* const kDetailNames[kContactDetails] = {N_("Район"),    N_("Улица"),  N_("Город"),
                                                   N_("Область"),  N_("Индекс"), N_("Страна"),
                                                   N_("Псевдоним")};

bool IsGoogleGroup(const std::string& name) {
  return SameTextNoCase(name, "mycontacts") || SameTextNoCase(name, "starred");
}

std::string Quoted(const std::string& cp1251) {
  return std::string("«") + cp1251 + std::string("»");
}

// Adds the report's lines for a text fitted into a phone field.
PhoneTextFit Fitted(const std::string& utf8, size_t limit, const std::string& field, int card,
                    const std::string& who, TransferReport& report) {
  PhoneTextFit fit = FitPhoneText(utf8, limit);
  if (fit.cut) {
    report.Add(card, who,
               Tr("поле «") + std::string(field) + Tr("» сокращено до ") + std::to_string(limit) +
                   Tr(" символов"));
  }
  if (!fit.dropped.empty()) {
    report.Add(card, who,
               Tr("в поле «") + std::string(field) +
                   Tr("» пропущены символы, которых нет в телефоне: ") +
                   DroppedCharactersText(fit.dropped));
  }
  return fit;
}

bool IsPhoneEmail(const std::string& address) {
  return std::all_of(address.begin(), address.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

class ContactImporter {
 public:
  ContactImporter(PhonebookState& pb, int lastRow, bool advanced)
      : pb_(pb), lastRow_(std::min(lastRow, kEntryRows)), advanced_(advanced) {
    for (int i = 1; i <= kEntryRows; ++i) {
      if (!EntryIsUsed(pb_, i)) continue;
      const EntryRow& row = pb_.PhonebookEntries[i];
      held_.insert(Key(DecodeUcs2Hex(row[EntryName]), Unquoted(row[EntryNumber])));
    }
  }

  void Add(int card, const CardContact& cc);
  ContactImportOutcome Outcome() { return std::move(outcome_); }

 private:
  static std::string Key(const std::string& name, const std::string& number) {
    return name + '\n' + number;
  }

  int FreeRow() {
    while (nextFree_ <= lastRow_ && !pb_.PhonebookEntries[nextFree_][EntryNumber].empty()) {
      ++nextFree_;
    }
    return nextFree_ <= lastRow_ ? nextFree_++ : 0;
  }

  int Category(const Contact& contact, int card, const std::string& who);
  bool Fits(const ContactNumber& number, int card, const std::string& who);

  PhonebookState& pb_;
  int lastRow_;
  bool advanced_;
  int nextFree_ = 1;
  std::set<std::string> held_;
  ContactImportOutcome outcome_;
};

int ContactImporter::Category(const Contact& contact, int card, const std::string& who) {
  std::vector<std::string> wanted;
  for (const std::string& name : contact.categories) {
    const std::string text = FitPhoneText(name, kPhoneNameLength).text;
    if (!text.empty() && !IsGoogleGroup(text)) wanted.push_back(name);
  }
  for (const std::string& name : wanted) {
    const std::string text = FitPhoneText(name, kPhoneNameLength).text;
    for (int c = 1; c <= kCategoryRows; ++c) {
      const CategoryRow& row = pb_.Categories[c];
      if (row[CategoryName].empty() || row[CategoryMark] == kMarkRemoved) continue;
      if (SameTextNoCase(DecodeUcs2Hex(row[CategoryName]), text)) return c;
    }
  }
  if (wanted.empty()) return 1;
  for (int c = 2; c <= pb_.CategoryCount; ++c) {
    CategoryRow& row = pb_.Categories[c];
    if (!row[CategoryName].empty()) continue;
    const std::string name =
        Fitted(wanted[0], kPhoneNameLength, Tr("Категория"), card, who, outcome_.Report).text;
    row[CategoryName] = EncodeUcs2Hex(name);
    row[CategoryMelody] = "255";
    row[CategoryField3] = "0";
    row[CategoryLight] = "0";
    row[CategoryMark] = kMarkChanged;
    ShowCategoryRow(pb_, c, name, {name, CategoryDefaultMelodyLabel(), LightAlertLabel("0")});
    return c;
  }
  outcome_.Report.Add(
      card, who, Tr("категория ") + Quoted(wanted[0]) + Tr(" не создана: заняты все 30 категорий"));
  return 1;
}

bool ContactImporter::Fits(const ContactNumber& number, int card, const std::string& who) {
  const std::string shown = Quoted(number.value);
  if (number.IsEmail() && !IsPhoneEmail(number.value)) {
    outcome_.Report.Add(card, who, Tr("адрес e-mail ") + shown + Tr(" телефон не хранит"));
    return false;
  }
  const size_t limit = number.IsEmail() ? kPhoneEmailLength : kPhoneNumberLength;
  if (number.value.size() > limit) {
    outcome_.Report.Add(card, who,
                        (number.IsEmail() ? Tr("адрес e-mail ") : Tr("номер ")) + shown +
                            Tr(" длиннее ") + std::to_string(limit) + Tr(" символов"));
    return false;
  }
  return true;
}

void ContactImporter::Add(int card, const CardContact& cc) {
  const Contact& contact = cc.contact;
  ++outcome_.Cards;
  std::string who = contact.name;
  if (who.empty() && !contact.numbers.empty()) who = contact.numbers[0].value;
  if (who.empty()) who = Tr("карточка ") + std::to_string(card + 1);
  TransferReport& report = outcome_.Report;
  for (const std::string& problem : cc.problems) report.Add(card, who, problem);
  if (contact.numbers.empty()) {
    report.Add(card, who, Tr("нет ни номера телефона, ни адреса e-mail"));
    return;
  }
  const std::string name =
      Fitted(contact.name, kPhoneNameLength, Tr("Имя"), card, who, report).text;
  std::array<std::string, kContactDetails> details;
  for (int k = 0; k < kContactDetails; ++k) {
    details[k] =
        Fitted(contact.details[k], kPhoneDetailLength, Tr(kDetailNames[k]), card, who, report).text;
  }

  std::string category;
  int added = 0;
  int missing = 0;
  int detailsRow = 0;
  for (const ContactNumber& number : contact.numbers) {
    if (!Fits(number, card, who)) continue;
    const std::string key = Key(name, number.value);
    if (held_.count(key)) {
      ++outcome_.Duplicates;
      continue;
    }
    const int row = FreeRow();
    if (row == 0) {
      ++missing;
      continue;
    }
    if (category.empty()) category = std::to_string(Category(contact, card, who));
    held_.insert(key);
    ++added;
    const std::string type = std::to_string(number.type == kNoNumberType ? 3 : number.type);
    EntryRow& e = pb_.PhonebookEntries[row];
    e.Clear();
    e[EntryNumber] = "\"" + number.value + "\"";
    e[EntryNumberFormat] = NumberFormatFor(number.value, number.IsEmail() ? "6" : type);
    // A row in a memory with shorter names (an L6's SIM holds 15) gets the name cut once more.
    const size_t rowLimit = static_cast<size_t>(NameLengthOfRow(pb_, row));
    e[EntryName] = EncodeUcs2Hex(rowLimit < kPhoneNameLength
                                     ? Fitted(name, rowLimit, Tr("Имя"), card, who, report).text
                                     : name);
    e[EntryNumberType] = type;
    e[EntryVoiceLabel] = "0";
    e[EntryMelody] = "255";
    SetFixedEntryFields(e);
    e[EntryPrimary] = number.primary ? "1" : "0";
    e[EntryCategory] = category;
    e[EntryBirthday] = "\"\"";
    e[EntryMark] = kMarkChanged;
    if (number.primary || detailsRow == 0) detailsRow = row;
  }
  if (missing > 0) {
    report.Add(card, who,
               Tr("не хватило свободных ячеек, не добавлено номеров: ") + std::to_string(missing));
  }
  if (added == 0) return;
  ++outcome_.Contacts;
  outcome_.Entries += added;
  EntryRow& e = pb_.PhonebookEntries[detailsRow];
  for (int k = 0; k < kContactDetails; ++k) e[EntryDistrict + k] = EncodeUcs2Hex(details[k]);
  e[EntryBirthday] = "\"" + contact.birthday + "\"";
  const bool hasDetails =
      !contact.birthday.empty() ||
      std::any_of(details.begin(), details.end(), [](const std::string& d) { return !d.empty(); });
  if (!advanced_ && hasDetails) outcome_.DetailsNotWritten = true;
}

}  // namespace

ContactImportOutcome AddContacts(PhonebookState& pb, const std::vector<CardContact>& cards,
                                 int lastRow, bool advanced) {
  ContactImporter importer(pb, lastRow, advanced);
  for (size_t k = 0; k < cards.size(); ++k) importer.Add(static_cast<int>(k), cards[k]);
  return importer.Outcome();
}

}  // namespace quorix
