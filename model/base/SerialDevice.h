#pragma once
// The one rule for the serial device of the bus link: the environment variable ZYN_BUS_DEVICE
// when it is set (a pseudo-terminal of the simulator, an adapter for one session), else the
// device path of the options when it is not empty, else the device of the options' port number
// (port n = COM<n> = /dev/ttyS<n-1>). Every page and run asks here.

#include <string>
#include <vector>

namespace zyn {

// The Linux device of port number n (COM<n>): /dev/ttyS<n-1>.
std::string BusDeviceOfPort(int portNumber);
// ZYN_BUS_DEVICE, or empty.
std::string BusDeviceOverride();
// The device the link opens for the options' device path and port index (Source: 0 = COM1).
std::string ResolveBusDevice(const std::string& optionDevicePath, int source);
// The serial devices present in the folder (/dev): ttyUSB*, ttyACM*, then ttyS*, each in
// number order, as full paths.
std::vector<std::string> ListSerialDevices(const std::string& folder = "/dev");

}  // namespace zyn
