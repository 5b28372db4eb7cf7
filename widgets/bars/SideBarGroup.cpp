#include "widgets/bars/SideBarGroup.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItems.h"

namespace zyn {

TzbSideGroup::TzbSideGroup(TzbSideGroups& collection)
    : collection_(&collection), items_(std::make_unique<TzbSideBarItems>(*this)) {}

TzbSideGroup::~TzbSideGroup() {
  destroying_ = true;
  items_.reset();
}

TzbSideBar& TzbSideGroup::SideBar() const { return collection_->SideBar(); }

int TzbSideGroup::Index() const { return collection_->IndexOf(this); }

void TzbSideGroup::SetIndex(int value) { collection_->Move(Index(), value); }

bool TzbSideGroup::IsActive() const { return SideBar().ActiveGroup() == this; }

void TzbSideGroup::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  TzbSideBar& bar = SideBar();
  if (assigning_ || bar.IsLoading() || bar.IsDestroying()) return;
  bar.GroupCaptionChanged(*this);
}

void TzbSideGroup::SetIconType(TzbSideGroupIconType value) {
  if (iconType_ == value) return;
  iconType_ = value;
  topVisibleItem_ = 0;
  if (assigning_ || SideBar().IsLoading()) return;
  if (IsActive()) SideBar().LayoutChanged();
}

void TzbSideGroup::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  if (!SideBar().IsLoading()) SideBar().LayoutChanged();
}

void TzbSideGroup::SetItems(const TzbSideBarItems& value) {
  topVisibleItem_ = 0;
  items_->Assign(value);
}

void TzbSideGroup::SetTopVisibleItem(int value) {
  if (value == topVisibleItem_ || value < 0 || value >= items_->Count()) return;
  topVisibleItem_ = value;
  if (!SideBar().IsLoading() && IsActive()) SideBar().LayoutChanged();
}

void TzbSideGroup::Assign(const TzbSideGroup& source) {
  if (&source == this) return;
  assigning_ = true;
  SetCaption(source.caption_);
  SetIconType(source.iconType_);
  SetVisible(source.visible_);
  SetItems(*source.items_);
  assigning_ = false;
}

}  // namespace zyn
