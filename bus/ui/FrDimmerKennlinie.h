#pragma once
// "Dimmerkennlinien übertragen": the dimmer curves of the system data into every output of the
// dimmer and analog modules of a control module, with a result line per output.

#include "bus/ui/ServicePage.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace zyn {

class TFrDimmerKennlinie : public TServicePage {
  Q_OBJECT
 public:
  explicit TFrDimmerKennlinie(QWidget* parent = nullptr);

  void FrameActivate() override;

  QLabel* Label4 = nullptr;
  QProgressBar* GPB = nullptr;
  QProgressBar* DPB = nullptr;
  QPushButton* BtnStart = nullptr;
  QListWidget* LB = nullptr;

  void BtnStartClick();
  bool Running() const { return fRunning; }

 protected:
  void StmChanged(TSteuermodul* stm) override;

 private:
  bool fRunning = false;
};

}  // namespace zyn
