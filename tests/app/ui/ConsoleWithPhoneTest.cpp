#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>

#include "MessageBoxAnswer.h"
#include "QtPrinting.h"
#include "SettingsFolder.h"
#include "app/ui/ConsolePage.h"
#include "app/ui/MainWindow.h"
#include "base/ProfileFile.h"
#include "phone-emulator/PtyPhoneServer.h"

namespace quorix::ui {
namespace {

// Lets the window's timers (the serial polling among them) run for a while.
void RunEvents(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QApplication::processEvents();
    ::usleep(5000);
  }
}

TEST(ConsoleWithPhoneTest, ConnectsSendsAndDisconnectsThroughTheWindow) {
  emu::EmulatorOptions options;
  options.model = "E398";
  emu::PtyPhoneServer phone(options);
  const std::string port = phone.Start();
  SettingsFolder folder;
  MainWindow window(folder.Path());
  window.SetPortOverride(port);
  window.show();

  {
    // Not connected: the console asks for a connection and sends nothing.
    MessageBoxAnswer answer(QMessageBox::Ok);
    window.Console()->CmdEdit()->setEditText("ATZ");
    window.Console()->Button8()->click();
    EXPECT_EQ(answer.text, "Подключитесь к телефону!");
    EXPECT_EQ(window.Console()->LogMemo()->toPlainText(), "Log");
  }

  window.Command("ToolButton1")->trigger();
  EXPECT_EQ(window.StatusText(0), "Статус: Подключен :)");
  EXPECT_EQ(window.StatusText(2), "Модель: E398");
  RunEvents(150);

  window.Console()->Button8()->click();
  EXPECT_EQ(window.Console()->LogMemo()->toPlainText(), "Log\nATZ\n\nOK");
  RunEvents(150);
  {
    MessageBoxAnswer answer(QMessageBox::Ok);
    window.Console()->CmdEdit()->setEditText("AT+NOSUCH");
    window.Console()->Button8()->click();
    EXPECT_EQ(answer.text, "AT Command Error: AT+NOSUCH\r\r\nERROR");
  }
  EXPECT_TRUE(window.Console()->LogMemo()->toPlainText().endsWith("AT+NOSUCH\n\nERROR"));

  window.Command("ToolButton2")->trigger();
  EXPECT_EQ(window.StatusText(0), "Статус: Отключен");
  EXPECT_FALSE(window.State().link.PhoneConnected);
}

}  // namespace
}  // namespace quorix::ui
