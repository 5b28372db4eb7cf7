#pragma once
// The dimmer-curve page "FrEditKennlinie": the curves of the program in a tree, the selected one
// in the chart, adding, renaming and deleting curves, and writing "Kennlinien.xml". The curves
// are edited in place in the program's curve list; the modified flag lasts until they are saved.

#include "frames/ProjectPage.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TKennlinienEditor;
class TZYNKennlinie;

class TFrEditKennlinie : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrEditKennlinie(QWidget* parent = nullptr);
  void FrameActivate() override;
  void FrameDeactivate() override;

  QToolButton* BtnAdd = nullptr;
  QToolButton* BtnDelete = nullptr;
  QToolButton* BtnOK = nullptr;
  QToolButton* BtnCancel = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QTreeWidget* KTV = nullptr;
  QLabel* PP = nullptr;
  TKennlinienEditor* KE = nullptr;
  QPushButton* BtnDel2 = nullptr;
  QPushButton* BtnCalc = nullptr;

  bool Modified() const { return fModified; }
  void AddCurve();
  // Deletes the selected curve; refused with a message while a dimmer of the project uses it.
  bool DeleteCurve();
  // Writes the curve file; false (the message shown, still modified) when that fails.
  bool SaveCurves();
  TZYNKennlinie* CurveOf(QTreeWidgetItem* node) const;
  void UpdateButtons();

 private:
  void SelectionChanged();
  void NodeRenamed(QTreeWidgetItem* node);
  QTreeWidgetItem* AddNode(TZYNKennlinie* curve);

  bool fModified = false;
  bool fFilling = false;
};

}  // namespace zyn
