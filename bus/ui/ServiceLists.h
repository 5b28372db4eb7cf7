#pragma once
// The list items of the service pages: an item carries its model object, and its colour follows
// the module's presence.

#include "model/Modul.h"

#include <QColor>
#include <QListWidget>

namespace zyn {

template <class T>
T* ItemObject(const QListWidgetItem* item) {
  return item ? static_cast<T*>(item->data(Qt::UserRole).value<void*>()) : nullptr;
}

inline QListWidgetItem* AddObjectItem(QListWidget* list, const QString& text, void* object) {
  auto* item = new QListWidgetItem(text);
  item->setData(Qt::UserRole, QVariant::fromValue(object));
  list->addItem(item);
  return item;
}

// Undefined black, missing red, present blue.
inline QColor PresenceColor(TModulState state) {
  switch (state) {
    case TModulState::msPresent:
      return QColor(0, 0, 255);
    case TModulState::msMissing:
      return QColor(255, 0, 0);
    default:
      return QColor(0, 0, 0);
  }
}

// Colours every item of the list by its module's presence.
inline void ColourByPresence(QListWidget* list, bool missingOnly = false) {
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const TModul* m = ItemObject<TModul>(item);
    if (!m) continue;
    TModulState s = m->Present;
    if (missingOnly) s = s == TModulState::msPresent ? TModulState::msUndefined : TModulState::msMissing;
    item->setForeground(PresenceColor(s));
  }
}

}  // namespace zyn
