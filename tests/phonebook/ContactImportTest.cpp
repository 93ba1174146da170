#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "app/AppState.h"
#include "phonebook/VCardFile.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

TEST(ContactImportTest, CardsGoIntoFreeRowsAndWhatDoesNotFitIsToldInOneMessage) {
  PhonebookFixture f;
  f.app->link.PhoneModel = "C650";  // 500 records of its own
  f.Category(1, "General");
  f.Category(2, "Друзья");
  for (int i = 1; i <= 497; ++i) {
    if (i != 2) f.Entry(i, "+7" + std::to_string(9000000000 + i), "Занято");
  }
  test::TempDir dir;
  const std::string path = dir.File("contacts.vcf");
  test::WriteBytes(path,
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Очень длинное имя контакта для телефона\r\n"
                   "TEL;TYPE=CELL:+7 916 000-00-01\r\nCATEGORIES:друзья\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë 😀\r\nTEL:1\r\nTEL:2\r\nTEL:3\r\nTEL:4\r\n"
                   "CATEGORIES:Клуб\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Занято\r\nTEL:+79000000001\r\nEND:VCARD\r\n");
  const ContactImportOutcome got = ImportVCardFile(*f.app, path);
  EXPECT_EQ(got.Entries, 4);
  EXPECT_EQ(got.Duplicates, 1);
  EXPECT_TRUE(f.app->DataModified);
  const EntryRow& first = f.pb.PhonebookEntries[2];
  EXPECT_EQ(Fields(first, EntryNumber, EntryNumberType),
            "\"+79160000001\"|145|" + Hex("Очень длинное имя контак") + "|3");
  EXPECT_EQ(first[EntryCategory], "2") << "matched by name, letter case aside";
  EXPECT_EQ(first[EntryMark], kMarkChanged);
  EXPECT_EQ(f.pb.PhonebookEntries[498][EntryName], Hex("Zoë")) << "ë is a letter the phone has";
  EXPECT_EQ(f.pb.PhonebookEntries[498][EntryCategory], "3");
  EXPECT_EQ(std::string(DecodeUcs2Hex(f.pb.Categories[3][CategoryName])), "Клуб");
  EXPECT_TRUE(f.pb.PhonebookEntries[501][EntryNumber].empty()) << "the SIM's rows stay free";

  EXPECT_EQ(std::string(VCardImportMessage(got, 20)),
            "Добавлено контактов: 2 из 3, записей: 4. Уже были в справочнике номеров: 1. В "
            "телефон они попадут при загрузке данных.\n\nНе всё поместилось в телефон:\n\n"
            "Очень длинное имя контакта для телефона: поле «Имя» сокращено до 24 символов\n"
            "Zoë 😀: в поле «Имя» пропущены символы, которых нет в телефоне: U+1F600; не "
            "хватило свободных ячеек, не добавлено номеров: 1");
}

}  // namespace
}  // namespace quorix
