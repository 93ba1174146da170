#include <gtest/gtest.h>

#include <QPushButton>

#include "PhonebookWindow.h"
#include "app/ui/FileDialogAnswer.h"
#include "support/TempDir.h"

namespace quorix::ui {
namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(CardCommandsTest, ContactsAndEventsGoOutAndComeInFromTheWindow) {
  PhonebookWindow w;
  w.Read();
  const std::string vcf = (w.folder.Dir() / "contacts.vcf").string();
  ChooseFile(QString::fromStdString(vcf));
  w.window.Command("ExportVCard")->trigger();
  const std::string cards = test::ReadBytes(vcf);
  EXPECT_EQ(Count(cards, "BEGIN:VCARD"), Count(cards, "\r\nFN:"));
  EXPECT_NE(cards.find("FN:Анна Смирнова\r\n"), std::string::npos);
  EXPECT_NE(cards.find("FN:Київ Їжак\r\n"), std::string::npos);

  // A card of an old phone: version 2.1, the name in quoted-printable UTF-8.
  test::WriteBytes(vcf,
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:"
                   "=D0=92=D0=B0=D1=81=D1=8F;;;;\r\nTEL;CELL:+79990001122\r\nEND:VCARD\r\n");
  {
    MessageBoxAnswer ok(QMessageBox::Ok);
    ChooseFile(QString::fromStdString(vcf));
    w.window.Command("ImportVCard")->trigger();
    EXPECT_EQ(ok.texts, QStringList{"Добавлено контактов: 1 из 1, записей: 1. В телефон они "
                                    "попадут при загрузке данных."});
  }
  const auto rows = w.window.LV()->findItems("Вася", Qt::MatchExactly, 1);
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0]->text(2), "+79990001122");
  EXPECT_TRUE(w.State().DataModified);

  auto* page = w.window.findChild<QPushButton*>("ExportICalendar");
  ASSERT_NE(page, nullptr);
  w.window.Command("Button2")->trigger();
  const std::string ics = (w.folder.Dir() / "calendar.ics").string();
  ChooseFile(QString::fromStdString(ics));
  page->click();
  EXPECT_EQ(Count(test::ReadBytes(ics), "BEGIN:VEVENT"), 9);

  test::WriteBytes(
      ics,
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20260101T000000Z"
      "\r\nSUMMARY:Из календаря\r\nDTSTART;VALUE=DATE:20270201\r\nEND:VEVENT\r\n"
      "END:VCALENDAR\r\n");
  MessageBoxAnswer ok(QMessageBox::Ok);
  ChooseFile(QString::fromStdString(ics));
  w.window.findChild<QPushButton*>("ImportICalendar")->click();
  EXPECT_EQ(ok.texts, QStringList{"Загрузка успешно завершена!"});
  EXPECT_EQ(w.State().datebook.DatebookRecords[9][EventDate], "\"02-01-2027\"");
}

}  // namespace
}  // namespace quorix::ui
