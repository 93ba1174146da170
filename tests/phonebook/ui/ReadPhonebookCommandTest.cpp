#include <gtest/gtest.h>

#include <QMenu>
#include <QTreeWidget>

#include "PhonebookWindow.h"
#include "app/ui/ProgressWindow.h"
#include "phone-emulator/EmulatedPhone.h"
#include "phonebook/CategoryTree.h"
#include "support/TempDir.h"

namespace quorix::ui {
namespace {

TEST(ReadPhonebookCommandTest, FillsTheListTheCategoriesAndTheTreeFromThePhone) {
  PhonebookWindow w;
  ASSERT_TRUE(w.State().link.PhoneConnected);
  int used = 0;
  w.phone->Inspect([&](const emu::EmulatedPhone& phone) {
    used = phone.UsedRecords(emu::PhonebookMemory::Phone);
  });
  w.Read();

  EXPECT_EQ(w.window.windowTitle(), "Quorix");
  EXPECT_FALSE(w.window.Form3()->isVisible());
  EXPECT_TRUE(w.window.isEnabled());
  QTreeWidget* lv = w.window.LV();
  ASSERT_EQ(lv->topLevelItemCount(), used);
  QTreeWidgetItem* anna = w.ListRow(5);
  ASSERT_NE(anna, nullptr);
  EXPECT_EQ(anna->text(1), "Анна Смирнова");
  EXPECT_EQ(anna->text(2), "+79031112233");
  EXPECT_EQ(anna->text(3), "Mobile");
  EXPECT_FALSE(anna->icon(3).isNull());
  EXPECT_EQ(anna->text(5), "Друзья");
  EXPECT_EQ(anna->text(7), "Yes");
  EXPECT_EQ(anna->text(14), "Аня");
  EXPECT_EQ(w.ListRow(11)->text(10), "Москва");

  QTreeWidget* categories = w.window.LVCat();
  QStringList names;
  for (int i = 0; i < categories->topLevelItemCount(); ++i) {
    names << categories->topLevelItem(i)->text(0) + " " + categories->topLevelItem(i)->text(1);
  }
  for (const char* name : {"2 VIP", "3 Работа", "4 Семья", "5 Друзья", "8 Спорт"}) {
    EXPECT_TRUE(names.contains(name)) << name;
  }
  EXPECT_EQ(categories->topLevelItemCount(), static_cast<int>(w.State().phonebook.LVCat.size()));

  QTreeWidgetItem* family = w.TreeCategory("Семья");
  ASSERT_NE(family, nullptr);
  EXPECT_FALSE(family->icon(0).isNull());
  EXPECT_EQ(PhonebookWindow::Children(family),
            (QStringList{"Мама  (+79161234501)", "Мама  (+74951234502)", "Папа  (+79161234503)",
                         "Папа  (+74957654321)", "Бабушка  (+74951112233)"}));
  // Every node of the model is shown, the entries under their categories.
  int nodes = 0;
  for (int i = 0; i < w.window.Tr()->topLevelItemCount(); ++i) {
    nodes += 1 + w.window.Tr()->topLevelItem(i)->childCount();
  }
  EXPECT_EQ(nodes, TreeNodeCount(w.State().phonebook));
  EXPECT_GT(nodes, 30);

  // The popup offers the categories read.
  QMenu* assign = w.window.PopupMenu1()->findChild<QMenu*>("AssignCategoryMenu");
  QStringList offered;
  for (QAction* item : assign->actions()) offered << item->text();
  EXPECT_TRUE(offered.contains("Семья"));
}

TEST(ReadPhonebookCommandTest, AReadingWithFailuresEndsWithTheCountOfRecordsRead) {
  emu::EmulatorOptions options = PhonebookWindow::SampleOptions();
  options.errorOn = {"AT+CPBS"};
  PhonebookWindow w(options);
  MessageBoxAnswer answer(QMessageBox::Ok);
  w.Read();
  ASSERT_EQ(answer.texts.size(), 2);
  EXPECT_TRUE(answer.texts[0].startsWith("AT Command Error: ")) << answer.texts[0].toStdString();
  EXPECT_EQ(answer.texts[1],
            QString("Справочник прочитан с ошибками: прочитано %1 из 1000 записей, 1 из %2 "
                    "запросов без ответа или с ошибкой.")
                .arg(w.window.LV()->topLevelItemCount())
                .arg(w.State().phonebook.LastReading.Exchanges.Requests));
  EXPECT_GT(w.window.LV()->topLevelItemCount(), 0);
}

TEST(ReadPhonebookCommandTest, ChangesNotUploadedAreDroppedOnlyWhenTheUserSaysSo) {
  PhonebookWindow w;
  w.Read();
  w.ListRow(1)->setSelected(true);
  w.window.Command("ToolButton9")->trigger();
  const int rows = w.window.LV()->topLevelItemCount();
  {
    MessageBoxAnswer no(QMessageBox::No);
    w.Read();
    EXPECT_EQ(no.texts,
              QStringList{"Изменения, не загруженные в телефон, будут потеряны. Продолжить?"});
  }
  EXPECT_EQ(w.window.LV()->topLevelItemCount(), rows);
  EXPECT_EQ(w.Entry(1)[EntryMark], "Del");
  MessageBoxAnswer yes(QMessageBox::Yes);
  w.Read();
  EXPECT_EQ(w.window.LV()->topLevelItemCount(), rows);
  EXPECT_FALSE(w.ListRow(1)->font(1).strikeOut());
  EXPECT_EQ(w.Entry(1)[EntryMark], "");
  EXPECT_FALSE(w.State().DataModified);
}

TEST(ReadPhonebookCommandTest, AsksForAConnectionFirst) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  window.show();
  MessageBoxAnswer answer(QMessageBox::Ok);
  window.Command("ToolButton4")->trigger();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(window.LV()->topLevelItemCount(), 0);
  EXPECT_FALSE(window.Form3()->isVisible());
}

// The window's own clock: the two mode switches take their 7 s each.
TEST(ReadPhonebookCommandTest, WithTheP2KSettingTheReadingOffersThePhonesFiles) {
  test::TempDir ports;
  setenv("QUORIX_PUBLISHED_PORTS", ports.path().c_str(), 1);
  emu::EmulatorOptions options = PhonebookWindow::SampleOptions();
  options.publish = true;
  options.usbDelayMs = 30;
  PhonebookWindow w(options);
  EXPECT_TRUE(w.window.Command("ToolButton15")->isEnabled());
  w.State().settings.P2K = true;
  w.Read();
  unsetenv("QUORIX_PUBLISHED_PORTS");

  EXPECT_EQ(w.ListRow(5)->text(4), "Classic.mid (12)");
  EXPECT_TRUE(w.State().link.PhoneConnected) << "back on the modem port";
  QMenu* popup = w.window.PopupMenu1();
  emit popup->aboutToShow();
  QStringList melodies, pictures;
  for (QAction* item : popup->findChild<QMenu*>("MelodyMenu")->actions()) melodies << item->text();
  for (QAction* item : popup->findChild<QMenu*>("PictureMenu")->actions()) pictures << item->text();
  EXPECT_TRUE(melodies.contains("Summer.mp3")) << melodies.join(", ").toStdString();
  EXPECT_TRUE(pictures.contains("anna.jpg")) << pictures.join(", ").toStdString();
}

}  // namespace
}  // namespace quorix::ui
