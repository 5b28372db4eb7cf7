#include "logic/LinkListView.h"

#include "logic/LinkPictures.h"
#include "model/Verbindung.h"
#include "platform/QtText.h"

#include <QPainter>

#include <algorithm>

namespace zyn {

namespace {

QPixmap PictureOf(const TVerbindung& link, bool checkLogic) {
  if (checkLogic) return link.HasValidLogic ? LinkBitmap(link) : LinkPicture(QStringLiteral("INVALIDLOGIC"));
  return link.IsGenerated() ? LinkPicture(QStringLiteral("TEMPVERB")) : LinkBitmap(link);
}

}  // namespace

void TLinkListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  auto* link = static_cast<TVerbindung*>(index.data(Qt::UserRole).value<void*>());
  const bool selected = option.state & QStyle::State_Selected;
  painter->save();
  painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
  const QPixmap picture = link ? PictureOf(*link, fCheckLogic) : QPixmap();
  int x = option.rect.left() + 2;
  if (!picture.isNull()) {
    painter->drawPixmap(option.rect.left(), option.rect.top() + (option.rect.height() - picture.height()) / 2, picture);
    x = option.rect.left() + picture.width() + 6;
  }
  const bool red = fCheckLogic && link && !link->HasValidLogic;
  QFont font = option.font;
  font.setBold(selected);
  painter->setFont(font);
  painter->setPen(selected ? (red ? QColor(Qt::yellow) : QColor(Qt::white))
                           : (red ? QColor(Qt::red) : QColor(Qt::black)));
  painter->drawText(QRect(x, option.rect.top(), option.rect.right() - x, option.rect.height()),
                    Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QSize TLinkListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QFont font = option.font;
  font.setBold(true);
  const QFontMetrics fm(font);
  return {38 + fm.horizontalAdvance(index.data(Qt::DisplayRole).toString()), std::max(18, fm.height() + 2)};
}

TLinkList::TLinkList(bool checkLogic, QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new TLinkListDelegate(checkLogic, this));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int TLinkList::PutLink(TVerbindung* link, int index) {
  auto* item = new QListWidgetItem(ToQString(link->GetDisplayText()));
  item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(link)));
  if (index < 0 || index >= count()) {
    addItem(item);
    return count() - 1;
  }
  insertItem(index, item);
  return index;
}

TVerbindung* TLinkList::LinkAt(int row) const {
  const QListWidgetItem* it = item(row);
  return it ? static_cast<TVerbindung*>(it->data(Qt::UserRole).value<void*>()) : nullptr;
}

int TLinkList::RowOf(const TVerbindung* link) const {
  for (int r = 0; r < count(); ++r)
    if (LinkAt(r) == link) return r;
  return -1;
}

std::vector<int> TLinkList::SelectedRows() const {
  std::vector<int> rows;
  for (int r = 0; r < count(); ++r)
    if (item(r)->isSelected()) rows.push_back(r);
  return rows;
}

std::vector<TVerbindung*> TLinkList::SelectedLinks() const {
  std::vector<TVerbindung*> links;
  for (int r : SelectedRows()) links.push_back(LinkAt(r));
  return links;
}

}  // namespace zyn
