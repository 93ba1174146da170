#include "phonebook/ContactCards.h"

#include <algorithm>

#include "base/Translate.h"
#include "codec/CodePage.h"
#include "codec/Utf8.h"
#include "phonebook/EntryEditor.h"

namespace quorix {

namespace {

const std::string kMailingListLabel = "Рассылка";

const char* TelTypes(int type) {
  switch (type) {
    case 0:
      return "WORK,VOICE";
    case 1:
      return "HOME,VOICE";
    case 2:
      return "MAIN";
    case 3:
    case kSecondMobileType:
      return "CELL";
    case 4:
      return "FAX";
    case 5:
      return "PAGER";
    default:
      return "VOICE";
  }
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string StructuredValue(const std::vector<std::string>& parts) {
  std::string value;
  for (size_t k = 0; k < parts.size(); ++k) value += (k ? ";" : "") + VCardEscape(parts[k]);
  return value;
}

// A word of letters, a hyphen or an apostrophe inside it allowed ("Анна-Мария", "O'Brien").
bool PlainWord(std::string_view word) {
  if (word.empty()) return false;
  while (!word.empty()) {
    const Utf8Char c = NextUtf8Char(word);
    if (!IsLetter(c.code) && c.code != '-' && c.code != '\'') return false;
    word.remove_prefix(c.length);
  }
  return true;
}

// "Анна Смирнова" is given name "Анна", family name "Смирнова". Anything else ("Дмитрий Козлов
// (раб.)", "Такси 24", three words) is no such pair: the whole name is the given name.
std::string NameValue(const std::string& name) {
  const size_t space = name.find(' ');
  const std::string given = space == std::string::npos ? name : name.substr(0, space);
  const std::string family = space == std::string::npos ? "" : name.substr(space + 1);
  if (PlainWord(given) && PlainWord(family)) return StructuredValue({family, given, "", "", ""});
  return StructuredValue({"", name, "", "", ""});
}

}  // namespace

std::string ContactVCard(const Contact& contact) {
  std::string card = VCardLine("BEGIN", "VCARD") + VCardLine("VERSION", "3.0");
  const std::string shown =
      !contact.name.empty() || contact.numbers.empty() ? contact.name : contact.numbers[0].value;
  card += VCardLine("FN", VCardEscape(shown));
  card += VCardLine("N", contact.name.empty() ? ";;;;" : NameValue(contact.name));
  if (!contact.details[Nickname].empty()) {
    card += VCardLine("NICKNAME", VCardEscape(contact.details[Nickname]));
  }
  int group = 0;
  for (const ContactNumber& number : contact.numbers) {
    const std::string pref = number.primary ? ",PREF" : "";
    if (!number.IsEmail()) {
      card += VCardLine(std::string("TEL;TYPE=") + TelTypes(number.type) + pref,
                        VCardEscape(number.value));
    } else if (number.type != kMailingListType) {
      card += VCardLine("EMAIL;TYPE=INTERNET" + pref, VCardEscape(number.value));
    } else {
      const std::string item = "item" + std::to_string(++group) + ".";
      card += VCardLine(item + "EMAIL;TYPE=INTERNET" + pref, VCardEscape(number.value));
      card += VCardLine(item + "X-ABLabel", VCardEscape(kMailingListLabel));
    }
  }
  const auto& d = contact.details;
  if (std::any_of(d.begin(), d.begin() + Nickname, [](const auto& s) { return !s.empty(); })) {
    card += VCardLine("ADR", StructuredValue({"", d[District], d[Street], d[City], d[Region],
                                              d[PostalCode], d[Country]}));
  }
  if (contact.birthday.size() == 10) {
    const std::string& b = contact.birthday;
    card += VCardLine("BDAY", b.substr(6, 4) + "-" + b.substr(0, 2) + "-" + b.substr(3, 2));
  }
  if (!contact.categories.empty()) {
    std::string list;
    for (const std::string& category : contact.categories) {
      list += (list.empty() ? "" : ",") + VCardEscape(category);
    }
    card += VCardLine("CATEGORIES", list);
  }
  return card + VCardLine("END", "VCARD");
}

std::optional<std::string> DialNumber(std::string_view text) {
  std::string_view number = text;
  if (LowerAscii(number.substr(0, 4)) == "tel:") {
    number = number.substr(4);
    number = number.substr(0, number.find(';'));  // ";ext=", ";phone-context="
  }
  std::string dialled;
  for (const char c : number) {
    if ((c >= '0' && c <= '9') || c == '*' || c == '#' || c == 'p' || c == 'P' || c == 'w' ||
        c == 'W') {
      dialled.push_back(c);
    } else if (c == '+' && dialled.empty()) {
      dialled.push_back(c);
    } else if (c != ' ' && c != '-' && c != '.' && c != '(' && c != ')' && c != '/' && c != '\t') {
      return std::nullopt;
    }
  }
  if (dialled.empty() || dialled == "+") return std::nullopt;
  return dialled;
}

std::optional<std::string> PhoneBirthday(std::string_view text) {
  std::string date = Trimmed(text.substr(0, text.find('T')));
  date.erase(std::remove(date.begin(), date.end(), '-'), date.end());
  if (date.size() != 8 || text.substr(0, 2) == "--") return std::nullopt;
  const std::string phone = date.substr(4, 2) + "-" + date.substr(6, 2) + "-" + date.substr(0, 4);
  if (!IsBirthday(phone)) return std::nullopt;
  return phone;
}

namespace {

// An Apple label ("_$!<Mobile>!$_") or a label of its own given to a grouped number.
int LabelledType(const std::string& label, bool email) {
  std::string name = LowerAscii(label);
  if (name.rfind("_$!<", 0) == 0 && name.size() > 8) name = name.substr(4, name.size() - 8);
  if (email) {
    return name == "mailing list" || label == kMailingListLabel ? kMailingListType : kEmailType;
  }
  if (name == "mobile" || name == "iphone" || name == "cell") return 3;
  if (name == "main") return 2;
  if (name == "work") return 0;
  if (name == "home") return 1;
  if (name.find("fax") != std::string::npos) return 4;
  if (name == "pager") return 5;
  return kNoNumberType;
}

int TypedNumberType(const VCardProperty& tel) {
  const std::pair<const char*, int> order[] = {{"FAX", 4},    {"PAGER", 5},  {"CELL", 3},
                                               {"MOBILE", 3}, {"IPHONE", 3}, {"MAIN", 2},
                                               {"WORK", 0},   {"HOME", 1}};
  for (const auto& [type, code] : order) {
    if (tel.Has("TYPE", type)) return code;
  }
  return 3;
}

std::string GroupLabel(const VCard& card, const std::string& group) {
  if (group.empty()) return {};
  for (const VCardProperty& p : card.properties) {
    if (p.group == group && p.name == "X-ABLABEL") return VCardText(p.value);
  }
  return {};
}

bool Preferred(const VCardProperty& p) {
  return p.Has("TYPE", "PREF") || !p.Param("PREF").empty();
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    const std::string word = Trimmed(part);
    if (!word.empty()) text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

std::string CardName(const VCard& card) {
  if (const VCardProperty* fn = card.Find("FN")) {
    if (std::string name = Trimmed(VCardText(fn->value)); !name.empty()) return name;
  }
  if (const VCardProperty* n = card.Find("N")) {
    std::vector<std::string> parts = VCardParts(n->value, ';');
    parts.resize(5);
    // Family; given; additional; prefix; suffix, read as "prefix given additional family suffix".
    if (std::string name = Joined({parts[3], parts[1], parts[2], parts[0], parts[4]});
        !name.empty()) {
      return name;
    }
  }
  if (const VCardProperty* org = card.Find("ORG")) return Joined({VCardParts(org->value, ';')[0]});
  return {};
}

void TakeNumber(const VCard& card, const VCardProperty& p, CardContact& out) {
  const bool email = p.name == "EMAIL";
  const std::string text = Trimmed(VCardText(p.value));
  ContactNumber number;
  if (email) {
    number.value = LowerAscii(text.substr(0, 7)) == "mailto:" ? text.substr(7) : text;
    if (number.value.empty()) return;
  } else if (const auto dialled = DialNumber(text)) {
    number.value = *dialled;
  } else {
    if (!text.empty()) {
      out.problems.push_back(Tr("номер «") + text + Tr("» не набрать на телефоне"));
    }
    return;
  }
  const int labelled = LabelledType(GroupLabel(card, p.group), email);
  number.type = labelled != kNoNumberType ? labelled : email ? kEmailType : TypedNumberType(p);
  number.primary = Preferred(p);
  out.contact.numbers.push_back(std::move(number));
}

void TakeAddress(const VCard& card, CardContact& out) {
  const VCardProperty* chosen = nullptr;
  int addresses = 0;
  for (const VCardProperty& p : card.properties) {
    if (p.name != "ADR") continue;
    ++addresses;
    if (!chosen || (Preferred(p) && !Preferred(*chosen))) chosen = &p;
  }
  if (!chosen) return;
  if (addresses > 1)
    out.problems.push_back(Tr("телефон хранит один адрес из ") + std::to_string(addresses));
  std::vector<std::string> parts = VCardParts(chosen->value, ';');
  parts.resize(7);
  auto& d = out.contact.details;
  d[District] = Trimmed(parts[1]);
  d[Street] = Joined({parts[2], parts[0]});
  d[City] = Trimmed(parts[3]);
  d[Region] = Trimmed(parts[4]);
  d[PostalCode] = Trimmed(parts[5]);
  d[Country] = Trimmed(parts[6]);
}

}  // namespace

CardContact ContactFromVCard(const VCard& card) {
  CardContact out;
  out.contact.name = CardName(card);
  for (const VCardProperty& p : card.properties) {
    if (p.name == "TEL" || p.name == "EMAIL") {
      TakeNumber(card, p, out);
    } else if (p.name == "NICKNAME" && out.contact.details[Nickname].empty()) {
      out.contact.details[Nickname] = Trimmed(VCardParts(p.value, ',')[0]);
    } else if (p.name == "BDAY" && out.contact.birthday.empty()) {
      const std::string text = Trimmed(VCardText(p.value));
      // Apple writes a birthday without a year with a year of its own choosing.
      const std::string omitted = p.Param("X-APPLE-OMIT-YEAR");
      const auto birthday =
          omitted.empty() || text.rfind(omitted, 0) != 0 ? PhoneBirthday(text) : std::nullopt;
      if (birthday) {
        out.contact.birthday = *birthday;
      } else {
        out.problems.push_back(Tr("день рождения «") + text + Tr("» не дата с годом"));
      }
    } else if (p.name == "CATEGORIES") {
      for (const std::string& category : VCardParts(p.value, ',')) {
        if (std::string name = Trimmed(category); !name.empty()) {
          out.contact.categories.push_back(std::move(name));
        }
      }
    }
  }
  TakeAddress(card, out);

  auto& numbers = out.contact.numbers;
  auto primary = std::find_if(numbers.begin(), numbers.end(),
                              [](const ContactNumber& n) { return n.primary; });
  for (ContactNumber& number : numbers) number.primary = false;
  if (primary == numbers.end()) primary = numbers.begin();
  if (primary != numbers.end()) primary->primary = true;

  // What the phone's nameless entries became: FN the number, N empty.
  const VCardProperty* n = card.Find("N");
  if (numbers.size() == 1 && n && Joined(VCardParts(n->value, ';')).empty() &&
      out.contact.name == numbers[0].value) {
    out.contact.name.clear();
  }
  return out;
}

}  // namespace quorix
