#pragma once
// "Verknüpfung erstellen": the conditions (UND / ODER), and the ELSE target of one link, built by
// dragging objects of a control module from the tree onto the condition list or the SONST field.
// The dialog works on a copy of the link; only OK (or "Zur Verbindung konvertieren") writes the
// copy back, so "Abbrechen" leaves the link exactly as it was. "Zustand abfragen" asks for the
// state of a new condition.

#include "logic/CenteredDialog.h"
#include "logic/core/LinkBuilder.h"
#include "widgets/common/ExtListView.h"

#include <QLineEdit>
#include <QTreeWidget>

#include <memory>

class QButtonGroup;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zyn {

class TSteuermodul;
class TVerbindung;
class TZYNBaseObject;

// "Zustand abfragen": "Ein" (preselected) or "Aus".
class TFrmGetLogic : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmGetLogic(QWidget* parent = nullptr);
  QListWidget* List = nullptr;
  QPushButton* BtnOK = nullptr;
};

// The condition list: takes objects dragged from the tree.
class TConditionList : public TzsExtListView {
  Q_OBJECT
 public:
  explicit TConditionList(QWidget* parent = nullptr) : TzsExtListView(parent) {}
  std::function<bool(TZYNBaseObject*)> Accepts;
  std::function<void(TZYNBaseObject*)> Dropped;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

// The SONST field: takes dragged output channels, flags and display texts.
class TElseEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TElseEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
  std::function<bool(QTreeWidgetItem*)> Accepts;
  std::function<void(QTreeWidgetItem*)> Dropped;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

class TFrmVerknwahl : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmVerknwahl(QWidget* parent = nullptr);
  ~TFrmVerknwahl() override;

  // Set by the caller before each Execute.
  TSteuermodul* Stm = nullptr;  // the control module whose objects are offered
  TVerbindung* Link = nullptr;  // edited on a copy, written back on OK or conversion
  bool ConvertAllowed = false;

  // Shows the dialog: 1 OK, 2 Abbrechen, 3 Zur Verbindung konvertieren.
  int Execute();

  QTreeWidget* OTV = nullptr;
  TConditionList* LVBedingungen = nullptr;
  QLineEdit* WennEdit = nullptr;
  QLineEdit* DannEdit = nullptr;
  TElseEdit* SonstEdit = nullptr;
  QGroupBox* RGType = nullptr;
  QRadioButton* RbUnd = nullptr;
  QRadioButton* RbOder = nullptr;
  QPushButton* ElseDelete = nullptr;
  QPushButton* BtnCancel = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnConvert = nullptr;

  // The working copy shown.
  TVerbindung& Work() { return *fWork; }
  // The tree node of the object; nullptr when it is not offered.
  QTreeWidgetItem* NodeOf(const TZYNBaseObject* object) const;

  // What a drop does: true when the object was taken as a new condition (the state is asked).
  bool DropCondition(TZYNBaseObject* object);
  // True when the object may be dropped as a condition now (not listed yet, room left).
  bool AcceptsCondition(const TZYNBaseObject* object) const;
  // A drop onto SONST; the node's object (nullptr for a node without one).
  void DropElse(TZYNBaseObject* object);
  void SetConditionState(int row, bool on);
  void DeleteCondition(int row);
  void ToggleCondition(int row);
  // The "Löschen" of the SONST field's menu.
  void ClearElse();

 protected:
  void done(int result) override;

 private:
  bool Listed(const TZYNBaseObject* object) const;
  void Rebuild();
  void AddConditionItem(TZYNBaseObject* object, bool on);
  void UpdateControls();
  void ShowConditionMenu(const QPoint& at);
  void ShowElseMenu(const QPoint& at);
  std::vector<TLinkCondition> Conditions() const;

  std::unique_ptr<TVerbindung> fWork;
  int fClosedWith = 0;
};

}  // namespace zyn
