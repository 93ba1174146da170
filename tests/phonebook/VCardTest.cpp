#include <gtest/gtest.h>

#include <sstream>

#include "codec/CodePage.h"
#include "phonebook/ContactCards.h"
#include "phonebook/VCard.h"
#include "support/Python.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

CardContact OnlyCard(const std::string& text) {
  const std::vector<VCard> cards = ParseVCards(text);
  EXPECT_EQ(cards.size(), 1u);
  return cards.empty() ? CardContact{} : ContactFromVCard(cards[0]);
}

// "value type primary" for each number, to compare in one go.
std::vector<std::string> Numbers(const Contact& contact) {
  std::vector<std::string> numbers;
  for (const ContactNumber& n : contact.numbers) {
    numbers.push_back(n.value + " " + std::to_string(n.type) + (n.primary ? " primary" : ""));
  }
  return numbers;
}

TEST(VCardTest, OldPhoneVersion21WithQuotedPrintableCyrillic) {
  // The first card is UTF-8 with a soft line break inside FN; the second, code page 1251 with
  // only N, is what Russian phones of the time wrote.
  const std::string text =
      "BEGIN:VCARD\r\n"
      "VERSION:2.1\r\n"
      "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=A1=D0=BC=D0=B8=D1=80=D0=BD=D0=BE=D0=B2=D0=B0;"
      "=D0=90=D0=BD=D0=BD=D0=B0;;;\r\n"
      "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=90=D0=BD=D0=BD=D0=B0 =D0=A1=D0=BC=D0=B8=\r\n"
      "=D1=80=D0=BD=D0=BE=D0=B2=D0=B0\r\n"
      "TEL;CELL;PREF:+7 903 111-22-33\r\n"
      "TEL;HOME;VOICE:84951234567\r\n"
      "END:VCARD\r\n"
      "BEGIN:VCARD\r\n"
      "VERSION:2.1\r\n"
      "N;CHARSET=WINDOWS-1251;QUOTED-PRINTABLE:=CF=E5=F2=F0=EE=E2;=C8=E2=E0=ED\r\n"
      "TEL;WORK;FAX:+74957654321\r\n"
      "ADR;HOME;CHARSET=WINDOWS-1251;ENCODING=QUOTED-PRINTABLE:;;=F3=EB. =CB=E5=ED=E8=ED=E0 12;"
      "=CC=EE=F1=EA=E2=E0;;101000;=D0=EE=F1=F1=E8=FF\r\n"
      "END:VCARD\r\n";
  const std::vector<VCard> cards = ParseVCards(text);
  ASSERT_EQ(cards.size(), 2u);
  const Contact anna = ContactFromVCard(cards[0]).contact;
  EXPECT_EQ(anna.name, "Анна Смирнова");
  EXPECT_EQ(Numbers(anna), (std::vector<std::string>{"+79031112233 3 primary", "84951234567 1"}));
  const Contact ivan = ContactFromVCard(cards[1]).contact;
  EXPECT_EQ(ivan.name, "Иван Петров");
  EXPECT_EQ(Numbers(ivan), (std::vector<std::string>{"+74957654321 4 primary"}));
  EXPECT_EQ(ivan.details[Street], "ул. Ленина 12");
  EXPECT_EQ(ivan.details[City], "Москва");
  EXPECT_EQ(ivan.details[PostalCode], "101000");
  EXPECT_EQ(ivan.details[Country], "Россия");
}

TEST(VCardTest, GoogleContactsVersion30) {
  const CardContact card = OnlyCard(
      "BEGIN:VCARD\n"
      "VERSION:3.0\n"
      "FN:Иван Петров\n"
      "N:Петров;Иван;;;\n"
      "NICKNAME:Ваня,Ванёк\n"
      "EMAIL;TYPE=INTERNET;TYPE=HOME:ivan@example.com\n"
      "TEL;TYPE=CELL:+7 (916) 123-45-67\n"
      "item1.TEL:8 495 000-00-00\n"
      "item1.X-ABLabel:_$!<HomeFAX>!$_\n"
      "TEL;TYPE=WORK;TYPE=PREF:8 (495) 765-43-21\n"
      "ADR;TYPE=HOME:;кв. 5;ул. Ленина\\, 1;Москва;;101000;Россия\n"
      "BDAY:1980-05-17\n"
      "CATEGORIES:myContacts,Друзья\n"
      "NOTE:Первая строка\\nвторая\\, с запятой\n"
      "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ\n"
      " AAAQABAAD\n"
      "END:VCARD\n");
  const Contact& c = card.contact;
  EXPECT_EQ(c.name, "Иван Петров");
  EXPECT_EQ(Numbers(c), (std::vector<std::string>{"ivan@example.com 6", "+79161234567 3",
                                                  "84950000000 4", "84957654321 0 primary"}));
  EXPECT_EQ(c.details[Nickname], "Ваня");
  EXPECT_EQ(c.details[District], "кв. 5");
  EXPECT_EQ(c.details[Street], "ул. Ленина, 1");
  EXPECT_EQ(c.birthday, "05-17-1980");
  EXPECT_EQ(c.categories, (std::vector<std::string>{"myContacts", "Друзья"}));
  EXPECT_TRUE(card.problems.empty());
}

TEST(VCardTest, Version40FromTheRfcExample) {
  const CardContact card = OnlyCard(
      "BEGIN:VCARD\r\n"
      "VERSION:4.0\r\n"
      "FN:Simon Perreault\r\n"
      "N:Perreault;Simon;;;ing. jr,M.Sc.\r\n"
      "BDAY:--0203\r\n"
      "ANNIVERSARY:20090808T1430-0500\r\n"
      "GENDER:M\r\n"
      "ORG;TYPE=work:Viagenie\r\n"
      "ADR;TYPE=work:;Suite D2-630;2875 Laurier;\r\n"
      " Quebec;QC;G1V 2M2;Canada\r\n"
      "TEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+1-418-656-9254;ext=102\r\n"
      "TEL;VALUE=uri;TYPE=\"work,cell,voice,video,text\":tel:+1-418-262-6501\r\n"
      "EMAIL;TYPE=work:simon.perreault@viagenie.ca\r\n"
      "GEO;TYPE=work:geo:46.772673,-71.282945\r\n"
      "URL;TYPE=home:http://nomis80.org\r\n"
      "END:VCARD\r\n");
  const Contact& c = card.contact;
  EXPECT_EQ(c.name, "Simon Perreault");
  EXPECT_EQ(Numbers(c), (std::vector<std::string>{"+14186569254 0 primary", "+14182626501 3",
                                                  "simon.perreault@viagenie.ca 6"}));
  EXPECT_EQ(c.details[District], "Suite D2-630");
  EXPECT_EQ(c.details[Street], "2875 Laurier");
  EXPECT_EQ(c.details[City], "Quebec");
  EXPECT_EQ(c.details[Region], "QC");
  EXPECT_EQ(c.details[PostalCode], "G1V 2M2");
  EXPECT_EQ(c.details[Country], "Canada");
  EXPECT_EQ(c.birthday, "");
  EXPECT_EQ(card.problems,
            std::vector<std::string>{std::string("день рождения «--0203» не дата с годом")});
}

TEST(VCardTest, WrittenCardsFoldEscapeAndReadBackTheSame) {
  Contact full;
  full.name = "Константин Константинопольский-Новосельцев; Главный, Старший";
  full.numbers = {{"+79161234567", 3, true},
                  {"84951234567", 0, false},
                  {"1234", 5, false},
                  {"a@b.ru", kEmailType, false},
                  {"news@club.ru", kMailingListType, false},
                  {"*100#", kNoNumberType, false}};
  full.details = {"Центральный", "ул. Ленина, 12; кв. 5", "Москва", "", "101000", "Россия",
                  "Костя"};
  full.birthday = "11-02-1979";
  full.categories = {"Работа", "Друзья"};
  Contact nameless;
  nameless.numbers = {{"+74951112233", 1, true}};

  const std::string text = ContactVCard(full) + ContactVCard(nameless);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    ASSERT_EQ(line.back(), '\r');
    EXPECT_LE(line.size() - 1, 75u) << line;
    EXPECT_TRUE(IsUtf8(line)) << "no character is cut in two: " << line;
  }
  const std::vector<VCard> cards = ParseVCards(text);
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].version, "3.0");
  const Contact back = ContactFromVCard(cards[0]).contact;
  EXPECT_EQ(back.name, full.name);
  EXPECT_EQ(Numbers(back),
            (std::vector<std::string>{"+79161234567 3 primary", "84951234567 0", "1234 5",
                                      "a@b.ru 6", "news@club.ru 7", "*100# 3"}))
      << "a number of no type comes back as a mobile";
  EXPECT_EQ(back.details, full.details);
  EXPECT_EQ(back.birthday, full.birthday);
  EXPECT_EQ(back.categories, full.categories);
  const Contact backNameless = ContactFromVCard(cards[1]).contact;
  EXPECT_EQ(backNameless.name, "");
  EXPECT_EQ(cards[1].Find("FN")->value, "+74951112233") << "address books show the number";

  // The name is split only where it is a plain given and family name.
  const auto n = [](const std::string& name) {
    Contact c;
    c.name = name;
    return ParseVCards(ContactVCard(c))[0].Find("N")->value;
  };
  EXPECT_EQ(n("Анна Смирнова"), "Смирнова;Анна;;;");
  EXPECT_EQ(n("Дмитрий Козлов (раб.)"), ";Дмитрий Козлов (раб.);;;");
  EXPECT_EQ(n("Такси 24"), ";Такси 24;;;");
  EXPECT_EQ(n("Анна-Мария O'Brien"), "O'Brien;Анна-Мария;;;");
}

// vobject writes the card; it must read here with the values it was given.
TEST(VCardTest, CardsWrittenByVobjectReadTheSame) {
  const std::string& python = test::PythonWithVobject();
  if (python.empty()) GTEST_SKIP() << "python3 with vobject (package python3-vobject) is missing";
  test::TempDir dir;
  const std::string path = dir.File("vobject.vcf");
  const auto written = test::RunPython(python, R"(
import sys, vobject
card = vobject.vCard()
card.add('n').value = vobject.vcard.Name(family='Кузнецова', given='Елена')
card.add('fn').value = 'Елена Кузнецова'
tel = card.add('tel'); tel.value = '+7 921 777-00-11'; tel.type_param = ['CELL', 'PREF']
tel = card.add('tel'); tel.value = '8 812 222-33-44'; tel.type_param = 'HOME'
card.add('email').value = 'elena.k@yandex.ru'
card.add('adr').value = vobject.vcard.Address(street='Невский пр.; д. 1', city='Санкт-Петербург',
                                              code='191186', country='Россия', extended='Центр')
card.add('bday').value = '1990-07-04'
card.add('categories').value = ['Работа', 'Семья, близкие']
card.add('note').value = 'Длинная заметка ' * 10
open(sys.argv[1], 'w', encoding='utf-8', newline='').write(card.serialize())
)",
                                       {path});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  const std::vector<CardContact> cards = [&] {
    std::vector<CardContact> out;
    for (const VCard& card : ParseVCards(test::ReadBytes(path)))
      out.push_back(ContactFromVCard(card));
    return out;
  }();
  ASSERT_EQ(cards.size(), 1u);
  const Contact& c = cards[0].contact;
  EXPECT_EQ(c.name, "Елена Кузнецова");
  // vobject writes the properties sorted by name, EMAIL before TEL.
  EXPECT_EQ(Numbers(c), (std::vector<std::string>{"elena.k@yandex.ru 6", "+79217770011 3 primary",
                                                  "88122223344 1"}));
  EXPECT_EQ(c.details,
            (std::array<std::string, kContactDetails>{
                "Центр", "Невский пр.; д. 1", "Санкт-Петербург", "", "191186", "Россия", ""}));
  EXPECT_EQ(c.birthday, "07-04-1990");
  EXPECT_EQ(c.categories, (std::vector<std::string>{"Работа", "Семья, близкие"}));
}

}  // namespace
}  // namespace quorix
