#pragma once
// The display list page "Displays bearbeiten": the project's display panels with their name,
// address and notes, edited on a working copy that is merged back on confirmation.

#include "shell/FrameManager.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TDisplayObjekt;
class TDisplayProjekt;
class TZYNDipswitch;

class TFrDispBearb : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrDispBearb(QWidget* parent = nullptr);
  ~TFrDispBearb() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override;

  QToolButton* BAdd = nullptr;
  QToolButton* BDelete = nullptr;
  QToolButton* BOK = nullptr;
  QToolButton* BCancel = nullptr;
  QCheckBox* CBExpanded = nullptr;
  QSplitter* Splitter = nullptr;
  QGroupBox* GDisplays = nullptr;
  QTreeWidget* Tree = nullptr;
  QLineEdit* EName = nullptr;
  QComboBox* CBAddress = nullptr;
  TZYNDipswitch* Dip = nullptr;
  QPlainTextEdit* MNotes = nullptr;

  TDisplayProjekt* Copy() const { return fCopy.get(); }
  bool IsModified() const { return fModified; }

  void AddDisplay();
  void DeleteDisplay();
  void Apply();
  void CancelEdits();

 private:
  void Fill();
  void UpdateButtons();
  void ShowSelected();
  void ClearFields();
  void Changed();
  TDisplayObjekt* Selected() const;
  QString NodeCaption(const TDisplayObjekt& display, bool dotted) const;

  std::unique_ptr<TDisplayProjekt> fCopy;
  bool fGuard = false;
  bool fModified = false;
};

}  // namespace zyn
