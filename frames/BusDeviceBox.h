#pragma once
// The "Schnittstelle" box of the options page: the serial device of the bus link as a list of
// the devices present (/dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*) with free text. Empty: the
// device of the port chosen under "PC - Schnittstelle". When ZYN_BUS_DEVICE is set, the box says
// that this device is used instead.

#include <QGroupBox>

#include <functional>
#include <string>

class QComboBox;
class QLabel;

namespace zyn {

class TBusDeviceBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit TBusDeviceBox(QWidget* parent = nullptr);

  // The device path (UTF-8) into the box; the list of present devices is read again.
  void SetDevice(const std::string& path);
  // The device path typed or chosen, trimmed; empty for the port's device.
  std::string Device() const;

  QComboBox* CBDevice = nullptr;
  QLabel* LOverride = nullptr;
  // Called when the user changes the text.
  std::function<void()> OnChange;
};

}  // namespace zyn
