#pragma once
// "Variableneigenschaften": the channel link of a state variable, its state-text pair and the
// keys that send an output command to the linked output.

#include "display/ui/ObjectDialog.h"

class QComboBox;

namespace zyn {

class TZustandVar;

class TVarOptionen : public TObjectDialog {
  Q_OBJECT
 public:
  TVarOptionen(TDisplayObjekt& display, TBildschirm& screen, TZustandVar& variable, QWidget* parent = nullptr);
  ~TVarOptionen() override;

  QComboBox* CBPairs = nullptr;

  void AssignCommand(int commandRow, int keyRow) override;
  void DeleteFunction();
  void accept() override;

 private:
  void FillKeys();
  TZustandVar& fVariable;
};

}  // namespace zyn
