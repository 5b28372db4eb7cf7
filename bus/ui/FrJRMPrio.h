#pragma once
// "Prioritätsebenen JRM freigeben": resets the priorities of every blind and shutter output of
// the blind-motor modules of a control module, which lifts every interlock.

#include "bus/ui/ServicePage.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace zyn {

class TFourthHintPanel;

class TFrJRMPrio : public TServicePage {
  Q_OBJECT
 public:
  explicit TFrJRMPrio(QWidget* parent = nullptr);

  void FrameDeactivate() override;

  QListWidget* MB = nullptr;
  QLabel* ML = nullptr;
  QLabel* KL = nullptr;
  QLabel* Result = nullptr;  // the result of the last release
  QProgressBar* PB = nullptr;
  QPushButton* TB = nullptr;
  TFourthHintPanel* FourthHintPanel1 = nullptr;

  void ShowBlindModules(TSteuermodul* stm);
  void TBClick();
  int PauseMs = 50;

 protected:
  void StmChanged(TSteuermodul* stm) override { ShowBlindModules(stm); }
};

}  // namespace zyn
