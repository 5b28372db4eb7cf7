#include "widgets/common/ScrollingListBox.h"

#include <QFontMetrics>
#include <QScrollBar>

namespace zyn {

TScrollingListBox::TScrollingListBox(QWidget* parent) : QListWidget(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TScrollingListBox::Measure(const QString& text) {
  const int w = QFontMetrics(font()).horizontalAdvance(text);
  if (w > fMaxWidth) {
    fMaxWidth = w;
    ApplyExtent();
  }
}

void TScrollingListBox::ApplyExtent() {
  // every row is as wide as the widest item, so the view scrolls exactly that far
  const int rowWidth = HorizontalExtent();
  const int rowHeight = QFontMetrics(font()).height() + 2;
  for (int i = 0; i < count(); ++i) item(i)->setSizeHint(QSize(rowWidth, rowHeight));
}

int TScrollingListBox::AddItem(const QString& text, void* object) {
  auto* it = new QListWidgetItem(text, this);
  it->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
  Measure(text);
  it->setSizeHint(QSize(HorizontalExtent(), QFontMetrics(font()).height() + 2));
  return count() - 1;
}

void TScrollingListBox::InsertItem(int index, const QString& text, void* object) {
  auto* it = new QListWidgetItem(text);
  it->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
  insertItem(std::clamp(index, 0, count()), it);
  Measure(text);
  it->setSizeHint(QSize(HorizontalExtent(), QFontMetrics(font()).height() + 2));
}

void TScrollingListBox::DeleteItem(int index) {
  if (index < 0 || index >= count()) return;
  delete takeItem(index);
  fMaxWidth = 0;
  const QFontMetrics fm(font());
  for (int i = 0; i < count(); ++i) fMaxWidth = std::max(fMaxWidth, fm.horizontalAdvance(item(i)->text()));
  ApplyExtent();
}

void TScrollingListBox::Clear() {
  clear();
  fMaxWidth = 0;
}

void* TScrollingListBox::Object(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? reinterpret_cast<void*>(it->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

}  // namespace zyn
