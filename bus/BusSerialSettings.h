#pragma once
// The serial settings of the bus link as the options hold them (section "SerialPort" of the
// options file, plus our device path). The options class fills it; the link takes it through
// TZYNComm::ApplySerialSettings.

#include <string>

namespace zyn {

struct TBusSerialSettings {
  // SerialPort.Source: index of the PC port; the link opens port number Source + 1 ("COM2"
  // for the default 1), which is the Linux device /dev/ttyS<Source>.
  int Source = 1;
  // SerialPort.Target: 0 control module, 1 RS485 adapter, 2 RS485 automatic adapter.
  int Target = 0;
  // SerialPort.MaxTimeout: answer time-out in milliseconds.
  int MaxTimeout = 100;
  // SerialPort.MinPause: pause before each telegram in milliseconds (only with an adapter).
  int MinPause = 5;
  // SerialPort.MaxRepeat: repetitions of a telegram after a time-out.
  int MaxRepeat = 3;
  // The device the link opens: ZYN_BUS_DEVICE, else SerialPort.DevicePath (/dev/ttyUSB0, a
  // pseudo-terminal), else the device of port Source + 1 (model/base/SerialDevice.h). Empty only
  // when filled by hand: then the port of Source.
  std::string DevicePath;

  // The device as the user reads it in messages: DevicePath, or /dev/ttyS<Source>.
  std::string DeviceText() const;
  // Always 19200 baud on the bus.
  int Baudrate = 19200;
};

}  // namespace zyn

namespace zyn {

// The serial settings of the options file (GOptionFile, group "SerialPort"); without an options
// object the defaults above. The device follows the one rule of model/base/SerialDevice.h; a
// device path given here wins over it.
TBusSerialSettings BusSerialSettingsFromOptions(const std::string& devicePath = {});

}  // namespace zyn
