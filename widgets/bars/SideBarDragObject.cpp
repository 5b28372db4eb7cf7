#include "widgets/bars/SideBarDragObject.h"

#include "widgets/bars/SideBar.h"

namespace zyn {

namespace {
TzbSideBarDragObject*& CurrentDrag() {
  static TzbSideBarDragObject* current = nullptr;
  return current;
}
}  // namespace

TzbSideBarDragObject::TzbSideBarDragObject(TzbSideBar* source, TzbSideBarItem* item, TzbStoredSideItem* storedItem)
    : Item(item), StoredItem(storedItem), fSource(source) {
  CurrentDrag() = this;
}

TzbSideBarDragObject::~TzbSideBarDragObject() {
  if (CurrentDrag() == this) CurrentDrag() = nullptr;
}

TzbSideBarDragObject* TzbSideBarDragObject::Current() { return CurrentDrag(); }

}  // namespace zyn
