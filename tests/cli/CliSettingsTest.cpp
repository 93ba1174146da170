#include "cli/CliSettings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/ProfileFile.h"
#include "support/TempDir.h"

namespace quorix::cli {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(CliSettingsTest, OptionsOverrideTheSettingsFile) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  WriteBytes(ini,
             "[System]\r\nComPort=COM7\r\nBCom=COM9\r\nBTimeout=1000\r\nBluetooth=1\r\n"
             "Range=20\r\nSIM=250\r\nFromPHONE=1\r\n");
  std::ostringstream out, err;
  CliContext ctx{{}, {}, {}, {}, {}, out, err};

  SettingsPage page = CliSettings(ctx, ini);
  EXPECT_EQ(page.ComPort, "COM7");
  EXPECT_EQ(page.BCom, "COM9");
  EXPECT_EQ(page.BTimeout, "1000");
  EXPECT_TRUE(page.Bluetooth);
  EXPECT_EQ(page.Range, "20");
  EXPECT_TRUE(page.FromPHONE);

  ctx.port = "/dev/ttyACM0";
  page = CliSettings(ctx, ini);
  EXPECT_EQ(page.ComPort, "/dev/ttyACM0");
  EXPECT_FALSE(page.Bluetooth) << "a cable port asked for by name wins over the file";
  EXPECT_EQ(page.BCom, "COM9");

  ctx.bluetoothPort = "/dev/rfcomm0";
  ctx.bluetoothWaitMs = "2500";
  page = CliSettings(ctx, ini);
  EXPECT_TRUE(page.Bluetooth);
  EXPECT_EQ(page.BCom, "/dev/rfcomm0");
  EXPECT_EQ(page.BTimeout, "2500");
  EXPECT_EQ(page.SIM, "250");

  // Without a settings file the options still hold and the rest reads as missing.
  page = CliSettings(ctx, dir.File("absent.ini"));
  EXPECT_EQ(page.ComPort, "/dev/ttyACM0");
  EXPECT_EQ(page.Range, kSettingNotFound);

  ctx.bluetoothWaitMs = "soon";
  EXPECT_THROW(CliSettings(ctx, ini), UsageError);
  EXPECT_EQ(CliSettingsPath(ctx).substr(CliSettingsPath(ctx).size() - 11), "/velkor.ini");
  ctx.settingsPath = ini;
  EXPECT_EQ(CliSettingsPath(ctx), ini);
}

}  // namespace
}  // namespace quorix::cli
