#include "widgets/bars/BarTreeItems.h"

#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "platform/PopupWindows.h"
#include "platform/QtText.h"
#include "widgets/bars/BarColorItems.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/PaintUtils.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <cstring>

namespace zyn {

namespace {

constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedRole = Qt::UserRole + 2;
constexpr int kStateRole = Qt::UserRole + 3;
constexpr int kDataRole = Qt::UserRole + 4;

int RoleIndex(const TTreeNode* node, int role) { return node ? node->data(0, role).toInt() - 1 : -1; }

TTreeNode* FindIn(const TTreeNode* node, const std::string& text) {
  for (int i = 0; i < node->childCount(); ++i) {
    TTreeNode* child = node->child(i);
    if (SameText(FromQString(child->text(0)), text)) return child;
    if (TTreeNode* found = FindIn(child, text)) return found;
  }
  return nullptr;
}

TzbBarTreeView* TreeOf(const TTreeNode* node) {
  return node ? dynamic_cast<TzbBarTreeView*>(node->treeWidget()) : nullptr;
}

// A node of the combo's trees: shows the picture its tree chooses and sorts in its tree's order.
class TItemNode : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  QVariant data(int column, int role) const override {
    if (column == 0 && role == Qt::DecorationRole)
      if (const TzbBarTreeView* tree = TreeOf(this)) return tree->NodeIcon(this);
    return QTreeWidgetItem::data(column, role);
  }
  bool operator<(const QTreeWidgetItem& other) const override {
    if (const TzbBarTreeView* tree = TreeOf(this)) return tree->CompareNodes(this, &other) < 0;
    return QTreeWidgetItem::operator<(other);
  }
  QTreeWidgetItem* clone() const override {
    auto* copy = new TItemNode(*this);  // the values without the children
    for (int i = 0; i < childCount(); ++i) copy->addChild(child(i)->clone());
    return copy;
  }
};

// The selection of the pop-up tree: another node becomes the current (and selected) one only when
// the combo allows the change.
class TNodeSelection : public QItemSelectionModel {
 public:
  TNodeSelection(TzbBarTreeView& tree, TzbBarTreeViewCombo& combo)
      : QItemSelectionModel(tree.model(), &tree), fTree(tree), fCombo(combo) {}
  using QItemSelectionModel::select;
  // The tree goes: its nodes leave without questions.
  void Detach() { fDetached = true; }
  void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override {
    fRefused = QPersistentModelIndex();
    if (!fDetached && index.isValid() && index != currentIndex() &&
        !fCombo.AllowNodeChange(fTree.itemFromIndex(index))) {
      fRefused = index;
      return;
    }
    fChanging = true;
    QItemSelectionModel::setCurrentIndex(index, command);
    fChanging = false;
  }
  void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override {
    if (!fChanging && (command & QItemSelectionModel::Select) && !selection.isEmpty() &&
        !selection.contains(currentIndex())) {
      // After a refused change the selection stays where it is; a node selected directly (by
      // code) becomes the current one, when that is allowed.
      if (fRefused.isValid() && selection.contains(fRefused)) return;
      setCurrentIndex(selection.indexes().constFirst(),
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      return;
    }
    QItemSelectionModel::select(selection, command);
  }

 private:
  TzbBarTreeView& fTree;
  TzbBarTreeViewCombo& fCombo;
  bool fChanging = false, fDetached = false;
  QPersistentModelIndex fRefused;  // the node of the change refused last
};

// Depth first: each top-level node, then its children, before the next top-level node.
TTreeNode* FindNodeIn(const QTreeWidget& tree, const std::string& text) {
  return FindIn(tree.invisibleRootItem(), text);
}

void SelectForText(QTreeWidget& tree, const std::string& text) {
  if (TTreeNode* node = FindNodeIn(tree, text)) {
    tree.setCurrentItem(node);
  } else if (tree.topLevelItemCount() > 0) {
    tree.setCurrentItem(tree.topLevelItem(0));
    tree.scrollToItem(tree.topLevelItem(0));
  }
}

TzbBarComboControl* ControlOf(const TzbBarItem& item, bool dropped) {
  for (int i = 0; i < item.LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarComboControl*>(item.GetLink(i)->Control());
        c && (dropped ? c->DroppedDown() : c->Focused()))
      return c;
  return nullptr;
}

// The dialog keeps its tree and buttons laid out when it is resized.
class TTreeDialog : public QDialog {
 public:
  TzbBarTreeView* Tree = nullptr;
  QPushButton *Ok = nullptr, *Cancel = nullptr;
  int U = 0, H = 0, M = 0;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QDialog::resizeEvent(e);
    if (!Tree) return;
    const int w = width(), h = height();
    Tree->setGeometry(M, M, std::max(1, w - U - 3 * M), std::max(1, h - 2 * M));
    Ok->setGeometry(w - M - U, M, U, H);
    Cancel->setGeometry(w - M - U, M + H + M, U, H);
  }
};

}  // namespace

// ---------------------------------------------------------------- tree

TzbBarTreeView::TzbBarTreeView(TzbBarTreeViewCombo* combo, bool popup, QWidget* parent)
    : QTreeWidget(parent), fCombo(combo), fPopup(popup) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setExpandsOnDoubleClick(true);
  if (popup) {
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
  }
  resize(200, 150);
  if (!popup || !combo) return;
  // The events of the pop-up tree: the selection asks before it moves, opening and closing a node
  // ask before they happen.
  QItemSelectionModel* old = selectionModel();
  auto* selection = new TNodeSelection(*this, *combo);
  setSelectionModel(selection);
  delete old;
  // The tree widget follows only the selection it was built with: its item signals and the
  // nodes' selected flags are joined to the new one the same way.
  // Qt's own joining slots are used where this Qt version has them; otherwise the item signals are
  // given from here.
  if (!connect(selection, SIGNAL(currentChanged(QModelIndex, QModelIndex)), this,
               SLOT(_q_emitCurrentItemChanged(QModelIndex, QModelIndex))))
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
              emit currentItemChanged(itemFromIndex(current), itemFromIndex(previous));
            });
  if (!connect(selection, SIGNAL(selectionChanged(QItemSelection, QItemSelection)), this,
               SLOT(_q_selectionChanged(QItemSelection, QItemSelection))))
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this] { emit itemSelectionChanged(); });
  connect(this, &QTreeWidget::itemExpanded, this, [this](TTreeNode* node) { NodeExpandedOrCollapsed(node, true); });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](TTreeNode* node) { NodeExpandedOrCollapsed(node, false); });
}

void TzbBarTreeView::NodeExpandedOrCollapsed(TTreeNode* node, bool expanded) {
  {
    // The question is asked on the node as it was.
    const QSignalBlocker block(this);
    node->setExpanded(!expanded);
  }
  if (!fCombo->AllowExpansion(node, expanded)) return;
  {
    const QSignalBlocker block(this);
    node->setExpanded(expanded);
  }
  if (const auto& done = expanded ? fCombo->OnExpanded : fCombo->OnCollapsed) done(*fCombo, node);
}

void TzbBarTreeView::ExpandFully() {
  std::vector<TTreeNode*> parents;
  for (QTreeWidgetItemIterator it(this); *it; ++it)
    if ((*it)->childCount() > 0) parents.push_back(*it);
  for (TTreeNode* node : parents) node->setExpanded(true);
}

QIcon TzbBarTreeView::NodeIcon(const TTreeNode* node) const {
  const TzbSideBarImageList* images = fCombo ? fCombo->Images() : nullptr;
  const TzbSideBarImageList* states = fCombo ? fCombo->StateImages() : nullptr;
  if (!images && !states) return {};
  const bool selected = node->isSelected();
  if (fPopup && images) {
    auto* n = const_cast<TTreeNode*>(node);
    if (fCombo->OnGetImageIndex) fCombo->OnGetImageIndex(*fCombo, n);
    if (selected && fCombo->OnGetSelectedIndex) fCombo->OnGetSelectedIndex(*fCombo, n);
  }
  int index = -1;
  if (images) {
    index = selected ? TzbBarTreeViewCombo::NodeSelectedIndex(node) : -1;
    if (!images->IsValid(index)) index = TzbBarTreeViewCombo::NodeImageIndex(node);
    if (!images->IsValid(index)) index = -1;
  }
  if (!states) return index >= 0 ? QIcon(QPixmap::fromImage(images->Image(index))) : QIcon();
  // With state images each node's picture has the state image on the left, then the image.
  const int state = TzbBarTreeViewCombo::NodeStateIndex(node);
  const bool hasState = states->IsValid(state);
  if (!hasState && index < 0) return {};
  QImage picture(iconSize(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  if (hasState) painter.drawImage(0, (picture.height() - states->Height()) / 2, states->Image(state));
  if (index >= 0) painter.drawImage(states->Width(), (picture.height() - images->Height()) / 2, images->Image(index));
  painter.end();
  return QIcon(QPixmap::fromImage(picture));
}

int TzbBarTreeView::CompareNodes(const TTreeNode* a, const TTreeNode* b) const {
  auto* x = const_cast<TTreeNode*>(a);
  auto* y = const_cast<TTreeNode*>(b);
  return fCombo ? fCombo->CompareNodes(x, y, fCombo->fSortData) : QString::compare(a->text(0), b->text(0));
}

TzbBarTreeView::~TzbBarTreeView() {
  if (auto* selection = dynamic_cast<TNodeSelection*>(selectionModel())) selection->Detach();
  // The nodes go from the last to the first.
  for (int i = topLevelItemCount() - 1; i >= 0; --i) delete takeTopLevelItem(i);
}

TTreeNode* TzbBarTreeView::NodeOnItemArea(const QPoint& p) const {
  TTreeNode* node = itemAt(p);
  return node && visualItemRect(node).contains(p) ? node : nullptr;
}

void TzbBarTreeView::ChooseSelected() {
  TTreeNode* node = currentItem();
  if (!node || !fCombo || !fCombo->CanSelectNode(node)) return;
  if (fPopup) {
    fCombo->NodeChosen(node);
  } else if (auto* dialog = qobject_cast<QDialog*>(window())) {
    dialog->accept();
  }
}

void TzbBarTreeView::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  const TTreeNode* node = itemFromIndex(index);
  if (!node) return;
  const int indent = indentation();
  const int columns = indent > 0 ? rect.width() / indent : 0;
  const QColor lineColor = ToQColor(clBtnShadow);
  auto hasNextSibling = [this](const TTreeNode* n) {
    const TTreeNode* parent = n->parent();
    return parent ? parent->indexOfChild(const_cast<TTreeNode*>(n)) < parent->childCount() - 1
                  : indexOfTopLevelItem(const_cast<TTreeNode*>(n)) < topLevelItemCount() - 1;
  };
  auto dotted = [&](int x0, int y0, int x1, int y1) {
    for (int x = x0, y = y0; x <= x1 && y <= y1; x0 == x1 ? ++y : ++x)
      if (((x + y) & 1) == 0) painter->fillRect(x, y, 1, 1, lineColor);
  };
  const int top = rect.top(), bottom = rect.bottom(), cy = rect.top() + rect.height() / 2;
  // The node's own column is the last; the columns before it belong to its ancestors.
  const TTreeNode* n = node;
  for (int column = columns - 1; column >= 0 && n; --column, n = n->parent()) {
    const int left = rect.left() + column * indent, cx = left + indent / 2;
    if (!ShowLines) continue;
    if (n == node) {
      const bool first = !n->parent() && indexOfTopLevelItem(const_cast<TTreeNode*>(n)) == 0;
      dotted(cx, first ? cy : top, cx, hasNextSibling(n) ? bottom : cy);
      dotted(cx, cy, left + indent - 1, cy);
    } else if (hasNextSibling(n)) {
      dotted(cx, top, cx, bottom);
    }
  }
  if (!ShowButtons || node->childCount() == 0 || columns == 0) return;
  const int cx = rect.left() + (columns - 1) * indent + indent / 2;
  const QRect box(cx - 4, cy - 4, 9, 9);
  painter->fillRect(box, ToQColor(clWindow));
  painter->setPen(lineColor);
  painter->drawRect(box.adjusted(0, 0, -1, -1));
  painter->fillRect(cx - 2, cy, 5, 1, ToQColor(clWindowText));
  if (!node->isExpanded()) painter->fillRect(cx, cy - 2, 1, 5, ToQColor(clWindowText));
}

void TzbBarTreeView::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    ChooseSelected();
    return;
  }
  if (fPopup && fCombo && e->key() == Qt::Key_Escape) {
    fCombo->CloseDropDowns();
    return;
  }
  QTreeWidget::keyPressEvent(e);
}

void TzbBarTreeView::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  TTreeNode* node = NodeOnItemArea(p);
  QTreeWidget::mouseDoubleClickEvent(e);
  if (node && fCombo && fCombo->ChooseByDblClick && e->button() == Qt::LeftButton) {
    setCurrentItem(node);
    ChooseSelected();
  }
}

void TzbBarTreeView::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  QTreeWidget::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton || !fCombo || fCombo->ChooseByDblClick) return;
  if (TTreeNode* node = NodeOnItemArea(p)) {
    setCurrentItem(node);
    ChooseSelected();
  }
}

// ---------------------------------------------------------------- pop-up frame

TzbBarTreeViewPopup::TzbBarTreeViewPopup(TzbBarTreeViewCombo& combo)
    : fCombo(combo), fTree(new TzbBarTreeView(&combo, true, this)) {
  setProperty("zbDropDownWindow", true);
  MakeNonActivatingPopup(this);
  setMouseTracking(true);
  resize(combo.DropDownWidth(), combo.DropDownHeight());
  PlaceTree();
  hide();
}

void TzbBarTreeViewPopup::LayOut(const TRect& itemOnScreen) {
  fItemOnScreen = itemOnScreen;
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  const TRect window = Bounds(origin.x(), origin.y(), width(), height());
  TRect client;
  fCombo.BarManager().PainterClass().CalcDropDownWindowNC(window, client, fCombo.AllowResizing, &itemOnScreen, fCorner);
  PlaceTree();
}

void TzbBarTreeViewPopup::PlaceTree() {
  TRect client = Rect(1, 1, width() - 1, height() - 1);
  if (fCombo.AllowResizing) {
    const int strip = fCombo.BarManager().PainterClass().GetDropDownStripHeight();
    if (fCorner == 0 || fCorner == 1)
      client.Top += strip;
    else
      client.Bottom -= strip;
  }
  fTree->setGeometry(ToQRect(client));
  update();
}

void TzbBarTreeViewPopup::resizeEvent(QResizeEvent*) { PlaceTree(); }

void TzbBarTreeViewPopup::Resize(int width, int height) {
  if (size() == QSize(width, height)) return;
  resize(width, height);
  PlaceTree();
}

void TzbBarTreeViewPopup::paintEvent(QPaintEvent*) {
  QPainter qp(this);
  TCanvas dc(&qp);
  TzbDropDownWindowGeometry g;
  g.Width = width();
  g.Height = height();
  g.Client = FromQRect(fTree->geometry());
  g.ScreenOrigin = FromQPoint(mapToGlobal(QPoint(0, 0)));
  fCombo.BarManager().PainterClass().DrawDropDownWindowNC(dc, g, fCombo.AllowResizing, fCorner, fGripRect, fCloseRect,
                                                          fCloseHot || fCloseTracking, fCloseTracking && fCloseHot);
}

void TzbBarTreeViewPopup::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const TPoint p = FromQPoint(e->globalPosition().toPoint());
  if (PtInRect(fGripRect, p)) {
    fSizing = true;
    fSizingStart = e->globalPosition().toPoint();
    fSizingGeometry = geometry();
  } else if (PtInRect(fCloseRect, p)) {
    fCloseTracking = true;
    fCloseHot = true;
    update();
  }
}

void TzbBarTreeViewPopup::mouseMoveEvent(QMouseEvent* e) {
  const QPoint global = e->globalPosition().toPoint();
  if (fSizing) {
    const QPoint d = global - fSizingStart;
    QRect g = fSizingGeometry;
    const bool left = fCorner == 0 || fCorner == 2, top = fCorner == 0 || fCorner == 1;
    if (left)
      g.setLeft(std::min(g.left() + d.x(), g.right() + 1 - 100));
    else
      g.setRight(std::max(g.right() + d.x(), g.left() + 99));
    if (top)
      g.setTop(std::min(g.top() + d.y(), g.bottom() + 1 - 100));
    else
      g.setBottom(std::max(g.bottom() + d.y(), g.top() + 99));
    setGeometry(g);
    return;
  }
  const bool hot = PtInRect(fCloseRect, FromQPoint(global));
  if (hot != fCloseHot) {
    fCloseHot = hot;
    update();
  }
}

void TzbBarTreeViewPopup::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  if (fSizing) {
    fSizing = false;
    fCombo.SetDropDownSize(width(), height());
    return;
  }
  if (!fCloseTracking) return;
  fCloseTracking = false;
  const bool over = PtInRect(fCloseRect, FromQPoint(e->globalPosition().toPoint()));
  fCloseHot = false;
  update();
  if (over) fCombo.CloseDropDowns();
}

void TzbBarTreeViewPopup::leaveEvent(QEvent*) {
  if (!fCloseHot || fCloseTracking) return;
  fCloseHot = false;
  update();
}

void TzbBarTreeViewPopup::keyPressEvent(QKeyEvent* e) { QApplication::sendEvent(fTree, e); }

void TzbBarTreeViewPopup::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  fCloseHot = fCloseTracking = fSizing = false;
}

void TzbBarTreeViewPopup::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() != QEvent::PaletteChange && e->type() != QEvent::ApplicationPaletteChange) return;
  // The frame, its grip and its close button are laid out and drawn anew in the new colours.
  fCloseHot = fCloseTracking = false;
  if (isVisible())
    LayOut(fItemOnScreen);
  else
    PlaceTree();
  update();
  fTree->viewport()->update();
}

// ---------------------------------------------------------------- combo

std::function<bool(QDialog&)> TzbBarTreeViewCombo::RunDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };

TzbBarTreeViewCombo::TzbBarTreeViewCombo(TzbBarManager& manager) : TzbBarCustomCombo(manager) {
  fPopup = std::make_unique<TzbBarTreeViewPopup>(*this);  // after the sizes it reads
  fSignals = std::make_unique<QObject>();
  fHideEditor = true;
  SetGlyph(ComboKindGlyph("tree"));
  QObject::connect(&Tree(), &QTreeWidget::currentItemChanged, fSignals.get(), [this](QTreeWidgetItem* node) {
    if (OnTreeViewChange) OnTreeViewChange(*this, node);
    // While the combo is being edited the edit shows the node under the cursor at once.
    if (!node || !fPopup->isVisible()) return;
    if (TzbBarComboControl* c = ControlOf(*this, false)) {
      c->SetText(FromQString(node->text(0)));
      CurChange();
    }
  });
  // A renamed current node renames the combo's text.
  QObject::connect(&Tree(), &QTreeWidget::itemChanged, fSignals.get(), [this](QTreeWidgetItem* node) {
    if (node == fCurrentNode) UpdateTextFromNode();
  });
  // A changed text or data sorts the nodes anew when the sort type asks for it.
  QObject::connect(Tree().model(), &QAbstractItemModel::dataChanged, fSignals.get(),
                   [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                     const bool all = roles.isEmpty();
                     SortIf(all || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole),
                            all || roles.contains(kDataRole));
                   });
  // A node removed in any way is no longer the current one (its text stays).
  QObject::connect(Tree().model(), &QAbstractItemModel::rowsAboutToBeRemoved, fSignals.get(),
                   [this](const QModelIndex& parent, int first, int last) {
                     for (const TTreeNode* n = fCurrentNode; n; n = n->parent()) {
                       const QModelIndex index = Tree().indexFromItem(n);
                       if (index.parent() == parent && index.row() >= first && index.row() <= last) {
                         fCurrentNode = nullptr;
                         return;
                       }
                     }
                   });
}

TzbBarTreeViewCombo::~TzbBarTreeViewCombo() {
  if (fImages) fImages->RemoveChangeLink(fImagesLink);
  if (fStateImages) fStateImages->RemoveChangeLink(fStateImagesLink);
}

bool TzbBarTreeViewCombo::InheritsFrom(const char* c) const {
  return std::strcmp(c, kClassName) == 0 || TzbBarCustomCombo::InheritsFrom(c);
}

void TzbBarTreeViewCombo::SetDropDownHeight(int value) {
  fDropDownHeight = std::max(value, 100);
  fPopup->Resize(fDropDownWidth, fDropDownHeight);
}

void TzbBarTreeViewCombo::SetDropDownSize(int width, int height) {
  fDropDownWidth = std::max(width, 100);
  SetDropDownHeight(height);
}

void TzbBarTreeViewCombo::SetDropDownWidth(int value) {
  fDropDownWidth = std::max(value, 100);
  fPopup->Resize(fDropDownWidth, fDropDownHeight);
}

void TzbBarTreeViewCombo::AttachImages(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value) {
  if (slot == value) return;
  if (slot) slot->RemoveChangeLink(link);
  slot = value;
  link = 0;
  if (slot)
    link = slot->AddChangeLink([this] { RefreshIcons(); },
                               [this, &slot, &link] {
                                 slot = nullptr;
                                 link = 0;
                                 RefreshIcons();
                               });
  RefreshIcons();
}

void TzbBarTreeViewCombo::SetImages(TzbSideBarImageList* value) { AttachImages(fImages, fImagesLink, value); }
void TzbBarTreeViewCombo::SetStateImages(TzbSideBarImageList* value) {
  AttachImages(fStateImages, fStateImagesLink, value);
}

void TzbBarTreeViewCombo::RefreshIcons() {
  TzbBarTreeView& tree = Tree();
  QSize size(0, 0);
  if (fStateImages) size = QSize(fStateImages->Width(), fStateImages->Height());
  if (fImages) size = QSize(size.width() + fImages->Width(), std::max(size.height(), fImages->Height()));
  if (!size.isEmpty()) tree.setIconSize(size);
  tree.viewport()->update();
  if (!IsLoading()) LayoutChanged();
}

int TzbBarTreeViewCombo::Indent() const { return Tree().indentation(); }
void TzbBarTreeViewCombo::SetIndent(int value) { Tree().setIndentation(value); }
bool TzbBarTreeViewCombo::ShowButtons() const { return Tree().ShowButtons; }
void TzbBarTreeViewCombo::SetShowButtons(bool value) {
  Tree().ShowButtons = value;
  Tree().viewport()->update();
}
bool TzbBarTreeViewCombo::ShowLines() const { return Tree().ShowLines; }
void TzbBarTreeViewCombo::SetShowLines(bool value) {
  Tree().ShowLines = value;
  Tree().viewport()->update();
}
bool TzbBarTreeViewCombo::ShowRoot() const { return Tree().rootIsDecorated(); }
void TzbBarTreeViewCombo::SetShowRoot(bool value) { Tree().setRootIsDecorated(value); }

void TzbBarTreeViewCombo::SetShowImageInEdit(bool value) {
  if (value == fShowImageInEdit) return;
  fShowImageInEdit = value;
  if (fImages || fStateImages) LayoutChanged();
}

void TzbBarTreeViewCombo::SetSortType(TSortType value) {
  if (value == fSortType) return;
  fSortType = value;
  SortIf(true, true);
}

void TzbBarTreeViewCombo::SortIf(bool textChanged, bool dataChanged) {
  const bool byText = fSortType == stText || fSortType == stBoth;
  const bool byData = (fSortType == stData || fSortType == stBoth) && OnCompare;
  if ((textChanged && byText) || (dataChanged && byData)) AlphaSort();
}

void TzbBarTreeViewCombo::AlphaSort(int data) {
  fSortData = data;
  Tree().sortItems(0, Qt::AscendingOrder);
  fSortData = 0;
}

int TzbBarTreeViewCombo::CompareNodes(TTreeNode* node1, TTreeNode* node2, int data) {
  if (OnCompare) {
    int compare = 0;
    OnCompare(*this, node1, node2, data, compare);
    return compare;
  }
  const QString a = node1->text(0), b = node2->text(0);
  if (const int c = QString::compare(a, b, Qt::CaseInsensitive)) return c;
  return QString::compare(a, b, Qt::CaseSensitive);
}

bool TzbBarTreeViewCombo::AllowNodeChange(TTreeNode* node) {
  bool allow = true;
  if (OnChanging) OnChanging(*this, node, allow);
  return allow;
}

bool TzbBarTreeViewCombo::AllowExpansion(TTreeNode* node, bool expand) {
  bool allow = true;
  if (const auto& ask = expand ? OnExpanding : OnCollapsing) ask(*this, node, allow);
  return allow;
}

namespace {
bool SetRole(TTreeNode* node, int role, const QVariant& value) {
  if (!node || node->data(0, role) == value) return false;
  node->setData(0, role, value);
  return true;
}
}  // namespace

void TzbBarTreeViewCombo::SetNodeImageIndex(TTreeNode* node, int index) {
  if (SetRole(node, kImageRole, index + 1)) UpdateControls();
}

void TzbBarTreeViewCombo::SetNodeSelectedIndex(TTreeNode* node, int index) {
  if (SetRole(node, kSelectedRole, index + 1)) UpdateControls();
}

void TzbBarTreeViewCombo::SetNodeStateIndex(TTreeNode* node, int index) {
  if (SetRole(node, kStateRole, index + 1)) UpdateControls();
}

void* TzbBarTreeViewCombo::NodeData(const TTreeNode* node) {
  return node ? reinterpret_cast<void*>(node->data(0, kDataRole).value<quintptr>()) : nullptr;
}

void TzbBarTreeViewCombo::SetNodeData(TTreeNode* node, void* data) {
  SetRole(node, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

TTreeNode* TzbBarTreeViewCombo::AddNode(TTreeNode* parent, const std::string& text, int imageIndex, int selectedIndex,
                                        int stateIndex) {
  return InsertNode(parent, text, nullptr, imageIndex, selectedIndex, stateIndex);
}

TTreeNode* TzbBarTreeViewCombo::AddNodeObject(TTreeNode* parent, const std::string& text, void* data) {
  return InsertNode(parent, text, data, -1, -1, -1);
}

TTreeNode* TzbBarTreeViewCombo::InsertNode(TTreeNode* parent, const std::string& text, void* data, int imageIndex,
                                           int selectedIndex, int stateIndex) {
  auto* node = new TItemNode(QStringList(ToQString(text)));
  node->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
  node->setData(0, kImageRole, imageIndex + 1);
  node->setData(0, kSelectedRole, selectedIndex + 1);
  node->setData(0, kStateRole, stateIndex + 1);
  if (parent)
    parent->addChild(node);
  else
    Tree().addTopLevelItem(node);
  SortIf(true, true);
  return node;
}

int TzbBarTreeViewCombo::NodeImageIndex(const TTreeNode* node) { return RoleIndex(node, kImageRole); }
int TzbBarTreeViewCombo::NodeSelectedIndex(const TTreeNode* node) { return RoleIndex(node, kSelectedRole); }
int TzbBarTreeViewCombo::NodeStateIndex(const TTreeNode* node) { return RoleIndex(node, kStateRole); }

void TzbBarTreeViewCombo::DeleteNode(TTreeNode* node) {
  for (const TTreeNode* n = fCurrentNode; n; n = n->parent())
    if (n == node) {
      fCurrentNode = nullptr;
      break;
    }
  delete node;
}

void TzbBarTreeViewCombo::ClearNodes() {
  fCurrentNode = nullptr;
  Tree().clear();
}

TTreeNode* TzbBarTreeViewCombo::FindNode(const std::string& text) const { return FindNodeIn(Tree(), text); }

void TzbBarTreeViewCombo::SetCurrentNode(TTreeNode* node) {
  if (node == fCurrentNode) return;
  fCurrentNode = node;
  UpdateTextFromNode();
}

void TzbBarTreeViewCombo::UpdateTextFromNode() {
  fSettingText = true;
  const std::string text = fCurrentNode ? FromQString(fCurrentNode->text(0)) : std::string();
  if (text != Text())
    SetText(text);
  else
    Change();
  fSettingText = false;
  UpdateControls();
}

void TzbBarTreeViewCombo::SetText(const std::string& value) {
  if (value == Text()) return;
  if (IsLoading()) {
    // The nodes may come later: the text is set when loading ends.
    fLoadedText = value;
    fHasLoadedText = true;
    return;
  }
  if (!fSettingText) fCurrentNode = FindNode(value);
  TzbBarCustomCombo::SetText(value);
}

void TzbBarTreeViewCombo::Loaded() {
  EndLoading();
  if (!fHasLoadedText) return;
  fHasLoadedText = false;
  SetText(fLoadedText);
}

bool TzbBarTreeViewCombo::CanSelectNode(TTreeNode* node) {
  bool canSelect = true;
  if (OnCanSelectNode) OnCanSelectNode(*this, node, canSelect);
  return canSelect;
}

void TzbBarTreeViewCombo::NodeChosen(TTreeNode* node) {
  TzbBarComboControl* c = ControlOf(*this, true);
  if (!c) c = ControlOf(*this, false);
  if (!c) {
    CloseUp();
    SetCurrentNode(node);
    return;
  }
  auto* w = dynamic_cast<TCustomzbBarControl*>(&c->Parent());
  c->SetDroppedDown(false);
  SetCurrentNode(node);
  if (!w || !TCustomzbBarControl::IsAlive(w)) return;
  if (c->Focused()) c->SetFocused(false);
  if (TCustomzbBarControl::IsAlive(w)) w->HideAll();
}

bool TzbBarTreeViewCombo::CheckKeyForDropDownWindow(int key, unsigned shift) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  return TzbBarCustomCombo::CheckKeyForDropDownWindow(key, shift);
}

QWidget* TzbBarTreeViewCombo::GetDropDownWindow() {
  if (QWidget* w = TCustomzbBarCombo::GetDropDownWindow()) return w;
  return fPopup.get();
}

void TzbBarTreeViewCombo::PrepareDropDown() {
  TzbBarTreeView& tree = Tree();
  tree.setFont(BarManager().BarFont());
  fPopup->Resize(fDropDownWidth, fDropDownHeight);
  if (FullExpand) tree.ExpandFully();
  const QSignalBlocker block(&tree);
  TTreeNode* node = fCurrentNode ? fCurrentNode : FindNode(Text());
  tree.setCurrentItem(node);
  if (node) tree.scrollToItem(node);
  if (const TzbBarComboControl* c = ControlOf(*this, false); c && c->GetText() != Text())
    if (TTreeNode* typed = FindNode(c->GetText())) tree.setCurrentItem(typed);
  if (!tree.currentItem() && tree.topLevelItemCount() > 0) {
    tree.setCurrentItem(tree.topLevelItem(0));
    tree.scrollToItem(tree.topLevelItem(0));
  }
}

void TzbBarTreeViewCombo::DropDown(int x, int y, const TRect& itemRect, bool toRight) {
  TzbBarCustomCombo::DropDown(x, y, itemRect, toRight);
  if (fPopup->isVisible()) fPopup->LayOut(itemRect);
}

void TzbBarTreeViewCombo::CloseDropDowns() {
  if (TzbBarComboControl* c = ControlOf(*this, true)) {
    c->SetDroppedDown(false);
    return;
  }
  CloseUp();
}

void TzbBarTreeViewCombo::CloseUp() {
  if (QWidget::mouseGrabber() == fPopup.get()) fPopup->releaseMouse();
  TzbBarCustomCombo::CloseUp();
}

void TzbBarTreeViewCombo::DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) {
  if (!DrawsEntries()) return TzbBarCustomCombo::DrawItem(canvas, index, rect, selected);
  const TzbBarComboControl* editing = ControlOf(*this, false);
  const TTreeNode* node = editing ? Tree().currentItem() : fCurrentNode;
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(rect);
  TRect r = rect;
  r.Left += 1;
  if (fStateImages && fStateImages->IsValid(NodeStateIndex(node))) {
    fStateImages->Draw(canvas, r.Left, r.Top + (r.Height() - fStateImages->Height()) / 2, NodeStateIndex(node));
    r.Left += fStateImages->Width();
  }
  if (fImages) {
    int image = NodeSelectedIndex(node);
    if (!fImages->IsValid(image)) image = NodeImageIndex(node);
    if (fImages->IsValid(image)) fImages->Draw(canvas, r.Left, r.Top + (r.Height() - fImages->Height()) / 2, image);
    r.Left += fImages->Width() + 3;
  }
  const std::string text = editing ? editing->GetText() : Text();
  TRect t = Rect(r.Left + 2, r.Top, r.Right - 2, r.Bottom);
  canvas.Brush.Style = bsClear;
  canvas.DrawText(ToQString(text), t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  canvas.Brush.Style = bsSolid;
}

void TzbBarTreeViewCombo::DoClick() {
  TzbBarCustomCombo::DoClick();
  if (!OnClick && !ReadOnly) ShowSelectionDialog();
}

void TzbBarTreeViewCombo::ShowSelectionDialog() {
  TTreeDialog dialog;
  dialog.setWindowTitle(BarQText("Select item"));
  dialog.setFont(BarManager().BarFont());
  if (AllowResizing) dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  const QFontMetrics fm(dialog.font());
  dialog.U = fm.horizontalAdvance(QLatin1Char('0')) * 12;
  dialog.H = MulDiv(fm.height(), 5, 3);
  dialog.M = dialog.H / 4;
  const TzbBarTreeView& popupTree = Tree();
  auto* tree = new TzbBarTreeView(this, false, &dialog);
  tree->setIconSize(popupTree.iconSize());
  tree->setIndentation(popupTree.indentation());
  tree->ShowButtons = popupTree.ShowButtons;
  tree->ShowLines = popupTree.ShowLines;
  tree->setRootIsDecorated(popupTree.rootIsDecorated());
  for (int i = 0; i < popupTree.topLevelItemCount(); ++i) tree->addTopLevelItem(popupTree.topLevelItem(i)->clone());
  tree->resize(popupTree.size());
  dialog.Tree = tree;
  dialog.Ok = new QPushButton(BarQText("OK"), &dialog);
  dialog.Cancel = new QPushButton(BarQText("Cancel"), &dialog);
  dialog.Ok->setDefault(true);
  QObject::connect(dialog.Ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(dialog.Cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  const QSize client(tree->width() + dialog.U + 3 * dialog.M, tree->height() + 2 * dialog.M);
  if (AllowResizing)
    dialog.resize(client);
  else
    dialog.setFixedSize(client);
  if (FullExpand) tree->expandAll();
  SelectForText(*tree, Text());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  if (RunDialog(dialog) && tree->currentItem()) SetText(FromQString(tree->currentItem()->text(0)));
  // A resized dialog resizes the drop-down.
  const QSize frame = fPopup->size() - popupTree.size();
  SetDropDownSize(tree->width() + frame.width(), tree->height() + frame.height());
}

// ---------------------------------------------------------------- control

int TzbBarTreeViewComboControl::GetHeight() const {
  int h = TzbBarComboControl::GetHeight();
  const auto& combo = static_cast<const TzbBarTreeViewCombo&>(Item());
  if (combo.DrawsEntries() && !Parent().IsMenu() && !Parent().IsVertical()) {
    int images = 0;
    if (combo.Images()) images = combo.Images()->Height();
    if (combo.StateImages()) images = std::max(images, combo.StateImages()->Height());
    h = std::max(h, images + 6);
  }
  return h;
}

}  // namespace zyn
