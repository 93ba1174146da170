#include <gtest/gtest.h>

#include <filesystem>

#include "PhonebookWindow.h"
#include "app/ui/FileDialogAnswer.h"
#include "support/TempDir.h"

namespace quorix::ui {
namespace {

TEST(BackupCommandsTest, SaveThenRestoreRoundTripsMarksEveryRowAndSetsTheTitle) {
  PhonebookWindow w;
  w.Read();
  QStringList before;
  for (int i = 0; i < w.window.LV()->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = w.window.LV()->topLevelItem(i);
    before << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
  }
  // Rows the copy must carry as the phone holds them: other alphabets, and a ";" and quotes.
  ASSERT_TRUE(before.contains("38|Київ Їжак|+380440000038"));
  ASSERT_TRUE(before.contains("44|Кафе; бар \"Ромашка\"|84950000044"));
  const QString path = QString::fromStdString((w.folder.Dir() / "Телефон.csv").string());
  {
    // The sample holds names that code page 1251 has no letters for: the copy is UTF-8, and
    // the user is told so.
    MessageBoxAnswer ok(QMessageBox::Ok);
    ChooseFile(path);
    w.window.Command("ToolButton11")->trigger();
    EXPECT_EQ(ok.shown, 1);
    EXPECT_EQ(ok.title, "Резервная копия");
    EXPECT_EQ(ok.icon, QMessageBox::Information);
    EXPECT_TRUE(ok.text.startsWith("Файл " + path + " записан в кодировке UTF-8"))
        << ok.text.toStdString();
  }
  ASSERT_TRUE(std::filesystem::exists(path.toStdString()));
  EXPECT_EQ(test::ReadBytes(path.toStdString()).substr(0, 3), "\xEF\xBB\xBF");

  // Changes after the backup are undone by the restore, once the user agrees to drop them.
  w.ListRow(1)->setSelected(true);
  w.window.Command("ToolButton9")->trigger();
  ASSERT_TRUE(w.ListRow(1)->font(1).strikeOut());

  MessageBoxAnswer yes(QMessageBox::Yes);
  ChooseFile(path);
  w.window.Command("ToolButton12")->trigger();
  EXPECT_EQ(yes.texts,
            QStringList{"Изменения, не загруженные в телефон, будут потеряны. Продолжить?"});
  EXPECT_EQ(w.window.windowTitle(), "Quorix (" + path + ")");
  QStringList after;
  for (int i = 0; i < w.window.LV()->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = w.window.LV()->topLevelItem(i);
    after << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
  }
  EXPECT_EQ(after, before);
  int marked = 0;
  for (int i = 1; i <= kEntryRows; ++i) {
    const EntryRow& entry = w.Entry(i);
    if (entry[EntryNumber].empty()) continue;
    EXPECT_EQ(entry[EntryMark], "1") << i;
    ++marked;
  }
  EXPECT_EQ(marked, before.size());
  EXPECT_TRUE(w.State().DataModified);
  EXPECT_TRUE(w.State().RestoredFromFile);
  EXPECT_TRUE(PhonebookWindow::Children(w.TreeCategory("Семья")).contains("Мама  (+79161234501)"));
}

}  // namespace
}  // namespace quorix::ui
