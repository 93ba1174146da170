#include "app/ui/SettingsPageWidget.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "base/SettingsPage.h"

namespace quorix::ui {
namespace {

TEST(SettingsPageWidgetTest, ControlsAndStateFollowEachOther) {
  SettingsPage settings;
  settings.PortItems = {"COM1", "COM2"};
  settings.ComPort = "com5";
  settings.Bluetooth = false;
  SettingsPageWidget page(settings);
  EXPECT_EQ(page.PortEdit()->currentText(), "COM5");
  EXPECT_EQ(page.PortEdit()->count(), 2);
  EXPECT_EQ(page.RateEdit()->currentText(), "115200");
  EXPECT_EQ(page.CheckBox(5)->text(), "Использовать P2K режим для чтения мелодий и картинок");
  EXPECT_FALSE(page.BCom()->isEnabled());

  page.CheckBox(7)->click();
  EXPECT_TRUE(settings.Bluetooth);
  EXPECT_TRUE(page.BCom()->isEnabled());
  page.CheckBox(9)->click();
  EXPECT_TRUE(settings.AdvancedPhoneBook);
  page.Edit8()->setText("250");
  EXPECT_EQ(settings.SIM, "250");
  page.Edit3()->setCurrentText("70");
  EXPECT_EQ(settings.Range, "70");
  page.PortEdit()->setCurrentText("com7");
  EXPECT_EQ(page.PortEdit()->currentText(), "COM7");
  EXPECT_EQ(settings.ComPort, "COM7");
  // Device paths keep their case: the file system tells them apart.
  page.PortEdit()->setCurrentText("/dev/pts/3");
  EXPECT_EQ(settings.ComPort, "/dev/pts/3");

  settings.ComPort = "Порт";
  settings.Bluetooth = false;
  settings.BTimeout = "500";
  settings.PortItems = {"/dev/ttyACM0"};
  page.Refresh();
  EXPECT_EQ(page.PortEdit()->currentText(), "ПОРТ");
  EXPECT_EQ(page.PortEdit()->itemText(0), "/dev/ttyACM0");
  EXPECT_FALSE(page.CheckBox(7)->isChecked());
  EXPECT_FALSE(page.BCom()->isEnabled());
  EXPECT_EQ(page.ComboBox1()->currentText(), "500");
  EXPECT_EQ(settings.BTimeout, "500");
}

TEST(SettingsPageWidgetTest, ConverterRunsTheCodecBothWays) {
  SettingsPage settings;
  SettingsPageWidget page(settings);
  EXPECT_EQ(page.AnsiEdit()->text(), "ANSI");
  EXPECT_EQ(page.UCSEdit()->text(), "UCS");
  EXPECT_EQ(page.Button3()->text(), "ANSI => UCS");
  EXPECT_EQ(page.Button1()->text(), "UCS => ANSI");
  page.AnsiEdit()->setText("Ёж №1");
  page.Button3()->click();
  EXPECT_EQ(page.UCSEdit()->text(), "04010436002021160031");
  page.AnsiEdit()->setText("«Да»");
  page.Button3()->click();
  EXPECT_EQ(page.UCSEdit()->text(), "00AB0414043000BB");
  page.UCSEdit()->setText("041404300021");
  page.Button1()->click();
  EXPECT_EQ(page.AnsiEdit()->text(), "Да!");
  page.UCSEdit()->setText("2116002000E900200457");
  page.Button1()->click();
  EXPECT_EQ(page.AnsiEdit()->text(), "№ é ї");
}

TEST(SettingsPageWidgetTest, LanguageChoiceStoresItsCode) {
  SettingsPage settings;
  settings.Language = "ru";
  SettingsPageWidget page(settings);
  EXPECT_EQ(page.LanguageEdit()->currentText(), "Русский");
  page.LanguageEdit()->setCurrentText("English");
  EXPECT_EQ(settings.Language, "en");
  page.LanguageEdit()->setCurrentText("Системный");
  EXPECT_EQ(settings.Language, "");
}

}  // namespace
}  // namespace quorix::ui
