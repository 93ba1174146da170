#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/AppState.h"
#include "base/Clock.h"
#include "link/PhoneConnection.h"
#include "link/SerialPortMap.h"
#include "support/PtyLine.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

namespace fs = std::filesystem;

// A /sys/class/tty tree in a temporary folder, with the links the kernel makes.
class FakeSysfs {
 public:
  FakeSysfs() : root_(dir_.path()) {
    fs::create_directories(root_ / "class" / "tty");
    fs::create_directories(root_ / "published");
    fs::permissions(root_ / "published", fs::perms::owner_all);
  }

  // A tty whose device is driven by driver; uartType is written to "type" when given.
  void AddTty(const std::string& name, const std::string& driver,
              const std::string& uartType = "") {
    const fs::path device = root_ / "devices" / name;
    const fs::path driverDir = root_ / "bus" / "drivers" / driver;
    fs::create_directories(device);
    fs::create_directories(driverDir);
    fs::create_directory_symlink(driverDir, device / "driver");
    const fs::path tty = root_ / "devices" / "virtual-tty" / name;
    fs::create_directories(tty);
    fs::create_directory_symlink(device, tty / "device");
    if (!uartType.empty()) std::ofstream(tty / "type") << uartType << "\n";
    fs::create_directory_symlink(tty, root_ / "class" / "tty" / name);
  }
  void AddVirtualTty(const std::string& name) {
    fs::create_directories(root_ / "class" / "tty" / name);
  }
  void Publish(const std::string& file, const std::string& content) {
    std::ofstream(root_ / "published" / file) << content;
  }

  SerialPortMapSource Source() const { return {root_.string(), (root_ / "published").string()}; }

 private:
  test::TempDir dir_;
  fs::path root_;
};

TEST(SerialPortMapTest, ListsHardwareTtysThenPublishedPorts) {
  test::PtyLine pty;
  FakeSysfs sysfs;
  sysfs.AddTty("ttyS1", "serial8250", "4");
  sysfs.AddTty("ttyS0", "serial8250", "0");
  sysfs.AddTty("ttyACM1", "cdc_acm");
  sysfs.AddTty("ttyUSB0", "ftdi_sio");
  sysfs.AddTty("ttyACM0", "cdc_acm");
  sysfs.AddVirtualTty("tty0");
  sysfs.AddVirtualTty("ptmx");
  sysfs.Publish("e398", pty.SlavePath() + "\n");
  sysfs.Publish("gone", "/dev/quorix-no-such-pty\n");

  const auto ports = ReadSerialPortMap(sysfs.Source());
  ASSERT_EQ(ports.size(), 5u);
  EXPECT_EQ(ports[0].portName, "/dev/ttyACM0");
  EXPECT_EQ(ports[0].deviceName, "cdc_acm");
  EXPECT_TRUE(ports[0].usbModem);
  EXPECT_EQ(ports[1].portName, "/dev/ttyACM1");
  EXPECT_EQ(ports[2].portName, "/dev/ttyS1");
  EXPECT_FALSE(ports[2].usbModem);
  EXPECT_EQ(ports[3].portName, "/dev/ttyUSB0");
  EXPECT_FALSE(ports[3].usbModem);
  EXPECT_EQ(ports[4].portName, pty.SlavePath());
  EXPECT_TRUE(ports[4].usbModem);

  EXPECT_TRUE(ReadSerialPortMap({"/quorix/no/sysfs", "/quorix/no/dir"}).empty());
}

TEST(SerialPortMapTest, FindSerialPortsPicksTheLastUsbModem) {
  FakeSysfs sysfs;
  sysfs.AddTty("ttyS1", "serial8250", "4");
  sysfs.AddTty("ttyACM0", "cdc_acm");
  sysfs.AddTty("ttyACM1", "cdc_acm");
  AppState state;
  state.settings.PortItems = {"COM1", "COM2"};
  test::RecordingShell shell;
  VirtualClock clock;
  PhoneConnection phone(state.settings, state.link, shell, clock);
  phone.SetPortMapSource(sysfs.Source());
  phone.FindSerialPorts();
  EXPECT_EQ(state.settings.PortItems,
            (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyS1"}));
  EXPECT_EQ(state.settings.ComPort, "/dev/ttyACM1");

  phone.SetPortMapSource({"/quorix/no/sysfs", "/quorix/no/dir"});
  phone.FindSerialPorts();
  EXPECT_TRUE(state.settings.PortItems.empty());
  EXPECT_EQ(state.settings.ComPort, "");
}

}  // namespace
}  // namespace quorix
