#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/ui/FileDialogAnswer.h"
#include "app/ui/ListPage.h"
#include "app/ui/MessageBoxAnswer.h"
#include "phonebook/ui/PhonebookWindow.h"
#include "sms/SmsBackupFile.h"
#include "support/TempDir.h"

namespace quorix::ui {
namespace {

QTreeWidgetItem* RowStarting(QTreeWidget* list, const QString& start) {
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    if (list->topLevelItem(row)->text(0).startsWith(start)) return list->topLevelItem(row);
  }
  return nullptr;
}

// After the phonebook, the messages read into conversations named from it; choosing one shows
// its messages and the last one whole; the page saves a backup and exports Android's XML.
TEST(MessagesPageTest, ReadShowsConversationsByNameAndSaveAndExportWriteThem) {
  PhonebookWindow w;
  w.Read();
  ListPage* page = w.window.Page(4);
  auto* conversations = page->findChild<QTreeWidget*>("Conversations");
  auto* messages = page->findChild<QTreeWidget*>("Messages");
  auto* text = page->findChild<QPlainTextEdit*>("MessageText");
  ASSERT_TRUE(conversations && messages && text);
  {
    MessageBoxAnswer ok(QMessageBox::Ok);
    page->Button("SmsRead")->click();
    EXPECT_EQ(ok.shown, 1) << "the undecoded message is told";
    EXPECT_TRUE(ok.text.contains("не распознано: 1")) << ok.text.toStdString();
  }
  EXPECT_EQ(conversations->topLevelItemCount(), 11);
  QTreeWidgetItem* anna = RowStarting(conversations, "Анна Смирнова (+79031112233)");
  ASSERT_TRUE(anna);
  EXPECT_EQ(anna->text(1), "2");
  conversations->setCurrentItem(anna);
  ASSERT_EQ(messages->topLevelItemCount(), 2);
  EXPECT_EQ(messages->topLevelItem(0)->text(0), "09.02.2007 12:41");
  EXPECT_EQ(messages->topLevelItem(0)->text(1), "Входящее");
  EXPECT_EQ(messages->topLevelItem(1)->text(1), "Исходящее");
  EXPECT_EQ(text->toPlainText(), "Да, буду в 19:00.");
  conversations->setCurrentItem(RowStarting(conversations, "+79852220100"));
  EXPECT_TRUE(
      messages->topLevelItem(0)->text(2).startsWith("[не распознано: 8-bit data] PDU 0791"));

  test::TempDir dir;
  ChooseFile(QString::fromStdString(dir.File("m.sms")));
  page->Button("SmsSave")->click();
  EXPECT_EQ(sms::ReadSmsBackup(dir.File("m.sms")).messages.size(), 12u);
  ChooseFile(QString::fromStdString(dir.File("m.xml")));
  page->Button("SmsExport")->click();
  const std::string xml = test::ReadBytes(dir.File("m.xml"));
  EXPECT_NE(xml.find("<smses count=\"12\">"), std::string::npos);
  EXPECT_NE(xml.find("contact_name=\"Анна Смирнова\""), std::string::npos);
  // The name's extension picks the form, whatever its case.
  ChooseFile(QString::fromStdString(dir.File("M.Xml")));
  page->Button("SmsExport")->click();
  EXPECT_EQ(test::ReadBytes(dir.File("M.Xml")), xml);
  ChooseFile(QString::fromStdString(dir.File("m.txt")));
  page->Button("SmsExport")->click();
  const std::string plain = test::ReadBytes(dir.File("m.txt"));
  EXPECT_EQ(plain.find("<smses"), std::string::npos);
  EXPECT_NE(plain.find("Анна Смирнова"), std::string::npos);
}

}  // namespace
}  // namespace quorix::ui
