#include "widgets/bars/SideBarStoredItem.h"

#include "widgets/bars/SideBarStore.h"

namespace zyn {

TzbStoredSideItem::TzbStoredSideItem(TzbSideBarStore& store) : fStore(&store) {}

TzbStoredSideItem::~TzbStoredSideItem() = default;

void TzbStoredSideItem::SetCaption(const std::string& value) {
  if (fCaption == value) return;
  fCaption = value;
  Changed();
}

void TzbStoredSideItem::SetEnabled(bool value) {
  if (fEnabled == value) return;
  fEnabled = value;
  Changed();
}

void TzbStoredSideItem::SetHint(const std::string& value) {
  if (fHint == value) return;
  fHint = value;
  Changed();
}

void TzbStoredSideItem::SetLargeImage(int value) {
  if (fLargeImage == value) return;
  fLargeImage = value;
  Changed();
}

void TzbStoredSideItem::SetSmallImage(int value) {
  if (fSmallImage == value) return;
  fSmallImage = value;
  Changed();
}

void TzbStoredSideItem::SetCategory(int value) {
  if (fStore->IsLoading() || (value >= 0 && value < fStore->Categories().Count())) fCategory = value;
}

bool TzbStoredSideItem::Click(TzbSideBar& sideBar, TzbSideBarItem& item) {
  if (!OnClick) return false;
  OnClick(sideBar, item);
  return true;
}

void TzbStoredSideItem::Changed() { fStore->ItemChanged(); }

}  // namespace zyn
