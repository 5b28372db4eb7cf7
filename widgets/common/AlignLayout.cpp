#include "widgets/common/AlignLayout.h"

#include <QWidget>

#include <algorithm>

namespace zyn {
namespace {
constexpr const char* kAlignProperty = "zynAlign";
}

TAlign AlignOf(const QWidget* widget) {
  const QVariant v = widget ? widget->property(kAlignProperty) : QVariant();
  return v.isValid() ? static_cast<TAlign>(v.toInt()) : alNone;
}

void SetAlignOf(QWidget* widget, TAlign align) {
  widget->setProperty(kAlignProperty, static_cast<int>(align));
  RealignParent(widget);
}

void RealignParent(QWidget* child) {
  QWidget* parent = child ? child->parentWidget() : nullptr;
  if (!parent || !parent->layout()) return;
  parent->layout()->invalidate();
  parent->layout()->activate();
}

TAlignLayout::TAlignLayout(QWidget* parent) : QLayout(parent) { setContentsMargins(0, 0, 0, 0); }

TAlignLayout::~TAlignLayout() {
  for (QLayoutItem* item : fItems) delete item;
}

void TAlignLayout::AddWidget(QWidget* widget, TAlign align) {
  widget->setProperty(kAlignProperty, static_cast<int>(align));
  addWidget(widget);
}

void TAlignLayout::addItem(QLayoutItem* item) { fItems.push_back(item); }

QLayoutItem* TAlignLayout::itemAt(int index) const {
  return index >= 0 && index < count() ? fItems[static_cast<size_t>(index)] : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index) {
  if (index < 0 || index >= count()) return nullptr;
  QLayoutItem* item = fItems[static_cast<size_t>(index)];
  fItems.erase(fItems.begin() + index);
  return item;
}

QSize TAlignLayout::sizeHint() const { return minimumSize().expandedTo(QSize(200, 100)); }

QSize TAlignLayout::minimumSize() const {
  int w = 0, h = 0;
  for (QLayoutItem* item : fItems) {
    QWidget* widget = item->widget();
    if (!widget || widget->isHidden()) continue;
    const TAlign a = AlignOf(widget);
    if (a == alLeft || a == alRight) w += widget->minimumWidth();
    if (a == alTop || a == alBottom) h += widget->minimumHeight();
  }
  return {w, h};
}

void TAlignLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  QRect free = contentsRect();
  const auto place = [&](TAlign wanted) {
    for (QLayoutItem* item : fItems) {
      QWidget* w = item->widget();
      if (!w || w->isHidden() || AlignOf(w) != wanted) continue;
      const int width = std::clamp(w->width(), w->minimumWidth(), w->maximumWidth());
      const int height = std::clamp(w->height(), w->minimumHeight(), w->maximumHeight());
      switch (wanted) {
        case alTop:
          w->setGeometry(free.left(), free.top(), free.width(), height);
          free.setTop(free.top() + height);
          break;
        case alBottom:
          w->setGeometry(free.left(), free.bottom() + 1 - height, free.width(), height);
          free.setBottom(free.bottom() - height);
          break;
        case alLeft:
          w->setGeometry(free.left(), free.top(), width, free.height());
          free.setLeft(free.left() + width);
          break;
        case alRight:
          w->setGeometry(free.right() + 1 - width, free.top(), width, free.height());
          free.setRight(free.right() - width);
          break;
        case alClient:
          w->setGeometry(free);
          break;
        default:
          break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
}

}  // namespace zyn
