#include "widgets/bars/SideBarStoredItem.h"

#include "widgets/bars/SideBarStore.h"

namespace zyn {

TzbStoredSideItem::TzbStoredSideItem(TzbSideBarStore& store) : store_(&store) {}

TzbStoredSideItem::~TzbStoredSideItem() = default;

void TzbStoredSideItem::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  Changed();
}

void TzbStoredSideItem::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Changed();
}

void TzbStoredSideItem::SetHint(const std::string& value) {
  if (hint_ == value) return;
  hint_ = value;
  Changed();
}

void TzbStoredSideItem::SetLargeImage(int value) {
  if (largeImage_ == value) return;
  largeImage_ = value;
  Changed();
}

void TzbStoredSideItem::SetSmallImage(int value) {
  if (smallImage_ == value) return;
  smallImage_ = value;
  Changed();
}

void TzbStoredSideItem::SetCategory(int value) {
  if (store_->IsLoading() || (value >= 0 && value < store_->Categories().Count())) category_ = value;
}

bool TzbStoredSideItem::Click(TzbSideBar& sideBar, TzbSideBarItem& item) {
  if (!OnClick) return false;
  OnClick(sideBar, item);
  return true;
}

void TzbStoredSideItem::Changed() { store_->ItemChanged(); }

}  // namespace zyn
