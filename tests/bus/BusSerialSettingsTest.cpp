// The serial settings of the options and what they make of the link.

#include "bus/BusSerialSettings.h"

#include "bus/VaComm.h"
#include "bus/ZYNComm.h"
#include "model/base/ZYNOptionen.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(BusSerialSettings, OptionsSetUpTheLink) {
  TZYNComm comm;
  TBusSerialSettings s;  // the defaults of the options
  comm.ApplySerialSettings(s);
  EXPECT_EQ(comm.P_Port(), 2);
  EXPECT_EQ(comm.Port()->DeviceName(), "COM2");
  EXPECT_EQ(TVaComm::DevicePath(comm.Port()->DeviceName()), "/dev/ttyS1");
  EXPECT_EQ(comm.P_RecTimeout(), 100);
  EXPECT_EQ(comm.CurrentTimeout(), 100);
  EXPECT_EQ(comm.P_SendRepeat(), 3);
  EXPECT_EQ(comm.P_TIFDelay(), 5);
  EXPECT_FALSE(comm.P_TimeoutFix());  // direct to a control module: no pause
  s.Target = 1;
  s.Source = 0;
  s.DevicePath = "/dev/ttyUSB0";
  comm.ApplySerialSettings(s);
  EXPECT_TRUE(comm.P_TimeoutFix());
  EXPECT_EQ(comm.P_Port(), 1);
  EXPECT_EQ(comm.Port()->DeviceName(), "/dev/ttyUSB0");
  s.MinPause = 0;
  comm.ApplySerialSettings(s);
  EXPECT_FALSE(comm.P_TimeoutFix());
}

TEST(BusSerialSettings, LinkToAMissingPortEndsInTimeOutsNotInSuccess) {
  TZYNComm comm;
  comm.SetCloseDelay(0);
  comm.SetP_DevicePath("/dev/zyn-no-such-port");
  comm.SetP_RecTimeout(5);
  comm.SetP_SendRepeat(1);
  comm.OpenLink();
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(comm.OpenError(), "Specified device not found (/dev/zyn-no-such-port).");
  EXPECT_FALSE(comm.GetModuleStatus());
  EXPECT_EQ(comm.E_TransError(), errTimeout);
  comm.CloseLink();
}

TEST(BusSerialSettings, ReadFromTheOptionsFile) {
  const TBusSerialSettings none = BusSerialSettingsFromOptions();
  EXPECT_EQ(none.Source, 1);
  EXPECT_EQ(none.MaxTimeout, 100);
  GOptionFile = std::make_unique<TZYNOptionFile>("/tmp/");
  GOptionFile->SetDefaults();
  auto& item = GOptionFile->Optionen().SerialPort->First();
  item.Source = 3, item.Target = 2, item.MaxRepeat = 7, item.MaxTimeout = 250, item.MinPause = 9;
  item.DevicePath = "/dev/ttyS0";
  // The device path of the options, unless the caller names another.
  EXPECT_EQ(BusSerialSettingsFromOptions().DevicePath, "/dev/ttyS0");
  const TBusSerialSettings s = BusSerialSettingsFromOptions("/dev/ttyUSB0");
  GOptionFile.reset();
  EXPECT_EQ(s.Source, 3);
  EXPECT_EQ(s.Target, 2);
  EXPECT_EQ(s.MaxRepeat, 7);
  EXPECT_EQ(s.MaxTimeout, 250);
  EXPECT_EQ(s.MinPause, 9);
  EXPECT_EQ(s.Baudrate, 19200);
  EXPECT_EQ(s.DevicePath, "/dev/ttyUSB0");
  TZYNComm comm;
  comm.ApplySerialSettings(s);
  EXPECT_EQ(comm.P_Port(), 4);
  EXPECT_EQ(comm.P_SendRepeat(), 7);
  EXPECT_TRUE(comm.P_TimeoutFix());
}

}  // namespace
}  // namespace zyn
