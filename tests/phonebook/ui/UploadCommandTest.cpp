#include <gtest/gtest.h>

#include "PhonebookWindow.h"
#include "app/ui/ProgressWindow.h"
#include "phone-emulator/EmulatedPhone.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/EntryList.h"
#include "support/Hex.h"

namespace quorix::ui {
namespace {

TEST(UploadCommandTest, TheUploadButtonAndClosingWithYesWriteTheChangesToThePhone) {
  PhonebookWindow w;
  w.Read();
  PhonebookState& pb = w.State().phonebook;
  LVSelectItem(pb, FindListRow(pb, 1), true);
  AssignType(w.State(), 2);  // "Home"
  ASSERT_EQ(w.Entry(1)[EntryMark], "1");
  {
    MessageBoxAnswer ok(QMessageBox::Ok);
    w.window.Command("ToolButton13")->trigger();
    EXPECT_EQ(ok.texts, QStringList{"Загрузка успешно звершена!"});
  }
  EXPECT_EQ(w.Entry(1)[EntryMark], "");
  EXPECT_FALSE(w.State().DataModified);
  EXPECT_FALSE(w.window.Form3()->isVisible());
  EXPECT_EQ(w.window.StatusText(0), "Телефон готов!");
  w.phone->Inspect([](const emu::EmulatedPhone& p) { EXPECT_EQ(p.Record(1)->numberType, "1"); });

  w.Entry(2)[EntryName] = test::Hex("Мамуля");
  w.Entry(2)[EntryMark] = kMarkChanged;
  w.State().DataModified = true;
  MessageBoxAnswer yes(QMessageBox::Yes);
  w.window.close();
  EXPECT_EQ(yes.texts, (QStringList{"Вы хотите загрузить все измененные данные в телефон?",
                                    "Загрузка успешно звершена!"}));
  w.phone->Inspect(
      [](const emu::EmulatedPhone& p) { EXPECT_EQ(p.Record(2)->name, test::Hex("Мамуля")); });
}

}  // namespace
}  // namespace quorix::ui
