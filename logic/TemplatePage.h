#pragma once
// "Basisprogrammierung": the template programming page. Templates of the tool libraries are
// dragged onto the program tree of a control module (or of the whole project), arranged in levels,
// filled with objects dragged from the object trees, given their parameters, previewed as links,
// checked for logic conflicts and deleted again. The rules are in logic/core/TemplateProgram.h.

#include "compiler/interpreter/ToolTree.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QTabBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TSteuermodul;
class TZYNFunktionsListe;
class TZYNSubFunction;
class TZYNProjekt;
class TTemplateTree;

class TFrBasis : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  // What a node stands for.
  using TNodeData =
      std::variant<std::monostate, TZYNEbene*, TZYNFunction*, TFuncNode*, TVariable*, TToolObject, TSteuermodul*>;

  explicit TFrBasis(QWidget* parent = nullptr);
  ~TFrBasis() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  // ---- the operations behind the mouse (public for the keyboard, the menus and the tests)
  // Shows the tab: its control module's objects and tools, or the project-wide view.
  void ShowTab(int index);
  // Whether the node of the source tree may be dropped on the target node of the program tree
  // (nullptr: empty space), and the drop itself.
  bool CanDrop(QTreeWidget* source, QTreeWidgetItem* item, QTreeWidgetItem* target) const;
  void Drop(QTreeWidget* source, QTreeWidgetItem* item, QTreeWidgetItem* target);
  // Deleting the node of the program tree (the trash and the Delete key).
  bool CanDelete(QTreeWidgetItem* item) const;
  void Delete(QTreeWidgetItem* item);
  // A double click: a bound object's command or state chosen again, or a parameter's dialog.
  void DoubleClick(QTreeWidgetItem* item);
  void NewLevel();                        // "Neue Root- Ebene"
  void Rename(QTreeWidgetItem* item);     // "Umbenennen"
  void ShowLinks(QTreeWidgetItem* item);  // "Verbindungen"
  void CheckLogic();                      // "Plausibilitätstest der Logiken"

  TNodeData Data(QTreeWidgetItem* item) const;
  // The tool list of the current tab (a control module's or the project-wide one).
  TZYNFunktionsListe* CurrentTools() const;

  // The questions (replaced by the tests): a level name, a new name for a tool or level, the
  // state "Ein" or "Aus" (empty when cancelled).
  std::function<bool(std::string& text)> OnAskLevelName;
  std::function<bool(const std::string& old, std::string& text)> OnAskRename;
  std::function<std::string()> OnAskState;

  QTabBar* TC = nullptr;
  QTabWidget* FPage = nullptr;
  QLabel* HPanel = nullptr;
  QLabel* HintPanel = nullptr;
  QTreeWidget *VTV = nullptr, *UVTV = nullptr, *ETV = nullptr, *ATV = nullptr, *RTV = nullptr, *UTV = nullptr,
              *MTV = nullptr, *GTV = nullptr, *FTV = nullptr, *PTV = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* BtnCheck = nullptr;
  QLabel* ImgTrash = nullptr;
  QCheckBox* FStyle = nullptr;
  QAction *Multiline1 = nullptr, *Buttons1 = nullptr;  // the sheets' menu

  // The picture of a program-tree node (0 level, 1 tool, 10 tool with a logic conflict, 2 to 7
  // and 9 slots by their kind, 8 parameter value, 7 other objects).
  static int PictureIndex(const TNodeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TTemplateTree;
  QTreeWidget* MakeTree(const char* name, const char* caption);
  QTreeWidgetItem* AddItem(QTreeWidget* tree, QTreeWidgetItem* parent, const std::string& ansiText,
                           const TNodeData& data);
  void ForgetItems(QTreeWidget* tree);
  void FillTemplates(QTreeWidget* tree, const TZYNFunktionsListe* library);
  void ClearTrees();
  void FillObjects(TSteuermodul& stm, bool withStmNode);
  void FillFunctionTree(const TZYNFunktionsListe& list, QTreeWidgetItem* under);
  void AddFunctionReference(TZYNFunction& tool, QTreeWidgetItem* under);
  void FillProgramTree(const TZYNFunktionsListe& list);
  QTreeWidgetItem* ToolItem(QTreeWidgetItem* item) const;
  QTreeWidgetItem* SlotItem(QTreeWidgetItem* item) const;
  // Rebuilds the slots and bound objects below the tool's node.
  void RefreshTool(QTreeWidgetItem* toolItem);
  void RefreshAllTools();
  void RefillObjectTrees();
  void UpdateSheets();
  void UpdatePictures();
  void SetSheetStyle(bool multiLine, bool buttons);
  void UpdateCheckButton();
  void ShowHint(QTreeWidgetItem* item);
  void TestTool(QTreeWidgetItem* item);
  std::string ChooseSuffix(TFuncNode& slot, const TToolObject& object, bool& bind);
  void Modified();
  TSteuermodul* CurrentStm() const;

  std::unordered_map<QTreeWidgetItem*, TNodeData> fData;
  std::vector<std::unique_ptr<TZYNEbene>> fLevels;
  std::vector<std::unique_ptr<TZYNSubFunction>> fReferences;  // the "Funktionen" tree's references
  bool fClearing = false;
  bool fCrossModule = false;
  QTreeWidget* fDragSource = nullptr;
  QTreeWidgetItem* fDragItem = nullptr;
};

}  // namespace zyn
