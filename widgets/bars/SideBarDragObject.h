#pragma once
// The item drag of the side bars: one drag object exists while an item is dragged within a side
// bar or from one side bar to another; it names the dragged side-bar item (nil when a stored item
// is dragged from elsewhere) and its stored item.

#include "widgets/bars/SideBarTypes.h"

#include <QPointer>

namespace zyn {

class TzbSideBarDragObject {
 public:
  TzbSideBarDragObject(TzbSideBar* source, TzbSideBarItem* item, TzbStoredSideItem* storedItem);
  ~TzbSideBarDragObject();
  TzbSideBarDragObject(const TzbSideBarDragObject&) = delete;
  TzbSideBarDragObject& operator=(const TzbSideBarDragObject&) = delete;

  // The drag now running, nil when none.
  static TzbSideBarDragObject* Current();

  TzbSideBar* Source() const { return fSource; }
  TzbSideBarItem* Item = nullptr;
  TzbStoredSideItem* StoredItem = nullptr;
  bool DeleteItem = false;  // shows the delete cursor; cleared at every cursor query
  bool Cancel = false;      // the drop then does nothing
  // The side bar under the pointer at the last move and whether it accepts the drop there.
  QPointer<TzbSideBar> Target;
  bool Accepted = false;

 private:
  QPointer<TzbSideBar> fSource;
};

}  // namespace zyn
