#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include "MessageBoxAnswer.h"
#include "QtPrinting.h"
#include "SettingsFolder.h"
#include "app/Settings.h"
#include "app/ui/MainWindow.h"
#include "app/ui/SettingsPageWidget.h"
#include "base/ProfileFile.h"

namespace quorix::ui {
namespace {

std::string Read(const SettingsFolder& folder, const char* section, const char* key) {
  return ReadSetting(folder.Path(), section, key);
}

TEST(StartupShutdownTest, StartRestoresLayoutAndSettingsAndCloseWritesThem) {
  SettingsFolder folder;
  WriteSetting(folder.Path(), "Window", "Height", "500");
  WriteSetting(folder.Path(), "Window", "Width", "700");
  WriteSetting(folder.Path(), "Window", "Left", "10");
  WriteSetting(folder.Path(), "Window", "Top", "20");
  WriteSetting(folder.Path(), "Visual_Columns", "Col2", "123");
  WriteSetting(folder.Path(), "System", "ComPort", "com9");
  {
    MainWindow window(folder.Path());
    window.show();
    EXPECT_EQ(window.pos(), QPoint(10, 20));
    EXPECT_EQ(window.size(), QSize(700, 500));
    EXPECT_EQ(window.LV()->columnWidth(1), 123);
    EXPECT_EQ(window.SettingsWidget()->PortEdit()->currentText(), "COM9");
    EXPECT_TRUE(window.SettingsWidget()->CheckBox(9)->isChecked());
    EXPECT_EQ(window.State().phonebook.NumberTypeNames[3], "Mobile");
    EXPECT_EQ(window.NumberTypeIcons()[7].size(), QSize(15, 15));
    EXPECT_EQ(window.State().phonebook.LastIndex, 1000);
    EXPECT_EQ(window.StatusText(0), "Status: Disconnected");

    window.move(30, 40);
    window.resize(800, 600);
    window.SettingsWidget()->CheckBox(9)->click();
    window.LV()->setColumnWidth(3, 77);
    MessageBoxAnswer answer(QMessageBox::No);
    window.close();
    EXPECT_EQ(answer.shown, 0);
  }
  EXPECT_EQ(Read(folder, "Window", "Height"), "600");
  EXPECT_EQ(Read(folder, "Window", "Width"), "800");
  EXPECT_EQ(Read(folder, "Window", "Left"), "30");
  EXPECT_EQ(Read(folder, "Window", "Top"), "40");
  EXPECT_EQ(Read(folder, "System", "AdvancedPhoneBook"), "0");
  EXPECT_EQ(Read(folder, "System", "ComPort"), "COM9");
  EXPECT_EQ(Read(folder, "Visual_Columns", "Col4"), "77");
  EXPECT_EQ(Read(folder, "NumberTypes", "Mobile"), "Mobile");
}

TEST(StartupShutdownTest, AMaximizedWindowKeepsItsNormalGeometryAndStaysOnTheScreen) {
  SettingsFolder folder;
  WriteWindowLayout(folder.Path(), {500, 700, 50, 60, false});
  {
    MainWindow window(folder.Path());
    window.show();
    window.showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(window.isMaximized());
    window.close();
  }
  WindowLayout stored;
  ReadWindowLayout(folder.Path(), stored);
  EXPECT_TRUE(stored.Maximized);
  EXPECT_EQ(stored.Width, 700);
  EXPECT_EQ(stored.Height, 500);
  EXPECT_EQ(stored.Left, 50);
  EXPECT_EQ(stored.Top, 60);

  // A window stored off the screen opens on it, maximized again when it was.
  WriteWindowLayout(folder.Path(), {500, 700, -4000, 9000, true});
  MainWindow window(folder.Path());
  window.show();
  QApplication::processEvents();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(window.isMaximized());
  EXPECT_TRUE(screen.contains(window.normalGeometry().center()))
      << window.normalGeometry().x() << "," << window.normalGeometry().y();
}

TEST(StartupShutdownTest, PendingChangesAreAskedAboutAndSettingsStillWritten) {
  const QString question = "Вы хотите загрузить все измененные данные в телефон?";
  for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
    SettingsFolder folder;
    MainWindow window(folder.Path());
    window.show();
    window.State().DataModified = true;
    window.resize(640, 480);
    MessageBoxAnswer answer(button);
    window.close();
    EXPECT_EQ(answer.title, "Внимание!");
    if (button == QMessageBox::No) {
      EXPECT_EQ(answer.texts, QStringList{question});
      EXPECT_FALSE(window.isVisible());
      EXPECT_EQ(Read(folder, "Window", "Width"), "640");
    } else {
      // Yes runs the upload, which needs a phone: without one the changes stay, and so does
      // the window.
      EXPECT_EQ(answer.texts, (QStringList{question, "Подключитесь к телефону!"}));
      EXPECT_TRUE(window.isVisible());
      EXPECT_TRUE(window.State().DataModified);
      window.State().DataModified = false;
    }
  }
}

TEST(StartupShutdownTest, CancelEscapeOrTheCloseBoxKeepTheWindowOpenWithItsChanges) {
  SettingsFolder folder;
  MainWindow window(folder.Path());
  window.show();
  window.State().DataModified = true;
  {
    MessageBoxAnswer answer(QMessageBox::Cancel);
    window.close();
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(answer.escapeButton, QMessageBox::Cancel);
    EXPECT_EQ(answer.defaultButton, QMessageBox::Yes);
  }
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.State().DataModified);

  // A question whose Yes destroys data answers No to Enter and to Escape.
  MessageBoxAnswer destroying(QMessageBox::No);
  EXPECT_FALSE(window.AskBeforeDestroying("Внимание!", "Удалить?"));
  EXPECT_EQ(destroying.defaultButton, QMessageBox::No);
  EXPECT_EQ(destroying.escapeButton, QMessageBox::No);
  window.State().DataModified = false;
}

TEST(StartupShutdownTest, ExitAsksOnlyAboutChangesAndWritesNoSettings) {
  SettingsFolder folder;
  const std::string before = folder.Text();
  MainWindow window(folder.Path());
  window.show();
  window.setGeometry(1, 2, 600, 400);
  window.SettingsWidget()->CheckBox(1)->click();
  window.State().DataModified = true;
  {
    MessageBoxAnswer cancel(QMessageBox::Cancel);
    window.Command("Exit")->trigger();
    EXPECT_EQ(cancel.shown, 1);
  }
  EXPECT_TRUE(window.isVisible());
  MessageBoxAnswer answer(QMessageBox::No);
  QTimer::singleShot(0, window.Command("Exit"), &QAction::trigger);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(folder.Text(), before);
}

TEST(StartupShutdownTest, AMissingSettingsFileStopsTheStartAtTheFirstNumber) {
  SettingsFolder folder(false);
  MainWindow window(folder.Path());
  MessageBoxAnswer answer(QMessageBox::Ok);
  window.show();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(answer.text, "'File velkor.ini not found!' is not a valid integer value");
  EXPECT_EQ(window.pos(), QPoint(245, 97));
  EXPECT_EQ(window.size(), QSize(978, 673));
  EXPECT_EQ(window.StatusText(0), "");
  EXPECT_EQ(window.SettingsWidget()->PortEdit()->currentText(), "COM4");
}

TEST(StartupShutdownTest, APortGivenForTheRunIsUsedButNotStored) {
  SettingsFolder folder;
  {
    MainWindow window(folder.Path());
    window.SetPortOverride("/dev/pts/77");
    window.show();
    EXPECT_EQ(window.State().settings.ComPort, "/dev/pts/77");
    EXPECT_EQ(window.SettingsWidget()->PortEdit()->currentText(), "/dev/pts/77");
    window.close();
  }
  EXPECT_EQ(Read(folder, "System", "ComPort"), "COM4");
  {
    MainWindow window(folder.Path());
    window.SetPortOverride("/dev/pts/77");
    window.show();
    window.SettingsWidget()->PortEdit()->setCurrentText("com2");
    window.close();
  }
  EXPECT_EQ(Read(folder, "System", "ComPort"), "COM2");
}

}  // namespace
}  // namespace quorix::ui
