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
  // SerialPort.DevicePath: explicit device (/dev/ttyUSB0, a pseudo-terminal); wins over
  // Source when not empty.
  std::string DevicePath;
  // Always 19200 baud on the bus.
  int Baudrate = 19200;
};

}  // namespace zyn

namespace zyn {

// The serial settings of the options file (GOptionFile, group "SerialPort"); without an options
// object the defaults above. A device path given here wins over the one of the options (empty in
// both: the port of Source).
TBusSerialSettings BusSerialSettingsFromOptions(const std::string& devicePath = {});

}  // namespace zyn
