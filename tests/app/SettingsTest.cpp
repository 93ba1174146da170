#include "app/Settings.h"

#include <gtest/gtest.h>

#include "app/ProgramPaths.h"
#include "base/Conversion.h"
#include "base/ProfileFile.h"
#include "codec/CodePage.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

SettingsPage SamplePage() {
  SettingsPage page;
  page.ComPort = "/dev/ttyACM0";
  page.BaudRate = "57600";
  page.BCom = "/dev/rfcomm0";
  page.BTimeout = "1500";
  page.SIM = "250";
  page.Range = "30";
  page.AutoConnect = true;
  page.FromPHONE = true;
  page.RmMyToneDB = true;
  page.ClearPB = true;
  page.Bluetooth = true;
  page.ColumnWidths = {-2, -1, 0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 500};
  return page;
}

void ExpectSamePage(const SettingsPage& a, const SettingsPage& b) {
  EXPECT_EQ(a.ComPort, b.ComPort);
  EXPECT_EQ(a.BaudRate, b.BaudRate);
  EXPECT_EQ(a.BCom, b.BCom);
  EXPECT_EQ(a.BTimeout, b.BTimeout);
  EXPECT_EQ(a.SIM, b.SIM);
  EXPECT_EQ(a.Range, b.Range);
  EXPECT_EQ(a.AutoConnect, b.AutoConnect);
  EXPECT_EQ(a.AutoFind, b.AutoFind);
  EXPECT_EQ(a.FromSIM, b.FromSIM);
  EXPECT_EQ(a.FromPHONE, b.FromPHONE);
  EXPECT_EQ(a.P2K, b.P2K);
  EXPECT_EQ(a.RmMyToneDB, b.RmMyToneDB);
  EXPECT_EQ(a.Bluetooth, b.Bluetooth);
  EXPECT_EQ(a.ClearPB, b.ClearPB);
  EXPECT_EQ(a.AdvancedPhoneBook, b.AdvancedPhoneBook);
  EXPECT_EQ(a.ColumnWidths, b.ColumnWidths);
}

TEST(SettingsTest, SavedSettingsReadBackAndLeaveTheTypeNamesAlone) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  const std::string types = "[NumberTypes]\r\nWork=" + Utf8ToCp1251("Рабочий") +
                            "\r\nHome=\"Home\"\r\nMain=Main\r\nMobile=Mobile\r\nFax=Fax\r\n"
                            "Pager=Pager\r\nEmail=Email\r\nSubscribe=" +
                            Utf8ToCp1251("Подписка") + "\r\n";
  WriteBytes(ini, types);

  WriteSettings(ini, SamplePage());
  SettingsPage read;
  std::array<std::string, 8> names;
  ReadSettings(ini, read, names);
  ExpectSamePage(read, SamplePage());
  EXPECT_EQ(names[0], std::string("Рабочий"));
  EXPECT_EQ(names[1], "Home");
  EXPECT_EQ(names[6], "Email");
  EXPECT_EQ(names[7], std::string("Подписка"));
  EXPECT_EQ(ReadBytes(ini).substr(0, types.size()), types) << "the type names were rewritten";

  // With everything off every Boolean key holds "0", and no type name is ever written.
  const std::string fresh = dir.File("fresh.ini");
  SettingsPage off = SamplePage();
  off.AutoConnect = off.FromPHONE = off.RmMyToneDB = off.ClearPB = off.Bluetooth = false;
  WriteSettings(fresh, off);
  for (const char* key : {"AutoConnect", "AutoFind", "FromSIM", "FromPHONE", "P2K", "RmMyToneDB",
                          "Bluetooth", "ClearPB", "AdvancedPhoneBook"}) {
    EXPECT_EQ(ReadSetting(fresh, "System", key), "0") << key;
  }
  EXPECT_EQ(ReadBytes(fresh).find("NumberTypes"), std::string::npos);
  ReadSettings(fresh, read, names);
  ExpectSamePage(read, off);
  EXPECT_EQ(names[0], kSettingNotFound);
}

TEST(SettingsTest, OnlyExactlyOneTurnsAnOptionOn) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  WriteBytes(ini,
             "[System]\nAutoConnect=yes\nAutoFind=1\nFromSIM=01\nFromPHONE= 1 \nP2K=true\n"
             "RmMyToneDB=-1\nBluetooth=\"1\"\nClearPB=\nComPort=com5\n");
  SettingsPage page;
  page.AutoConnect = page.FromSIM = page.P2K = page.RmMyToneDB = page.ClearPB = true;
  page.AdvancedPhoneBook = true;
  ReadSystemSettings(ini, page);
  EXPECT_FALSE(page.AutoConnect);
  EXPECT_TRUE(page.AutoFind);
  EXPECT_FALSE(page.FromSIM);
  EXPECT_TRUE(page.FromPHONE);
  EXPECT_FALSE(page.P2K);
  EXPECT_FALSE(page.RmMyToneDB);
  EXPECT_TRUE(page.Bluetooth);
  EXPECT_FALSE(page.ClearPB);
  EXPECT_FALSE(page.AdvancedPhoneBook);  // missing
  EXPECT_EQ(page.ComPort, "com5");
  EXPECT_EQ(page.BaudRate, kSettingNotFound);
}

TEST(SettingsTest, ABadColumnWidthStopsTheReadingAtThatKey) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  const SettingsPage initial;
  std::array<std::string, 8> names{"a", "b", "c", "d", "e", "f", "g", "h"};
  const std::string system = "[System]\r\nComPort=COM8\r\nAutoFind=1\r\n";
  const std::string types = "[NumberTypes]\r\nWork=Job\r\n";

  WriteBytes(ini,
             system + "[Visual_Columns]\r\nCol1=1\r\nCol2=2\r\nCol3=3\r\nCol4=four\r\n" + types);
  SettingsPage page;
  try {
    ReadSettings(ini, page, names);
    ADD_FAILURE() << "no conversion error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'four' is not a valid integer value");
  }
  EXPECT_EQ(page.ComPort, "COM8");
  EXPECT_TRUE(page.AutoFind);
  EXPECT_EQ(page.ColumnWidths[0], 1);
  EXPECT_EQ(page.ColumnWidths[2], 3);
  for (size_t i = 3; i < 16; ++i) EXPECT_EQ(page.ColumnWidths[i], initial.ColumnWidths[i]) << i;
  EXPECT_EQ(names[0], "a") << "the type names come after the columns";

  WriteBytes(ini, system + "[Visual_Columns]\r\nCol1=-2\r\nCol2=-3\r\n" + types);
  page = SettingsPage();
  EXPECT_THROW(ReadSettings(ini, page, names), RangeCheckError);
  EXPECT_EQ(page.ColumnWidths[0], -2);
  EXPECT_EQ(page.ColumnWidths[1], initial.ColumnWidths[1]);
  EXPECT_EQ(names[0], "a");

  // No file at all: the texts show the missing-file text and Col1 stops the reading.
  page = SettingsPage();
  try {
    ReadSettings(dir.File("absent.ini"), page, names);
    ADD_FAILURE() << "no conversion error";
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()),
              std::string("'") + kSettingNotFound + "' is not a valid integer value");
  }
  EXPECT_EQ(page.ComPort, kSettingNotFound);
  EXPECT_EQ(page.Range, kSettingNotFound);
  EXPECT_EQ(page.ColumnWidths, initial.ColumnWidths);
}

TEST(SettingsTest, WindowLayoutRoundTripsAndStopsAtTheFirstBadKey) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  WriteWindowLayout(ini, {800, 1200, -5, 40, true});
  WindowLayout layout;
  ReadWindowLayout(ini, layout);
  EXPECT_EQ(layout.Height, 800);
  EXPECT_EQ(layout.Width, 1200);
  EXPECT_EQ(layout.Left, -5);
  EXPECT_EQ(layout.Top, 40);
  EXPECT_TRUE(layout.Maximized);

  // A layout saved on a larger or a lost screen comes back inside the screen there is.
  const ScreenArea screen{0, 30, 1024, 738};
  const WindowLayout placed = PlaceInside(layout, screen);
  EXPECT_EQ(placed.Width, 1024);
  EXPECT_EQ(placed.Height, 738);
  EXPECT_EQ(placed.Left, 0);
  EXPECT_EQ(placed.Top, 30);
  const WindowLayout far = PlaceInside({673, 978, 5000, -1}, screen);
  EXPECT_EQ(far.Left, 1024 - 978);
  EXPECT_EQ(far.Top, 30);
  EXPECT_EQ(far.Width, 978);

  WriteBytes(ini, "[Window]\r\nHeight=600\r\nWidth=wide\r\nLeft=1\r\nTop=2\r\n");
  layout = WindowLayout{};
  EXPECT_THROW(ReadWindowLayout(ini, layout), ConversionError);
  EXPECT_EQ(layout.Height, 600);
  EXPECT_EQ(layout.Width, 978);
  EXPECT_EQ(layout.Left, 245);
  EXPECT_EQ(layout.Top, 97);
}

TEST(SettingsTest, IconsAreFoundInTheFirstFolderThatHasThem) {
  TempDir cwd;
  TempDir program;
  std::filesystem::create_directory(cwd.File("logo"));
  std::filesystem::create_directory(program.File("logo"));
  WriteBytes(cwd.File("logo/Work.bmp"), "BM");
  WriteBytes(program.File("logo/Work.bmp"), "BM");
  WriteBytes(program.File("logo/Дом.bmp"), "BM");
  std::filesystem::create_directory(cwd.File("logo/Fax.bmp"));

  const std::vector<std::string> folders = {cwd.path(), program.path()};
  EXPECT_EQ(NumberTypeIconPath("Work", folders), cwd.File("logo/Work.bmp"));
  EXPECT_EQ(NumberTypeIconPath(std::string("Дом"), folders), program.File("logo/Дом.bmp"));
  try {
    NumberTypeIconPath("Fax", folders);
    ADD_FAILURE() << "a missing icon was found";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + program.File("logo/Fax.bmp") +
                                         "\". No such file or directory");
  }
}

TEST(SettingsTest, TheShippedFileReadsCompletelyAndEveryTypeHasItsIcon) {
  const std::string ini = std::string(QUORIX_RESOURCES_DIR) + "/velkor.ini";
  WindowLayout layout{0, 0, 0, 0};
  ReadWindowLayout(ini, layout);
  EXPECT_EQ(layout.Height, 673);
  EXPECT_EQ(layout.Width, 978);
  EXPECT_EQ(layout.Left, 245);
  EXPECT_EQ(layout.Top, 97);
  SettingsPage page;
  page.ColumnWidths.fill(0);
  std::array<std::string, 8> names;
  ReadSettings(ini, page, names);
  EXPECT_EQ(page.ComPort, "COM4");
  EXPECT_EQ(page.BaudRate, "115200");
  EXPECT_EQ(page.BCom, "COM1");
  EXPECT_EQ(page.BTimeout, "1000");
  EXPECT_EQ(page.SIM, "250");
  EXPECT_EQ(page.Range, "10");
  EXPECT_TRUE(page.FromPHONE);
  EXPECT_TRUE(page.AdvancedPhoneBook);
  EXPECT_FALSE(page.AutoConnect || page.AutoFind || page.FromSIM || page.P2K || page.RmMyToneDB ||
               page.Bluetooth || page.ClearPB);
  EXPECT_EQ(page.ColumnWidths, SettingsPage().ColumnWidths);
  EXPECT_EQ(names, (std::array<std::string, 8>{"Work", "Home", "Main", "Mobile", "Fax", "Pager",
                                               "Email", "Subscribe"}));
  // The build puts an icon for each of them beside the programs.
  for (const std::string& name : names) {
    EXPECT_EQ(ReadBytes(NumberTypeIconPath(name, {"/nonexistent", QUORIX_BIN_DIR})).substr(0, 2),
              "BM")
        << name;
  }
}

TEST(SettingsTest, TheUsersGuideIsShippedBesideTheProgram) {
  const std::string guide = UserGuidePath(QUORIX_BIN_DIR);
  ASSERT_FALSE(guide.empty());
  EXPECT_NE(ReadBytes(guide).find("## The window"), std::string::npos);
  EXPECT_EQ(UserGuidePath("/quorix/nowhere"), "");
}

}  // namespace
}  // namespace quorix
