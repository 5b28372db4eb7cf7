#pragma once
// "Uhrensimulation": tests the clocks of a control module on the real installation. For each
// edge the module's clock is set one minute before the switching time and a minute is waited,
// so that the module switches while the installer watches. While the page is shown its link
// stays open and listens for the state telegrams (command 0x20) of the modules, whose input and
// output states it writes into the model's channels.

#include "shell/FrameManager.h"

#include <QWidget>

#include <memory>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTimer;
class QTreeWidget;

namespace zyn {

class TFourthHintPanel;
class TSteuermodul;
class TUhr;
class TZYNComm;

class TFrNewService : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrNewService(QWidget* parent = nullptr);
  ~TFrNewService() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QCheckBox* FStyle = nullptr;
  QTabBar* TC = nullptr;
  QTreeWidget* ULV = nullptr;
  QGroupBox* RFlankeBox = nullptr;
  QButtonGroup* RFlanke = nullptr;  // 0 "Beide", 1 "Ein", 2 "Aus"
  QPushButton* Button3 = nullptr;   // "Uhr testen"
  QPushButton* Button2 = nullptr;   // "Alle testen"
  QPushButton* Button1 = nullptr;   // "Abbruch"
  QLabel* Label2 = nullptr;
  QProgressBar* PB = nullptr;
  QListWidget* USLB = nullptr;
  TFourthHintPanel* FourthHintPanel1 = nullptr;
  QTimer* Timer1 = nullptr;
  // Milliseconds per tick of the wait (100 ticks per edge).
  int TickMs = 620;

  TZYNComm& Link() { return *PC; }
  TSteuermodul* CurrentStm() const { return fStm; }
  bool Running() const { return fRunning; }

  void TestSelectedClock();
  void TestAllClocks();
  void RequestAbort() { fAbort = true; }
  void AddLogLine(const std::string& text);
  void FillClockList();
  // Applies a received telegram (called on the user-interface thread).
  void ApplyTelegram(const std::vector<uint8_t>& bytes);

 private:
  void TabChanged();
  bool WaitOneMinute();
  void BeginRun();
  void EndRun(bool showAbortBox, bool allClocks);
  bool TestClock(TUhr* clock);

  std::unique_ptr<TZYNComm> PC;
  TSteuermodul* fStm = nullptr;
  bool fRunning = false;
  bool fClockChanged = false;  // a switching time was sent in this run
  bool fAbort = false;
  int fRemaining = 0;
};

}  // namespace zyn
