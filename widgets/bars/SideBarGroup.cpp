#include "widgets/bars/SideBarGroup.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItems.h"

namespace zyn {

TzbSideGroup::TzbSideGroup(TzbSideGroups& collection)
    : fCollection(&collection), fItems(std::make_unique<TzbSideBarItems>(*this)) {}

TzbSideGroup::~TzbSideGroup() {
  fDestroying = true;
  fItems.reset();
}

TzbSideBar& TzbSideGroup::SideBar() const { return fCollection->SideBar(); }

int TzbSideGroup::Index() const { return fCollection->IndexOf(this); }

void TzbSideGroup::SetIndex(int value) { fCollection->Move(Index(), value); }

bool TzbSideGroup::IsActive() const { return SideBar().ActiveGroup() == this; }

void TzbSideGroup::SetCaption(const std::string& value) {
  if (fCaption == value) return;
  fCaption = value;
  TzbSideBar& bar = SideBar();
  if (fAssigning || bar.IsLoading() || bar.IsDestroying()) return;
  bar.GroupCaptionChanged(*this);
}

void TzbSideGroup::SetIconType(TzbSideGroupIconType value) {
  if (fIconType == value) return;
  fIconType = value;
  fTopVisibleItem = 0;
  if (fAssigning || SideBar().IsLoading()) return;
  if (IsActive()) SideBar().LayoutChanged();
}

void TzbSideGroup::SetVisible(bool value) {
  if (fVisible == value) return;
  fVisible = value;
  if (!SideBar().IsLoading()) SideBar().LayoutChanged();
}

void TzbSideGroup::SetItems(const TzbSideBarItems& value) {
  fTopVisibleItem = 0;
  fItems->Assign(value);
}

void TzbSideGroup::SetTopVisibleItem(int value) {
  if (value == fTopVisibleItem || value < 0 || value >= fItems->Count()) return;
  fTopVisibleItem = value;
  if (!SideBar().IsLoading() && IsActive()) SideBar().LayoutChanged();
}

void TzbSideGroup::Assign(const TzbSideGroup& source) {
  if (&source == this) return;
  fAssigning = true;
  SetCaption(source.fCaption);
  SetIconType(source.fIconType);
  SetVisible(source.fVisible);
  SetItems(*source.fItems);
  fAssigning = false;
}

}  // namespace zyn
