#include "app/ui/ConsolePage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "MessageBoxAnswer.h"
#include "QtPrinting.h"
#include "SettingsFolder.h"
#include "app/ui/MainWindow.h"

namespace quorix::ui {
namespace {

TEST(ConsolePageTest, LogsLinesAndSendsOnEnter) {
  ConsolePage page;
  EXPECT_EQ(page.LogMemo()->toPlainText(), "Log");
  EXPECT_TRUE(page.Button8()->isDefault());
  page.LogLine("ATZ\r\r\nOK\r");
  page.LogLine("\xcf\xf0\xe8\xe2\xe5\xf2");  // "Привет" as a phone sends it, in code page 1251
  page.LogLine("Київ");                      // UTF-8 stays as it is
  EXPECT_EQ(page.LogMemo()->toPlainText(), "Log\nATZ\n\nOK\nПривет\nКиїв");
  const auto lines = page.LogLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Привет");
  EXPECT_EQ(lines.back(), "Київ");

  int sends = 0;
  QObject::connect(page.Button8(), &QPushButton::clicked, [&] { ++sends; });
  page.CmdEdit()->setEditText(" at+cgmm ");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(page.CmdEdit()->lineEdit(), &enter);
  EXPECT_EQ(sends, 1);
  EXPECT_EQ(page.Command(), " at+cgmm ");
  EXPECT_EQ(page.CmdEdit()->count(), 0);
}

TEST(ConsolePageTest, SaveWritesLogMemoTxtInTheCurrentFolder) {
  SettingsFolder folder;
  const auto dir = folder.Dir();
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  {
    MainWindow window(folder.Path());
    window.LogLine("OK");
    ASSERT_TRUE(window.Console()->Button9()->isEnabled());
    window.Console()->Button9()->click();
    window.Console()->Button9()->click();
  }
  std::filesystem::current_path(previous);
  EXPECT_EQ(test::ReadBytes(dir / "LogMemo.txt"), "Log\r\nOK\r\n");
}

TEST(ConsolePageTest, ASaveThatCannotWriteSaysWhere) {
  SettingsFolder folder;
  const auto dir = folder.Dir() / "Журнал";
  std::filesystem::create_directories(dir / "LogMemo.txt");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  {
    MainWindow window(folder.Path());
    MessageBoxAnswer answer(QMessageBox::Ok);
    window.Console()->Button9()->click();
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(answer.icon, QMessageBox::Critical);
    EXPECT_EQ(answer.text,
              QString::fromStdString("Cannot create file \"" + (dir / "LogMemo.txt").string() +
                                     "\". Is a directory"));
  }
  std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace quorix::ui
