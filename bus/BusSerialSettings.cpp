#include "bus/BusSerialSettings.h"

#include "model/base/SerialDevice.h"
#include "model/base/ZYNOptionen.h"

namespace zyn {

TBusSerialSettings BusSerialSettingsFromOptions(const std::string& devicePath) {
  TBusSerialSettings b;
  TSerialPortSettings s{b.Source, b.Target, b.MaxTimeout, b.MinPause, b.MaxRepeat, b.DevicePath};
  GetSerialPortSettings(s);
  b.Source = s.Source;
  b.Target = s.Target;
  b.MaxTimeout = s.MaxTimeout;
  b.MinPause = s.MinPause;
  b.MaxRepeat = s.MaxRepeat;
  b.Baudrate = GetBusBaudrate();
  b.DevicePath = devicePath.empty() ? ResolveBusDevice(s.DevicePath, s.Source) : devicePath;
  return b;
}

std::string TBusSerialSettings::DeviceText() const {
  return DevicePath.empty() ? BusDeviceOfPort(Source + 1) : DevicePath;
}

}  // namespace zyn
