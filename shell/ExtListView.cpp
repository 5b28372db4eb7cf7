#include "shell/ExtListView.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QSettings>
#include <QToolTip>
#include <array>

namespace zyn {
namespace {

constexpr std::array<unsigned, 13> kFlags = {1, 2, 4, 8, 16, 32, 64, 128, 256, 1024, 2048, 4096, 16384};

// Grid lines between the cells of a view with lvxGridLines.
class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(TzsExtListView* view) : QStyledItemDelegate(view), fView(view) {}
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
  setItemDelegate(new GridDelegate(this));
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (fUpdatingChecks || column != 0 || !HasStyle(lvxCheckboxes)) return;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (item->data(0, Qt::UserRole + 2).toBool() == checked) return;
    item->setData(0, Qt::UserRole + 2, checked);
    if (OnItemChecked) OnItemChecked(this, indexOfTopLevelItem(item), checked);
  });
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
  clear();
  fVirtualCount = 0;
}

void TzsExtListView::SetVirtualItemCount(int count) {
  fVirtualCount = std::max(count, 0);
  if (fVirtualMode) FillVirtualItems();
}

void TzsExtListView::FillVirtualItems() {
  BeginUpdate();
  clear();
  for (int i = 0; i < fVirtualCount; ++i) {
    QStringList texts;
    for (int c = 0; c < std::max(columnCount(), 1); ++c) {
      unsigned mask = lvifText;
      QString text;
      if (OnVMGetItemInfo) OnVMGetItemInfo(this, i, c, mask, text);
      texts << text;
    }
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole + 1, int(texts.size()) - 1);
    addTopLevelItem(item);
  }
  EndUpdate();
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
