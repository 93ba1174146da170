#include <gtest/gtest.h>

#include "link/PortName.h"

namespace quorix {
namespace {

TEST(PortNameTest, StoredNamesBecomeDevicePaths) {
  EXPECT_EQ(PortDevicePath("\\\\.\\COM4"), "/dev/ttyS3");
  EXPECT_EQ(PortDevicePath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(PortDevicePath("com12"), "/dev/ttyS11");
  EXPECT_EQ(PortDevicePath("\\\\.\\/dev/ttyACM0"), "/dev/ttyACM0");
  EXPECT_EQ(PortDevicePath("/dev/rfcomm0"), "/dev/rfcomm0");
  EXPECT_EQ(PortDevicePath("/dev/pts/7"), "/dev/pts/7");
  EXPECT_EQ(PortDevicePath("ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevicePath("COM0"), "/dev/COM0");
  EXPECT_EQ(PortDevicePath("COMX"), "/dev/COMX");
  EXPECT_EQ(PortDevicePath("\\\\.\\"), "");
  EXPECT_EQ(PortDevicePath(""), "");
}

}  // namespace
}  // namespace quorix
