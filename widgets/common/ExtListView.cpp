#include "widgets/common/ExtListView.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QToolTip>

#include <array>

namespace zyn {
namespace {

constexpr std::array<unsigned, 13> kFlags = {1, 2, 4, 8, 16, 32, 64, 128, 256, 1024, 2048, 4096, 16384};

// Grid lines between the cells of a view with lvxGridLines.
class GridLineDelegate : public QStyledItemDelegate {
 public:
  explicit GridLineDelegate(TzsExtListView* view) : QStyledItemDelegate(view), fView(view) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!fView->HasStyle(lvxGridLines)) return;
    painter->save();
    painter->setPen(option.palette.color(QPalette::Midlight));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
  }

 private:
  TzsExtListView* fView;
};

}  // namespace

unsigned ExtendedStyleFlags(TLVExtendedStyles styles) {
  unsigned flags = 0;
  for (size_t i = 0; i < kFlags.size(); ++i)
    if (styles & (1u << i)) flags |= kFlags[i];
  return flags;
}

TLVExtendedStyles ExtendedStylesFromFlags(unsigned flags) {
  TLVExtendedStyles styles = 0;
  for (size_t i = 0; i < kFlags.size(); ++i)
    if (flags & kFlags[i]) styles |= 1u << i;
  return styles;
}

bool ComCtlVersionSufficient(int major, int minor, int release, int build) {
  const std::array<int, 4> have = {major, minor, release, build}, need = {4, 70, 0, 0};
  return have >= need;
}

TzsExtListView::TzsExtListView(QWidget* parent) : TCustomEnhListView(parent) {
  setItemDelegate(new GridLineDelegate(this));
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (fUpdatingChecks || column != 0 || !HasStyle(lvxCheckboxes)) return;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (item->data(0, Qt::UserRole + 2).toBool() == checked) return;
    item->setData(0, Qt::UserRole + 2, checked);
    if (OnItemChecked) OnItemChecked(this, indexOfTopLevelItem(item), checked);
  });
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { ReportStateChanges(); });
  connect(this, &QTreeWidget::itemActivated, this, [this] {
    if (OnItemActivate) OnItemActivate(this);
  });
  SetExtendedStyles(fStyles);
}

TzsExtListView::~TzsExtListView() {
  if (fSaveSettings.AutoSave) StoreSettings();
  fSaveSettings.AutoSave = false;
}

void TzsExtListView::SetExtendedStyles(TLVExtendedStyles styles) {
  if ((styles & Lvx(lvxUnderlineCold)) && !(styles & Lvx(lvxOneClickActivate))) styles |= Lvx(lvxOneClickActivate);
  if ((styles & Lvx(lvxUnderlineHot)) && !(styles & (Lvx(lvxOneClickActivate) | Lvx(lvxTwoClickActivate))))
    styles |= Lvx(lvxOneClickActivate);
  fStyles = styles;
  setSelectionBehavior(HasStyle(lvxFullRowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  header()->setSectionsMovable(HasStyle(lvxHeaderDragDrop));
  setMouseTracking(HasStyle(lvxTrackSelect) || HasStyle(lvxUnderlineHot));
  fUpdatingChecks = true;
  for (int i = 0; i < ItemCount(); ++i) {
    QTreeWidgetItem* item = Item(i);
    if (HasStyle(lvxCheckboxes)) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      if (item->data(0, Qt::CheckStateRole).isNull()) item->setCheckState(0, Qt::Unchecked);
    } else {
      item->setData(0, Qt::CheckStateRole, QVariant());
    }
  }
  fUpdatingChecks = false;
  viewport()->update();
}

void TzsExtListView::SetColumnsFormat(const std::vector<TzsExtListColumn>& formats) {
  fFormats = formats;
  ApplyColumnFormats();
}

bool TzsExtListView::ColumnResizable(int column) const {
  if (NoColumnResize()) return false;
  return column < 0 || column >= int(fFormats.size()) || fFormats[size_t(column)].AllowResize;
}

void TzsExtListView::ApplyColumnFormats() {
  for (int c = 0; c < columnCount(); ++c)
    header()->setSectionResizeMode(c, ColumnResizable(c) ? QHeaderView::Interactive : QHeaderView::Fixed);
  header()->viewport()->update();
}

void TzsExtListView::SetSmallImages(std::vector<QImage> images) {
  fSmallImages = std::move(images);
  UpdateHeaderOwnerDraw();
  ApplyColumnFormats();
}

bool TzsExtListView::HeaderPicture(int column, QImage& picture, bool& rightOfText) const {
  if (column < 0 || column >= int(fFormats.size())) return false;
  const TzsExtListColumn& format = fFormats[size_t(column)];
  if (format.ImageIndex < 0 || format.ImageIndex >= int(fSmallImages.size())) return false;
  picture = fSmallImages[size_t(format.ImageIndex)];
  rightOfText = format.ImageAlignment == ciaRightOfText;
  return !picture.isNull();
}

bool TzsExtListView::HeaderItemOwnerDrawn(int column) const {
  QImage picture;
  bool right = true;
  // A column with a picture is drawn by the list view as well: the picture may lie right of the text.
  return HeaderOwnerDraw() || HeaderPicture(column, picture, right);
}

bool TzsExtListView::ArrowShownFor(int column) const {
  return ShowSortArrows() && column == CurrentSortColumn() && (AutoColumnSort() != acsNoSort || bool(OnSortItems));
}

void TzsExtListView::DefaultDrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state,
                                     bool fullRowSelect) {
  if (!fVirtualMode) {
    TCustomEnhListView::DefaultDrawItem(canvas, index, rect, state, fullRowSelect);
    return;
  }
  // A virtual list sets the colours and leaves every cell to OnDrawSubItem.
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clWindow;
  canvas.FillRect(rect);
  const bool focused = hasFocus();
  const bool selectionShown = (state & odSelected) && (focused || !HideSelection);
  TRect selection = fullRowSelect ? rect : ColumnSpan(ColumnAtPosition(0), rect);
  if (selectionShown) {
    canvas.Brush.Color = focused ? clHighlight : clBtnFace;
    canvas.FillRect(selection);
    canvas.Font.Color = focused ? clHighlightText : clBtnText;
  }
  for (int p = 0; p < columnCount(); ++p) {
    const int column = ColumnAtPosition(p);
    TRect cell = ColumnSpan(column, rect);
    if (p == 0)
      cell.Right -= 2;
    else
      cell.Left += 4;
    bool defaultDrawing = true;
    if (OnDrawSubItem) OnDrawSubItem(this, canvas, index, column, cell, state, defaultDrawing);
  }
}

std::vector<int> TzsExtListView::ColumnOrder() const {
  std::vector<int> order;
  for (int p = 0; p < columnCount(); ++p) order.push_back(header()->logicalIndex(p));
  return order;
}

void TzsExtListView::SetColumnOrder(const std::vector<int>& order) {
  for (int p = 0; p < int(order.size()) && p < columnCount(); ++p) {
    const int logical = order[size_t(p)];
    if (logical < 0 || logical >= columnCount()) continue;
    header()->moveSection(header()->visualIndex(logical), p);
  }
  viewport()->update();
}

int TzsExtListView::ColumnAtPosition(int position) const { return header()->logicalIndex(position); }

int TzsExtListView::PositionOfColumn(int column) const {
  const int p = header()->visualIndex(column);
  return p < 0 ? 0 : p;
}

void TzsExtListView::SetVirtualMode(bool on) {
  fVirtualMode = on;
  fFilling = true;
  clear();
  fFilling = false;
  fVirtualCount = 0;
  fVirtualStates.clear();
}

TLVVMItemInfo TzsExtListView::ItemInfo(int item, int subItem, TLVVMMaskItems mask) const {
  TLVVMItemInfo info;
  info.Mask = mask;
  if (OnVMGetItemInfo) OnVMGetItemInfo(const_cast<TzsExtListView*>(this), item, subItem, info);
  return info;
}

void TzsExtListView::FillVirtualItem(QTreeWidgetItem* item, int index) const {
  const TLVVMItemInfo info = ItemInfo(index, 0, lvifText | lvifImage | lvifParam | lvifState | lvifIndent);
  item->setText(0, info.Text);
  if (info.Image >= 0 && info.Image < int(fSmallImages.size()))
    item->setIcon(0, QIcon(QPixmap::fromImage(fSmallImages[size_t(info.Image)])));
  else
    item->setIcon(0, QIcon());
  item->setData(0, Qt::UserRole + 3, QVariant::fromValue<qlonglong>(info.Param));
  item->setData(0, Qt::UserRole + 4, info.Indent);
  for (int k = 1; k < columnCount(); ++k) item->setText(k, ItemInfo(index, k, lvifText).Text);
  item->setData(0, Qt::UserRole + 1, std::max(columnCount() - 1, 0));
}

qintptr TzsExtListView::ItemData(int index) const {
  QTreeWidgetItem* item = Item(index);
  return item ? qintptr(item->data(0, Qt::UserRole + 3).toLongLong()) : 0;
}

void TzsExtListView::SetVirtualItemCount(int count) {
  fVirtualCount = std::max(count, 0);
  if (fVirtualMode) FillVirtualItems();
}

void TzsExtListView::FillVirtualItems() {
  BeginUpdate();
  fFilling = true;
  clear();
  if (fVirtualCount > 0 && OnVMCacheHint) {
    TLVVMCacheHint hint{0, fVirtualCount - 1};
    OnVMCacheHint(this, hint);
  }
  for (int i = 0; i < fVirtualCount; ++i) {
    auto* item = new QTreeWidgetItem;
    FillVirtualItem(item, i);
    addTopLevelItem(item);
  }
  fVirtualStates.assign(size_t(fVirtualCount), 0);
  fFilling = false;
  EndUpdate();
}

void TzsExtListView::ReportStateChanges() {
  if (!fVirtualMode || fFilling) return;
  const int count = ItemCount();
  fVirtualStates.resize(size_t(count), 0);
  int i = 0;
  while (i < count) {
    const unsigned now = Item(i)->isSelected() ? lvisSelected : 0;
    const unsigned before = fVirtualStates[size_t(i)];
    if (now == before) {
      ++i;
      continue;
    }
    // one report for each run of items that changed alike
    int j = i;
    while (j + 1 < count && (Item(j + 1)->isSelected() ? lvisSelected : 0u) == now &&
           fVirtualStates[size_t(j + 1)] == before && now != before)
      ++j;
    for (int k = i; k <= j; ++k) fVirtualStates[size_t(k)] = now;
    if (OnVMStateChanged) {
      TLVVMStateInfo info{i, j, now, before};
      OnVMStateChanged(this, info);
    }
    i = j + 1;
  }
}

QTreeWidgetItem* TzsExtListView::FindByPrefix(const QString& text, int column) {
  if (!fVirtualMode || !OnVMFindItem) return TCustomEnhListView::FindByPrefix(text, column);
  TLVVMFindInfo info;
  info.Text = text;
  info.Start = SelectedIndex();
  int found = -1;
  OnVMFindItem(this, info, found);
  QTreeWidgetItem* item = Item(found);
  if (!item) return nullptr;
  clearSelection();
  item->setSelected(true);
  setCurrentItem(item);
  scrollToItem(item);
  return item;
}

void TzsExtListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  if (!fVirtualMode) {
    TCustomEnhListView::closeEditor(editor, hint);
    return;
  }
  QTreeWidgetItem* item = currentItem();
  auto* line = qobject_cast<QLineEdit*>(editor);
  const QString text = line ? line->text() : QString();
  const bool canceled = hint == QAbstractItemDelegate::RevertModelCache || !line;
  QTreeWidget::closeEditor(editor, hint);
  if (!item) return;
  const int index = indexOfTopLevelItem(item);
  if (OnVMCaptionEdited) OnVMCaptionEdited(this, index, canceled, canceled ? QString() : text);
  // the owner of the items decides what the caption is now
  FillVirtualItem(item, index);
}

void TzsExtListView::SetRequireComCtlUpdate(bool require) {
  // The list view of this programme is Qt's own; it offers every style the forms ask for.
  fRequireComCtl = require;
}

void TzsExtListView::ItemInserted(QTreeWidgetItem* item) {
  if (!HasStyle(lvxCheckboxes)) return;
  fUpdatingChecks = true;
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, Qt::Unchecked);
  fUpdatingChecks = false;
}

bool TzsExtListView::ItemChecked(int index) const {
  QTreeWidgetItem* item = Item(index);
  return item && HasStyle(lvxCheckboxes) && item->checkState(0) == Qt::Checked;
}

void TzsExtListView::SetItemChecked(int index, bool checked) {
  QTreeWidgetItem* item = Item(index);
  if (!item || !HasStyle(lvxCheckboxes)) return;
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

QString TzsExtListView::InfoTip(int index, int subItem) const {
  QTreeWidgetItem* item = Item(index);
  if (!item) return {};
  if (OnInfoTip) {
    QString additional;
    OnInfoTip(const_cast<TzsExtListView*>(this), index, subItem, QString(), additional);
    return additional;
  }
  return fVirtualMode ? QString() : item->text(0);
}

bool TzsExtListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip && HasStyle(lvxInfoTip)) {
    auto* help = static_cast<QHelpEvent*>(event);
    QTreeWidgetItem* item = itemAt(help->pos());
    const QString tip = item ? InfoTip(indexOfTopLevelItem(item), columnAt(help->pos().x())) : QString();
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), tip, viewport());
    return true;
  }
  return TCustomEnhListView::viewportEvent(event);
}

void TzsExtListView::mousePressEvent(QMouseEvent* event) {
  const bool onEmpty = !itemAt(event->position().toPoint());
  if (onEmpty && event->button() == Qt::LeftButton && OnMarqueeBegin &&
      (selectionMode() == QAbstractItemView::ExtendedSelection ||
       selectionMode() == QAbstractItemView::MultiSelection)) {
    bool canBegin = true;
    OnMarqueeBegin(this, canBegin);
    if (!canBegin) {
      event->accept();
      return;
    }
  }
  TCustomEnhListView::mousePressEvent(event);
}

void TzsExtListView::mouseMoveEvent(QMouseEvent* event) {
  TCustomEnhListView::mouseMoveEvent(event);
  if (!HasStyle(lvxTrackSelect) && !OnHotTrack) return;
  const QPoint pos = event->position().toPoint();
  QTreeWidgetItem* item = itemAt(pos);
  int index = item ? indexOfTopLevelItem(item) : -1;
  if (index == fHotItem) return;
  fHotItem = index;
  if (index < 0) return;
  bool allowSelect = true;
  if (OnHotTrack) OnHotTrack(this, index, columnAt(pos.x()), pos, allowSelect);
  fHotItem = index;  // the handler may have named another item
  if (!allowSelect || !HasStyle(lvxTrackSelect) || !Item(index) || (event->buttons() & Qt::LeftButton)) {
    if (fHoverTimer) fHoverTimer->stop();
    return;
  }
  const int delay = fHoverTime < 0 ? 400 : fHoverTime;
  if (delay == 0) {
    SelectHotItem();
    return;
  }
  if (!fHoverTimer) {
    fHoverTimer = new QTimer(this);
    fHoverTimer->setSingleShot(true);
    connect(fHoverTimer, &QTimer::timeout, this, [this] { SelectHotItem(); });
  }
  fHoverTimer->start(delay);
}

void TzsExtListView::SelectHotItem() {
  QTreeWidgetItem* hot = Item(fHotItem);
  if (!hot) return;
  clearSelection();
  hot->setSelected(true);
  setCurrentItem(hot, 0, QItemSelectionModel::NoUpdate);
}

void TzsExtListView::StoreSettings() {
  auto s = OpenSettings();
  if (columnCount() > 0 && SaveColumnOrder) {
    QStringList order;
    for (int c : ColumnOrder()) order << QString::number(c);
    s->setValue(QStringLiteral("Columns/Order"), order.join(QLatin1Char(',')));
  }
  s.reset();
  TCustomEnhListView::StoreSettings();
}

bool TzsExtListView::LoadSettings() {
  bool found = false;
  if (SaveColumnOrder) {
    auto s = OpenSettings();
    std::vector<int> order;
    if (s->contains(QStringLiteral("Columns/Order"))) {
      found = true;
      for (const QString& part : s->value(QStringLiteral("Columns/Order")).toString().split(QLatin1Char(',')))
        order.push_back(part.trimmed().toInt());
    } else {
      for (int c = 0; c < columnCount(); ++c) order.push_back(c);
    }
    SetColumnOrder(order);
  }
  return TCustomEnhListView::LoadSettings() || found;
}

}  // namespace zyn
