// The one rule for the bus device, and the list of the serial devices present.

#include "model/base/SerialDevice.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace zyn {
namespace {

TEST(SerialDevice, EnvironmentThenOptionThenPort) {
  unsetenv("ZYN_BUS_DEVICE");
  EXPECT_EQ(ResolveBusDevice("", 0), "/dev/ttyS0");  // COM1
  EXPECT_EQ(ResolveBusDevice("", 1), "/dev/ttyS1");  // COM2, the default
  EXPECT_EQ(ResolveBusDevice("/dev/ttyUSB0", 1), "/dev/ttyUSB0");
  setenv("ZYN_BUS_DEVICE", "/dev/pts/9", 1);
  EXPECT_EQ(BusDeviceOverride(), "/dev/pts/9");
  EXPECT_EQ(ResolveBusDevice("/dev/ttyUSB0", 1), "/dev/pts/9");
  unsetenv("ZYN_BUS_DEVICE");
  EXPECT_EQ(BusDeviceOfPort(4), "/dev/ttyS3");
}

TEST(SerialDevice, ListShowsAdaptersFirstInNumberOrder) {
  test::TempFolder folder("devices");
  for (const char* name : {"ttyS10", "ttyS2", "ttyUSB1", "ttyACM0", "ttyUSB0", "tty0", "ttyS", "ttySx", "null"})
    std::ofstream(folder.File(name)) << "";
  const std::vector<std::string> list = ListSerialDevices(folder.Path());
  const std::string f = folder.Path();
  auto p = [&](const char* n) { return (std::filesystem::path(f) / n).string(); };
  EXPECT_EQ(list, (std::vector<std::string>{p("ttyUSB0"), p("ttyUSB1"), p("ttyACM0"), p("ttyS2"), p("ttyS10")}));
  EXPECT_TRUE(ListSerialDevices(folder.File("none")).empty());
}

}  // namespace
}  // namespace zyn
