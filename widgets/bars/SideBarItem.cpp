#include "widgets/bars/SideBarItem.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarStore.h"
#include "widgets/bars/SideBarStoredItem.h"
#include "widgets/bars/SideBarViewInfo.h"

namespace zyn {

TzbSideBarItem::TzbSideBarItem(TzbSideBarItems& collection) : collection_(&collection) {}

TzbSideBarItem::~TzbSideBarItem() = default;

TzbSideGroup& TzbSideBarItem::Group() const { return collection_->Group(); }

TzbSideBar& TzbSideBarItem::SideBar() const { return collection_->SideBar(); }

int TzbSideBarItem::Index() const { return collection_->IndexOf(this); }

void TzbSideBarItem::SetIndex(int value) { collection_->Move(Index(), value); }

std::string TzbSideBarItem::Caption() const { return FollowsStored() ? storedItem_->Caption() : caption_; }

void TzbSideBarItem::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  if (storedItem_ && storedItem_->Caption() != value) isDefault_ = false;
  RelayoutWhenLaidOut();
}

std::string TzbSideBarItem::Hint() const { return FollowsStored() ? storedItem_->Hint() : hint_; }

void TzbSideBarItem::SetHint(const std::string& value) {
  if (hint_ == value) return;
  hint_ = value;
  if (storedItem_ && storedItem_->Hint() != value) isDefault_ = false;
}

int TzbSideBarItem::LargeImage() const { return FollowsStored() ? storedItem_->LargeImage() : largeImage_; }

void TzbSideBarItem::SetLargeImage(int value) {
  if (largeImage_ == value) return;
  largeImage_ = value;
  if (storedItem_ && storedItem_->LargeImage() != value) isDefault_ = false;
  if (Group().IsActive()) SideBar().Repaint();
}

int TzbSideBarItem::SmallImage() const { return FollowsStored() ? storedItem_->SmallImage() : smallImage_; }

void TzbSideBarItem::SetSmallImage(int value) {
  if (smallImage_ == value) return;
  smallImage_ = value;
  if (storedItem_ && storedItem_->SmallImage() != value) isDefault_ = false;
  if (Group().IsActive()) SideBar().Repaint();
}

bool TzbSideBarItem::GetEnabled() const { return FollowsStored() ? storedItem_->Enabled() : enabled_; }

void TzbSideBarItem::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  if (storedItem_ && storedItem_->Enabled() != value) isDefault_ = false;
  if (SideBar().IsItemLaidOut(this)) SideBar().Repaint();
}

void TzbSideBarItem::SetIsDefault(bool value) {
  isDefault_ = value;
  if (!value || !storedItem_) return;
  TzbStoredSideItem* s = storedItem_;
  SetCaption(s->Caption());
  SetHint(s->Hint());
  SetEnabled(s->Enabled());
  SetLargeImage(s->LargeImage());
  SetSmallImage(s->SmallImage());
  isDefault_ = true;
}

void TzbSideBarItem::SetStoredItem(TzbStoredSideItem* value) {
  if (storedItem_ == value) return;
  storedItem_ = value;
  if (!value || SideBar().IsLoading()) return;
  caption_ = value->Caption();
  smallImage_ = value->SmallImage();
  largeImage_ = value->LargeImage();
  Tag = value->Tag;
  isDefault_ = true;
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
  storedItem_ = source.storedItem_;
  hint_ = source.Hint();
  isDefault_ = source.isDefault_;
  caption_ = source.Caption();
  Tag = source.Tag;
  CustomData = source.CustomData;
  largeImage_ = source.LargeImage();
  smallImage_ = source.SmallImage();
  enabled_ = source.GetEnabled();
}

void TzbSideBarItem::RelayoutWhenLaidOut() {
  if (SideBar().IsItemLaidOut(this)) SideBar().LayoutChanged();
}

}  // namespace zyn
