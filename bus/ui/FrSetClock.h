#pragma once
// "Uhrzeit setzen": finds the control modules 0 to 3 on the bus and sets the date and time of the
// chosen ones, from the PC's clock (optionally at the next full minute, because the modules keep
// no seconds) or from typed values. TFrmSearchSTM is the small window shown while the search
// runs.

#include "bus/ZYNCommandSet.h"
#include "shell/FrameManager.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <chrono>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTimer;
class QToolButton;
class QPushButton;

namespace zyn {

class TFourthHintPanel;
class TZYNComm;

class TFrmSearchSTM : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmSearchSTM(QWidget* parent = nullptr);
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
};

class TFrSetClock : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrSetClock(QWidget* parent = nullptr);
  ~TFrSetClock() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QToolButton* BtnRefresh = nullptr;
  QCheckBox* FStyle = nullptr;
  QLineEdit* EDate = nullptr;
  QLineEdit* ETime = nullptr;
  std::array<QCheckBox*, 4> ST{};
  QCheckBox* SZ = nullptr;
  QCheckBox* SCB = nullptr;
  QPushButton* BtnTrans = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Result = nullptr;  // what the last "Übertragen" did
  QProgressBar* PB = nullptr;
  TFourthHintPanel* FourthHintPanel1 = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;

  void SearchControlModules();
  void UpdateControls();
  void Transfer();
  // Sets the clocks of the checked modules to the date and time of the fields; an impossible
  // date or time is refused with a message. True when every checked module confirmed.
  bool SetClocks();
  TZYNComm& Link() { return *PC; }
  // The PC time the page works with: the system clock plus this offset (0 but in tests).
  std::chrono::milliseconds ClockOffset{0};
  TZYNDateTime Now() const;

 private:
  void Timer1Timer();
  void Timer2Timer();
  void CheckDate();
  void CheckTime();
  void ShowNow();

  std::unique_ptr<TZYNComm> PC;
  bool fDeactivated = true;
  bool fChecking = false;
};

}  // namespace zyn
