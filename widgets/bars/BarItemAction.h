#pragma once
// The tie between a bar item and an action (QAction): the item follows the action's changes and
// lets go of it when the action goes.

#include <QMetaObject>
#include <QPointer>

class QAction;

namespace zyn {

class TzbBarItem;

class TzbBarItemActionLink {
 public:
  TzbBarItemActionLink(TzbBarItem& client, QAction& action);
  ~TzbBarItemActionLink();
  TzbBarItemActionLink(const TzbBarItemActionLink&) = delete;
  TzbBarItemActionLink& operator=(const TzbBarItemActionLink&) = delete;
  QAction* Action() const { return fAction; }
  void Execute() const;  // triggers the action (the item's click without a handler of its own)

 private:
  TzbBarItem* fClient;
  QPointer<QAction> fAction;
  QMetaObject::Connection fChanged, fDestroyed;
};

}  // namespace zyn
