#pragma once
// The page designer "Visualisierung bearbeiten": the pages of the project's visualisation in a
// list, the project's inputs, outputs, flags and clocks in trees to bind controls by dragging,
// the palette of controls, the page in its scroll box, the control menu with the property
// dialogs, and undo of the changes made on a page.

#include "model/base/ComponentRecord.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TEABaseFunction;
class TKanal;
class TVisuComponent;
class TVisuDesignFrame;
class TZYNBaseObject;

class TFrVisuEntwurf : public QWidget, public IFrameMessage {
 public:
  explicit TFrVisuEntwurf(QWidget* parent = nullptr);
  ~TFrVisuEntwurf() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QLabel* LeftHeader;
  QTabWidget* LeftTabs;
  QListWidget* PageList;
  QTreeWidget* TVInputs;
  QTreeWidget* TVOutputs;
  QTreeWidget* TVFlags;
  QTreeWidget* TVClocks;
  QListWidget* NavList;
  QTabWidget* Palette;
  QToolButton* BtnNewPage;
  QToolButton* BtnPicture;
  QToolButton* BtnUndo;
  QLabel* PageHeader;
  QScrollArea* ScrollBox;
  QMenu* PageMenu;
  QMenu* ControlMenu;

  // The page shown (nullptr when none).
  TVisuDesignFrame* CurrentPage() const { return fCurrent; }
  void SelectPage(int row);

  // Page commands.
  TVisuDesignFrame* NewPage();
  void DeletePage();
  void SetAsStartPage();
  bool ExportPage(const std::string& fileName);
  TVisuDesignFrame* ImportPage(const std::string& fileName);
  bool InsertPicture(const std::string& fileName);
  void RenamePage(int row, const std::string& name);

  // A palette button: the insertion kind for the current page (-1: the arrow).
  void PaletteClick(int value);
  int PaletteValue() const;

  // Dragging from a list of the left side over and onto a control of the page.
  bool AcceptsDrag(QWidget* control, QWidget* source) const;
  void DropOn(QWidget* control, QWidget* source);

  // The control menu's commands.
  void ShowProperties(TVisuComponent* control);
  void CenterControl(TVisuComponent* control);
  void DeleteControl(TVisuComponent* control);

  // Undo of the last change on the current page (placing, moving, deleting, properties).
  bool CanUndo() const;
  void Undo();

  // The command choice of a telegram drop (the command dialog unless replaced); nullptr when
  // no command was chosen.
  std::function<TEABaseFunction*(const TKanal& channel, std::string& suffix)> ChooseCommand;
  // The parameter of a command; false for a command without one.
  std::function<bool(const TEABaseFunction& command, uint8_t bytes[2])> EditParameter;
  // Where the function-assignment dialog is shown for an index control (replaceable in tests).
  std::function<void(TVisuComponent* control, const TZYNBaseObject* object)> ShowIndexFunction;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillTrees();
  void FillPageList();
  void RefreshCaptions();
  void ShowPage(TVisuDesignFrame* page);
  void AttachPage(TVisuDesignFrame* page);
  void AddNewPage(TVisuDesignFrame* page);
  void NewControl(TVisuComponent* control);
  void Modified();
  void NoteChange(bool gesture);
  void RestoreTools();
  const TZYNBaseObject* DraggedObject(QWidget* source) const;
  TVisuDesignFrame* PageOfRow(int row) const;

  TVisuDesignFrame* fCurrent = nullptr;
  std::vector<std::pair<TVisuDesignFrame*, TComponentRecord>> fUndo;
  TComponentRecord fBase;
  bool fGesture = false;
  std::vector<QButtonGroup*> fPaletteGroups;
  bool fFilling = false;
};

}  // namespace zyn
