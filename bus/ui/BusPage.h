#pragma once
// What the bus pages and dialogs share: the side-bar check box, the link's events, the tabs of
// the control modules, the serial settings of the options and the lock of the main window.

#include "bus/BusSerialSettings.h"

#include <QLabel>
#include <QString>

#include <exception>
#include <functional>
#include <string>

class QCheckBox;
class QTabBar;
class QWidget;

namespace zyn {

class TZYNComm;

// A German UTF-8 literal, translated.
QString BusText(const char* germanUtf8);
// The same as model text (Windows-1252).
std::string BusAnsi(const char* germanUtf8);

// "Outlookbar automatisch ausblenden": a click stores it under the page's name and collapses or
// expands the side bar.
QCheckBox* MakeSideBarCheck(QWidget* page, const std::string& frameName);
// On activation: the stored state.
void ShowSideBarCheck(QCheckBox* box, const std::string& frameName);

// The link's open and close set and clear the port-open flag; its texts are translated. The bus
// waits keep the window alive.
void WireLink(TZYNComm& comm, bool portFlag = true);

// One tab per control module of the open project, captioned with its name, its address as data.
void FillModuleTabs(QTabBar* tabs);
// The address of the tab's control module, or -1.
int TabModule(const QTabBar* tabs, int index);

// The serial settings of the options (device path included).
TBusSerialSettings PageSerialSettings();
// "COM2" or the device path.
QString PortText(const TBusSerialSettings& settings);

// The device the page's link opens ("Schnittstelle: /dev/ttyUSB0"), after the one device rule
// (ZYN_BUS_DEVICE, the options' device path, the port). It reads the rule again while it is shown
// (a change on the options page or in the set-up wizard shows at once) and calls OnChange then.
class TBusDeviceLabel : public QLabel {
  Q_OBJECT
 public:
  // withCaption: "Schnittstelle: " before the device.
  explicit TBusDeviceLabel(QWidget* parent = nullptr, bool withCaption = true);
  // Reads the rule; true when the device changed.
  bool Refresh();
  const std::string& Device() const { return fDevice; }
  std::function<void(const std::string& device)> OnChange;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool fCaption;
  std::string fDevice;
};

// The main window's menu follows the port-open flag (the bus dialogs are offered only while no
// page holds the port).
void RefreshMainMenu();

// The link's German messages (a lost port, "Überlauf!", a refused address) as a warning box.
void ShowLinkMessages(TZYNComm& comm);

// Runs f; an exception is shown as an error box (the German message of the failure).
void ShowingErrors(const std::function<void()>& f);

// Runs its function when the scope ends, also by an exception.
class TAtEnd {
 public:
  explicit TAtEnd(std::function<void()> f) : fEnd(std::move(f)) {}
  ~TAtEnd() {
    if (fEnd) fEnd();
  }
  TAtEnd(const TAtEnd&) = delete;
  TAtEnd& operator=(const TAtEnd&) = delete;

 private:
  std::function<void()> fEnd;
};

// LockUserInterface for a scope, also when it ends by an exception.
class TInterfaceLock {
 public:
  TInterfaceLock();
  ~TInterfaceLock();
  TInterfaceLock(const TInterfaceLock&) = delete;
  TInterfaceLock& operator=(const TInterfaceLock&) = delete;
};

}  // namespace zyn
