#pragma once
// The display designer page "Displayprogrammierung": the screen tree and the channel trees, the
// tool bar, the screen view in its scroll box, the emulator's keys and the status bar.

#include "display/DispVerbindungen.h"
#include "display/ProjektVerwaltung.h"
#include "shell/FrameManager.h"

#include <QPoint>
#include <QWidget>

#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

namespace zyn {

class TBildschirm;
class TDisplayObjekt;
class TKanal;
class TGraphicEditor;
class TText;
class TView;

// What a node of the designer's trees stands for.
enum TNodeKind { nkDisplay = 0, nkScreen = 1, nkText = 2, nkStm = 3, nkModul = 4, nkKanal = 5, nkGroup = 6 };

class TDisplay : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TDisplay(QWidget* parent = nullptr);
  ~TDisplay() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override;

  TView* View = nullptr;
  TVerwaltung Verwaltung;
  std::string EAText;
  TKanalTyp EADragItemType = TKanalTyp::otNone;

  QTabWidget* Fold = nullptr;
  QTreeWidget* TVScreens = nullptr;
  QTreeWidget* TVInputs = nullptr;
  QTreeWidget* TVOutputs = nullptr;
  QPushButton* BAddScreen = nullptr;
  QPushButton* BAddScreenOptions = nullptr;
  QPushButton* BDeleteScreen = nullptr;
  QToolButton* BTextsWithoutScreens = nullptr;
  QToolButton* BNavigation = nullptr;
  QLabel* LTitle = nullptr;
  QToolButton* BText = nullptr;
  QToolButton* BVariable = nullptr;
  QToolButton* BLine = nullptr;
  QToolButton* BGrafik = nullptr;
  QToolButton* BButtons = nullptr;
  QToolButton* BDelete = nullptr;
  QToolButton* BCursor = nullptr;
  QToolButton* BEditor = nullptr;
  QComboBox* CBZoom = nullptr;
  QScrollArea* ScrollBox = nullptr;
  QWidget* EmuSide = nullptr;
  QWidget* EmuBottom = nullptr;
  QPushButton* BUp = nullptr;
  QPushButton* BDown = nullptr;
  QPushButton* BF[4] = {};
  QLabel* Status[3] = {};

  bool DesignerActive() const { return fActive; }
  bool EmulatorShown() const { return fEmulatorShown; }

  // --- operations the tools, trees and dialogs use ---
  void AddScreenToSelected();
  void AddScreenWithOptions();
  void DeleteSelectedScreen();
  void RenameSelectedScreen();
  void EditFunctionKeys();
  void OpenDeleteDialog();
  void OpenZustandDialog();
  void OpenNewLineDialog();
  // Loads a BMP file as the pending graphic (with the size question and the colour note).
  bool PrepareGraphic(const std::string& fileName);
  void InsertGraphic();
  void ToggleEmulator();
  // The graphic editor, a window of its own beside the designer.
  void OpenGraphicEditor();
  void SetZoomIndex(int index);
  // Selects the channel node as the one being dragged (what pressing on it does).
  void SelectDragChannel(QTreeWidgetItem* item);
  // The channel's binding copied into a link.
  bool CopyChannelBinding(TVarVerbindung& link) const;
  void InsertSpecialChar();
  // Screen tree.
  void RebuildScreenTree();
  void RefreshStateImages();
  QTreeWidgetItem* FindScreenNode(const TBildschirm* screen) const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CurrentScreenChanged();
  void EmulatorJump(const std::string& target);
  void SetToolsEnabled(bool on);
  void ScreenSelectionChanged();
  void AddScreenNodes(QTreeWidgetItem* parent, const TBildschirm& screen);
  void RebuildChannelTrees();
  void ShowCoordinates(int x, int y);
  void StartToolDrag(int kind);
  void LayoutEmulatorKeys();
  QTreeWidgetItem* SelectedScreenNode() const;

  bool fActive = false;
  bool fEmulatorShown = false;
  TKanal* fDragChannel = nullptr;
  TGraphicEditor* fEditor = nullptr;
  QPoint fPressPoint;
};

// The one designer of the programme, while it exists.
extern TDisplay* GDisplayDesigner;

}  // namespace zyn
