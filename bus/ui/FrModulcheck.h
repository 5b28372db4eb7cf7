#pragma once
// "Module scannen": whether the modules planned for a control module are present on the bus,
// probed one after the other; present modules blue, missing ones red.

#include "bus/ui/ServicePage.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace zyn {

class TFourthHintPanel;

class TFrModulcheck : public TServicePage {
  Q_OBJECT
 public:
  explicit TFrModulcheck(QWidget* parent = nullptr);

  QListWidget* MB = nullptr;
  QLabel* LA = nullptr;
  QProgressBar* PB = nullptr;
  QPushButton* BS = nullptr;
  QPushButton* BA = nullptr;
  TFourthHintPanel* FourthHintPanel1 = nullptr;

  void ShowModules(TSteuermodul* stm);
  void BSClick();
  void BAClick();
  bool Running() const { return fRunning; }
  // Pause after each probe (ms).
  int PauseMs = 200;

 protected:
  void StmChanged(TSteuermodul* stm) override { ShowModules(stm); }

 private:
  void Repaint();
  bool fRunning = false;  // also the abort flag
  bool fBusy = false;
};

}  // namespace zyn
