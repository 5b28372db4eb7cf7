#pragma once
// The power-on state page "Einschaltbedingungen": the state every output takes when its control
// module starts ("Aus", "Memory", "Ein"). The choices go straight into the project's outputs;
// there is nothing to apply. Outputs reserved by a tool keep their reservation and are shown
// as such.

#include "shell/FrameManager.h"

#include <QWidget>

class QCheckBox;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TPageTabBar;
class TSteuermodul;
class TAusgang;

class TFrPOR : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrPOR(QWidget* parent = nullptr);

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  TPageTabBar* TC = nullptr;
  QTreeWidget* MTV = nullptr;
  QTreeWidget* PAView = nullptr;
  QMenu* Popup = nullptr;
  QCheckBox* FStyle = nullptr;

  TSteuermodul* CurrentStm() const;
  void LoadControlModule(TSteuermodul* stm);
  void ShowModule();
  // Sets the state of every selected output (0 Aus, 1 Memory, 2 Ein).
  void SetState(int state);
  // Advances every selected output: Aus, Memory, Ein, Aus.
  void AdvanceState();

 private:
  void ShowRow(QTreeWidgetItem* row);
  bool fUpdating = false;
};

}  // namespace zyn
