#pragma once
// The tree-view combo of the bar library: a combo whose value is a node of a tree. The tree drops
// down in a resizable window with a size grip and a close button; a click on the item without an
// OnClick handler opens the tree in a dialog instead. The text of the combo is the chosen node's
// text; a text set by code chooses the first node of that text (depth first, case ignored). The
// pop-up tree asks before a node opens or closes and before the selection moves, sorts its nodes
// by text or by data (through OnCompare) as the sort type says, and asks for the image indexes of
// the nodes it draws.

#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/SideBarImageList.h"

#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>

class QDialog;

namespace zyn {

using TTreeNode = QTreeWidgetItem;
enum TSortType { stNone, stData, stText, stBoth };

class TzbBarTreeViewCombo;
class TzbBarTreeViewPopup;

// The tree of the combo: in the drop-down (pop-up) or in the selection dialog.
class TzbBarTreeView : public QTreeWidget {
 public:
  TzbBarTreeView(TzbBarTreeViewCombo* combo, bool popup, QWidget* parent = nullptr);
  ~TzbBarTreeView() override;
  bool IsPopup() const { return fPopup; }
  // Chooses the selected node (when there is one and the combo allows it).
  void ChooseSelected();
  // The classic look: dotted lines between the nodes and +/- buttons on the nodes with children.
  bool ShowButtons = true;
  bool ShowLines = true;
  // Whether a point of the viewport lies on a node (its label, icon or item area), not on the
  // expand button or the indent.
  TTreeNode* NodeOnItemArea(const QPoint& viewportPoint) const;
  // The picture of a node: its selected image while it is selected (when valid), else its image;
  // the pop-up tree asks the combo's image index events first.
  QIcon NodeIcon(const TTreeNode* node) const;
  // The order of two nodes while sorting (below 0: a before b).
  int CompareNodes(const TTreeNode* a, const TTreeNode* b) const;
  // Expands every node with children, each through the expanding question.
  void ExpandFully();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  void NodeExpandedOrCollapsed(TTreeNode* node, bool expanded);
  TzbBarTreeViewCombo* fCombo;
  bool fPopup;
};

// The drop-down window: the frame with the size grip and the close button around the tree.
class TzbBarTreeViewPopup : public QWidget {
 public:
  explicit TzbBarTreeViewPopup(TzbBarTreeViewCombo& combo);
  TzbBarTreeView& Tree() const { return *fTree; }
  // Resizes the frame and lays the tree out in it at once (also while hidden).
  void Resize(int width, int height);
  // Lays the frame out for the screen rectangle of the item it drops from.
  void LayOut(const TRect& itemOnScreen);
  int GripCorner() const { return fCorner; }
  // In screen coordinates, as the painter handed them back (empty without a strip).
  TRect GripRect() const { return fGripRect; }
  TRect CloseRect() const { return fCloseRect; }
  bool CloseHot() const { return fCloseHot; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;
  void keyPressEvent(QKeyEvent* e) override;
  // A changed system palette builds the frame anew.
  void changeEvent(QEvent* e) override;
  // Hidden, the drop-down loses the mouse: no hot or tracked close button, no sizing.
  void hideEvent(QHideEvent* e) override;

 private:
  void PlaceTree();
  TzbBarTreeViewCombo& fCombo;
  TzbBarTreeView* fTree;  // child
  TRect fItemOnScreen;
  TRect fGripRect, fCloseRect;
  int fCorner = 3;
  bool fCloseHot = false, fCloseTracking = false, fSizing = false;
  QPoint fSizingStart;
  QRect fSizingGeometry;
};

class TzbBarTreeViewCombo : public TzbBarCustomCombo {
  friend class TzbBarTreeView;

 public:
  static constexpr const char* kClassName = "TzbBarTreeViewCombo";
  explicit TzbBarTreeViewCombo(TzbBarManager& manager);
  ~TzbBarTreeViewCombo() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  bool AllowResizing = true;
  bool ChooseByDblClick = true;
  bool FullExpand = false;
  int DropDownHeight() const { return fDropDownHeight; }
  void SetDropDownHeight(int value);  // at least 100
  int DropDownWidth() const { return fDropDownWidth; }
  void SetDropDownWidth(int value);  // at least 100
  void SetDropDownSize(int width, int height);
  TzbSideBarImageList* Images() const { return fImages; }
  void SetImages(TzbSideBarImageList* value);
  TzbSideBarImageList* StateImages() const { return fStateImages; }
  void SetStateImages(TzbSideBarImageList* value);
  int Indent() const;
  void SetIndent(int value);
  bool ShowButtons() const;
  void SetShowButtons(bool value);
  bool ShowImageInEdit() const { return fShowImageInEdit; }
  void SetShowImageInEdit(bool value);
  bool ShowLines() const;
  void SetShowLines(bool value);
  bool ShowRoot() const;
  void SetShowRoot(bool value);
  TSortType SortType() const { return fSortType; }
  void SetSortType(TSortType value);

  // The nodes live in the pop-up tree.
  TzbBarTreeView& Tree() const { return fPopup->Tree(); }
  TzbBarTreeViewPopup& Popup() const { return *fPopup; }
  TTreeNode* AddNode(TTreeNode* parent, const std::string& text, int imageIndex = -1, int selectedIndex = -1,
                     int stateIndex = -1);
  // A node that carries data from the start (sorted in at once by data as well as by text).
  TTreeNode* AddNodeObject(TTreeNode* parent, const std::string& text, void* data);
  static int NodeImageIndex(const TTreeNode* node);
  static int NodeSelectedIndex(const TTreeNode* node);
  static int NodeStateIndex(const TTreeNode* node);
  void ClearNodes();
  // Depth first over the nodes; the first whose text equals the text without regard to case.
  TTreeNode* FindNode(const std::string& text) const;
  TTreeNode* CurrentNode() const { return fCurrentNode; }
  void SetCurrentNode(TTreeNode* node);
  // While loading a text is only kept; Loaded ends loading and sets it.
  void SetText(const std::string& value) override;
  void Loaded();
  // Deletes a node with its children; the current node, when among them, is forgotten.
  void DeleteNode(TTreeNode* node);

  std::function<void(TzbBarTreeViewCombo&, TTreeNode* node, bool& canSelect)> OnCanSelectNode;
  std::function<void(TzbBarTreeViewCombo&, TTreeNode*node)> OnTreeViewChange, OnExpanded, OnCollapsed;
  // Asked before a node opens or closes and before another node becomes the selected one; a
  // handler that clears the flag keeps the tree as it is.
  std::function<void(TzbBarTreeViewCombo&, TTreeNode* node, bool& allowExpansion)> OnExpanding;
  std::function<void(TzbBarTreeViewCombo&, TTreeNode* node, bool& allowCollapse)> OnCollapsing;
  std::function<void(TzbBarTreeViewCombo&, TTreeNode* node, bool& allowChange)> OnChanging;
  // Orders two nodes while sorting: compare below 0 puts node1 first (data is the sort call's
  // value, 0 for the sorting the sort type does).
  std::function<void(TzbBarTreeViewCombo&, TTreeNode* node1, TTreeNode* node2, int data, int& compare)> OnCompare;
  // Asked each time the pop-up tree draws a node (the selected index only for the selected
  // node); a handler may set the node's indexes.
  std::function<void(TzbBarTreeViewCombo&, TTreeNode*node)> OnGetImageIndex, OnGetSelectedIndex;
  bool AllowNodeChange(TTreeNode* node);
  bool AllowExpansion(TTreeNode* node, bool expand);
  // The node indexes; a changed index redraws the trees and the edit part.
  void SetNodeImageIndex(TTreeNode* node, int index);
  void SetNodeSelectedIndex(TTreeNode* node, int index);
  void SetNodeStateIndex(TTreeNode* node, int index);
  // The value a node carries for sorting by data (and for the program's own use).
  static void* NodeData(const TTreeNode* node);
  void SetNodeData(TTreeNode* node, void* data);
  // Sorts all nodes now: through OnCompare when assigned (data is handed to it), else by text.
  void AlphaSort(int data = 0);
  // The order of two nodes: OnCompare when assigned, else by text (case ignored first).
  int CompareNodes(TTreeNode* node1, TTreeNode* node2, int data = 0);
  bool CanSelectNode(TTreeNode* node);
  // A node was chosen in the pop-up: the drop-down closes, the node becomes the current one.
  void NodeChosen(TTreeNode* node);

  bool CheckKeyForDropDownWindow(int key, unsigned shift) override;
  QWidget* GetDropDownWindow() override;
  void PrepareDropDown() override;
  void DropDown(int x, int y, const TRect& itemRect, bool toRight) override;
  void CloseUp() override;
  // Closes the open drop-down of every link.
  void CloseDropDowns();
  void DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) override;
  bool DrawsEntries() const override { return fShowImageInEdit && (fImages || fStateImages); }
  // Runs the selection dialog; tests may replace how it runs (the dialog in; accepted out).
  static std::function<bool(QDialog&)> RunDialog;

 protected:
  void DoClick() override;

 private:
  void UpdateTextFromNode();
  void ShowSelectionDialog();
  void AttachImages(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value);
  void RefreshIcons();
  void SortIf(bool textChanged, bool dataChanged);
  TTreeNode* InsertNode(TTreeNode* parent, const std::string& text, void* data, int imageIndex, int selectedIndex,
                        int stateIndex);
  std::unique_ptr<TzbBarTreeViewPopup> fPopup;
  TTreeNode* fCurrentNode = nullptr;
  int fDropDownHeight = 200, fDropDownWidth = 150;
  TzbSideBarImageList* fImages = nullptr;
  TzbSideBarImageList* fStateImages = nullptr;
  int fImagesLink = 0, fStateImagesLink = 0;
  bool fShowImageInEdit = true;
  TSortType fSortType = stNone;
  bool fSettingText = false;
  int fSortData = 0;
  std::string fLoadedText;
  bool fHasLoadedText = false;
  // The context of the combo's connections to its tree: gone before the tree is.
  std::unique_ptr<QObject> fSignals;
};

class TzbBarTreeViewComboControl : public TzbBarComboControl {
 public:
  using TzbBarComboControl::TzbBarComboControl;
  int GetHeight() const override;
};

}  // namespace zyn
