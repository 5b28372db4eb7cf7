#include "widgets/bars/SideBarItem.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarStore.h"
#include "widgets/bars/SideBarStoredItem.h"
#include "widgets/bars/SideBarViewInfo.h"

namespace zyn {

TzbSideBarItem::TzbSideBarItem(TzbSideBarItems& collection) : fCollection(&collection) {}

TzbSideBarItem::~TzbSideBarItem() = default;

TzbSideGroup& TzbSideBarItem::Group() const { return fCollection->Group(); }

TzbSideBar& TzbSideBarItem::SideBar() const { return fCollection->SideBar(); }

int TzbSideBarItem::Index() const { return fCollection->IndexOf(this); }

void TzbSideBarItem::SetIndex(int value) { fCollection->Move(Index(), value); }

std::string TzbSideBarItem::Caption() const { return FollowsStored() ? fStoredItem->Caption() : fCaption; }

void TzbSideBarItem::SetCaption(const std::string& value) {
  if (fCaption == value) return;
  fCaption = value;
  if (fStoredItem && fStoredItem->Caption() != value) fIsDefault = false;
  RelayoutWhenLaidOut();
}

std::string TzbSideBarItem::Hint() const { return FollowsStored() ? fStoredItem->Hint() : fHint; }

void TzbSideBarItem::SetHint(const std::string& value) {
  if (fHint == value) return;
  fHint = value;
  if (fStoredItem && fStoredItem->Hint() != value) fIsDefault = false;
}

int TzbSideBarItem::LargeImage() const { return FollowsStored() ? fStoredItem->LargeImage() : fLargeImage; }

void TzbSideBarItem::SetLargeImage(int value) {
  if (fLargeImage == value) return;
  fLargeImage = value;
  if (fStoredItem && fStoredItem->LargeImage() != value) fIsDefault = false;
  if (Group().IsActive()) SideBar().Repaint();
}

int TzbSideBarItem::SmallImage() const { return FollowsStored() ? fStoredItem->SmallImage() : fSmallImage; }

void TzbSideBarItem::SetSmallImage(int value) {
  if (fSmallImage == value) return;
  fSmallImage = value;
  if (fStoredItem && fStoredItem->SmallImage() != value) fIsDefault = false;
  if (Group().IsActive()) SideBar().Repaint();
}

bool TzbSideBarItem::GetEnabled() const { return FollowsStored() ? fStoredItem->Enabled() : fEnabled; }

void TzbSideBarItem::SetEnabled(bool value) {
  if (fEnabled == value) return;
  fEnabled = value;
  if (fStoredItem && fStoredItem->Enabled() != value) fIsDefault = false;
  if (SideBar().IsItemLaidOut(this)) SideBar().Repaint();
}

void TzbSideBarItem::SetIsDefault(bool value) {
  fIsDefault = value;
  if (!value || !fStoredItem) return;
  TzbStoredSideItem* s = fStoredItem;
  SetCaption(s->Caption());
  SetHint(s->Hint());
  SetEnabled(s->Enabled());
  SetLargeImage(s->LargeImage());
  SetSmallImage(s->SmallImage());
  fIsDefault = true;
}

void TzbSideBarItem::SetStoredItem(TzbStoredSideItem* value) {
  if (fStoredItem == value) return;
  fStoredItem = value;
  if (!value || SideBar().IsLoading()) return;
  fCaption = value->Caption();
  fSmallImage = value->SmallImage();
  fLargeImage = value->LargeImage();
  Tag = value->Tag;
  fIsDefault = true;
  SideBar().LayoutChanged();
}

bool TzbSideBarItem::IsFullyVisible() const {
  const TzbSideItemViewInfo* info = SideBar().ViewInfo().FindItem(this);
  return info && SideBar().ViewInfo().IsFullyVisible(*info);
}

bool TzbSideBarItem::MakeVisible() {
  TzbSideBar& bar = SideBar();
  TzbSideGroup& group = Group();
  const bool active = bar.ActiveGroup() == &group;
  const bool result = active && IsFullyVisible();
  if (result || !active) return result;
  TzbSideBarViewInfo& vi = bar.ViewInfo();
  const int index = Index();
  int top = group.TopVisibleItem();
  if (vi.Items().empty()) {
    top = 0;
  } else if (index < vi.Items().front()->Item->Index()) {
    top = index;
  } else {
    const int last = group.Items().Count() - 1;
    const int saved = group.TopVisibleItem();
    while (top < last) {
      ++top;
      group.SetTopVisibleItemDirect(top);
      vi.Calculate();
      if (IsFullyVisible()) break;
    }
    group.SetTopVisibleItemDirect(saved);
    vi.Calculate();
  }
  group.SetTopVisibleItem(top);
  return result;
}

void TzbSideBarItem::Assign(const TzbSideBarItem& source) {
  fStoredItem = source.fStoredItem;
  fHint = source.Hint();
  fIsDefault = source.fIsDefault;
  fCaption = source.Caption();
  Tag = source.Tag;
  CustomData = source.CustomData;
  fLargeImage = source.LargeImage();
  fSmallImage = source.SmallImage();
  fEnabled = source.GetEnabled();
}

void TzbSideBarItem::RelayoutWhenLaidOut() {
  if (SideBar().IsItemLaidOut(this)) SideBar().LayoutChanged();
}

}  // namespace zyn
