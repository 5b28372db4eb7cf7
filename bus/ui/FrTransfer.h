#pragma once
// The page "FrTransfer": compiles the open project and sends it to the control modules and the
// display panels (one tab each, and "Alles übertragen" with more than one control module), with
// progress, cancel and the coloured log; a second button releases the power-on states. The run
// itself is TTransferRun (bus/TransferRun.h); the page holds the form and drives it.

#include "bus/TransferRun.h"
#include "bus/ZYNComm.h"
#include "shell/FormMain.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace zyn {

class TBusDeviceLabel;
class TPageTabBar;
class TProjectTransferSource;

class TFrTransfer : public QWidget, public IFrameMessage, public IFrameRefresh, private ITransferView {
  Q_OBJECT
 public:
  explicit TFrTransfer(QWidget* parent = nullptr);
  ~TFrTransfer() override;

  // --- IFrameMessage ---
  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override;
  // --- IFrameRefresh: the tabs of the open project and the first module's status ---
  void RefreshFrame() override { Refresh(); }

  void Refresh();
  // The status of the selected control module (probe, firmware version).
  void ShowModuleStatus();
  void GoClick();
  void StopClick();
  void PorClick();
  void RefreshClick();
  bool Running() const { return fRunning; }
  TTransferRun* Run() const { return fRun.get(); }
  TZYNComm& Link() { return PC; }
  // The transfer targets of the tabs (index of the tab -> target index, -1 "Alles übertragen").
  int SelectedTarget() const;

  // --- controls (named as on the form) ---
  TPageTabBar* TC = nullptr;
  QToolButton* BtnOK = nullptr;
  QToolButton* BtnRefresh = nullptr;
  QCheckBox* FStyle = nullptr;
  QLabel* Label1 = nullptr;
  TBusDeviceLabel* CPL = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* STMA = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* STMV = nullptr;
  QPushButton* BtnGo = nullptr;
  QPushButton* BtnStop = nullptr;
  QPushButton* BtnPOR = nullptr;
  QLabel* TERR = nullptr;
  QLabel* LERR = nullptr;
  QProgressBar* PROGR = nullptr;
  QLabel* PERC = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* PRGADR = nullptr;
  QTextEdit* Memo1 = nullptr;

 private:
  // ITransferView
  void AddLog(const std::string& text, int colour, bool bold) override;
  void ClearLog() override;
  void SetField(TTransferField field, const std::string& text) override;
  void SetProgress(int position, int maximum, const std::string& percent) override;
  int AskSave(const std::string& text) override;
  void Warn(const std::string& text) override;
  void LockUserInterface() override;
  void UnlockUserInterface() override;
  void ShowPage(const std::string& key) override;

  void BuildForm();
  void TabChanged(int index);
  void SetRunning(bool running);
  void EndRun();
  void PrepareRun();
  template <typename F>
  void Guarded(F&& f);

  TZYNComm PC;
  std::unique_ptr<TProjectTransferSource> fSource;
  std::unique_ptr<TTransferRun> fRun;
  std::vector<TTransferTarget> fTargets;
  bool fRunning = false;
  bool fLocked = false;
};

}  // namespace zyn
