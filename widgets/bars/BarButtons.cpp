#include "widgets/bars/BarButtons.h"

#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarWindow.h"

#include <cstring>

namespace zyn {

bool GzbBarResetting = false;

// ---------------------------------------------------------------- TzbBarButton

bool TzbBarButton::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarItem::InheritsFrom(c); }

void TzbBarButton::SetAllowAllUp(bool value) {
  if (value == fAllowAllUp) return;
  fAllowAllUp = value;
  if (fGroupIndex == 0) return;
  for (int i = 0; i < fManager->GetItemCount(); ++i) {
    TzbBarItem* item = fManager->GetItem(i);
    if (!item->InheritsFrom(kClassName)) continue;
    auto* b = static_cast<TzbBarButton*>(item);
    if (b->fGroupIndex == fGroupIndex) b->fAllowAllUp = value;
  }
}

void TzbBarButton::SetButtonStyle(TzbBarButtonStyle value) {
  if (value == fButtonStyle) return;
  fButtonStyle = value;
  SetDown(false);
  if (!fLoading) TellControls(TzbControlChange::ButtonStyle);
  NotifyDesigner();
}

void TzbBarButton::SetGroupIndex(int value) {
  if (value == fGroupIndex) return;
  fGroupIndex = fButtonStyle == bsChecked ? value : 0;
  SetDown(false);
}

void TzbBarButton::SetDown(bool value) {
  if (value == fDown || (value && fButtonStyle != bsChecked)) return;
  TzbBarButton* release = nullptr;
  if (!fLoading && fButtonStyle == bsChecked && fGroupIndex != 0) {
    bool otherDown = false;
    for (int i = 0; i < fManager->GetItemCount(); ++i) {
      TzbBarItem* item = fManager->GetItem(i);
      if (item == this || !item->InheritsFrom(kClassName)) continue;
      auto* b = static_cast<TzbBarButton*>(item);
      if (b->fButtonStyle != bsChecked || b->fGroupIndex != fGroupIndex || !b->fDown) continue;
      if (value && !release) release = b;
      otherDown = true;
    }
    if (!value && !fAllowAllUp && !otherDown) return;
  }
  fDown = value;
  if (fLoading) return;
  TellControls(TzbControlChange::Down);
  if (release) release->SetDown(false);
}

void TzbBarButton::SetDropDownEnabled(bool value) {
  if (value == fDropDownEnabled) return;
  fDropDownEnabled = value;
  if (!fLoading) TellControls(TzbControlChange::DropDownEnabled);
}

void TzbBarButton::SetLowered(bool value) {
  if (value == fLowered) return;
  fLowered = value;
  if (!fLoading) LayoutChanged();
}

void TzbBarButton::SetPaintStyle(TzbBarPaintStyle value) {
  if (value == fPaintStyle) return;
  fPaintStyle = value;
  if (fLoading) return;
  for (TzbBarItemLink* link : fLinks)
    if (link->Control() && !(link->UserDefine() & UserDefineBit(udPaintStyle)))
      link->Control()->Changed(TzbControlChange::PaintStyle);
}

void TzbBarButton::DirectClick() {
  if (GetEnabled() && fButtonStyle == bsChecked) SetDown(!fDown);
  TzbBarItem::DirectClick();
}

bool TzbBarButton::CanUseAccel(const TzbBarItemLink& link) const {
  if (!GetEnabled()) return false;
  if (link.Collection().OwnerKind() != TzbBarItemLinks::okBar) return true;
  const TzbBarPaintStyle ps = link.RealPaintStyle();
  return ps == psCaption || ps == psCaptionGlyph;
}

bool TzbBarButton::CanBePlacedIn(const TzbBarItemLinks& links) const {
  if (!DropDownMenu) return true;
  const TzbBarItem* owner = links.OwnerItem();
  return !(owner && DropDownMenu->ContainsItem(*owner));
}

bool TzbBarButton::ContainsItem(const TzbBarItem& item) const {
  return DropDownMenu && DropDownMenu->ContainsItem(item);
}

// ---------------------------------------------------------------- sub-items

TCustomzbBarSubItem::TCustomzbBarSubItem(TzbBarManager& manager)
    : TzbBarItem(manager),
      fLinks(std::make_unique<TzbBarItemLinks>(manager, TzbBarItemLinks::okSubItem, nullptr, this)) {}

TCustomzbBarSubItem::~TCustomzbBarSubItem() {
  if (fDetachingBar) fDetachingBar->RemoveDetachingSubItem(this);
}

bool TCustomzbBarSubItem::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarItem::InheritsFrom(c); }
bool TzbBarSubItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TCustomzbBarSubItem::InheritsFrom(c);
}

void TCustomzbBarSubItem::BarManagerChanged() { fLinks->SetManager(*fManager); }

int TCustomzbBarSubItem::DetachingBar() const { return fDetachingBar ? fDetachingBar->Index() : -1; }

void TCustomzbBarSubItem::SetDetachingBar(int index) {
  TzbBars& bars = fManager->Bars();
  if (index < -1 || index >= bars.Count()) index = -1;
  if (index == DetachingBar()) return;
  if (fDetachingBar) fDetachingBar->RemoveDetachingSubItem(this);
  fDetachingBar = index < 0 ? nullptr : bars.Items(index);
  if (fDetachingBar) fDetachingBar->AddDetachingSubItem(this);
}

void TCustomzbBarSubItem::BarNotification(TzbBar& bar) {
  if (&bar == fDetachingBar) fDetachingBar = nullptr;
}

void TCustomzbBarSubItem::SetShowCaption(bool value) {
  if (value == fShowCaption) return;
  fShowCaption = value;
  if (!fLoading) LayoutChanged();
}

bool TCustomzbBarSubItem::CanBePlacedIn(const TzbBarItemLinks& links) const {
  const TzbBarItem* owner = links.OwnerItem();
  if (!owner) return true;
  return owner != this && !fLinks->ContainsItem(*owner);
}

bool TCustomzbBarSubItem::ContainsItem(const TzbBarItem& item) const { return fLinks->ContainsItem(item); }

// ---------------------------------------------------------------- containers

TCustomzbBarContainerItem::~TCustomzbBarContainerItem() = default;

bool TCustomzbBarContainerItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TCustomzbBarSubItem::InheritsFrom(c);
}
bool TzbBarContainerItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TCustomzbBarContainerItem::InheritsFrom(c);
}

void TCustomzbBarContainerItem::AddListedItemLinks(TzbBarItemLinks&, int, TzbBarItemLink*, bool fireEvent) {
  if (NeedsClear) ClearItemsData();
  if (fireEvent && OnGetData) {
    fGettingData = true;
    try {
      OnGetData(*this);
    } catch (...) {
      // the menu is built with whatever the handler left
    }
    fGettingData = false;
  }
}

void TCustomzbBarContainerItem::OwnLinksChanged() {
  if (fGettingData || GzbBarResetting || fLoading || fManager->IsLoading()) return;
  VisibleChanged();
}

void TzbBarContainerItem::AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink,
                                             bool fireEvent) {
  TCustomzbBarContainerItem::AddListedItemLinks(target, index, sourceLink, fireEvent);
  if (&target == &ItemLinks()) return;
  for (int i = 0; i < ItemLinks().Count(); ++i) {
    TzbBarItemLink* own = ItemLinks().Items(i);
    TzbBarItemLink* link = target.Insert(index + i);
    link->SourceLink = sourceLink;
    link->Assign(*own);
    if (i == 0 && HasFixedBeginGroup()) link->SetStoredBeginGroup(true);
  }
  target.RefreshLists();  // the last link got its item after the collection's last update
}

void TzbBarContainerItem::DeleteListedItemLinks(TzbBarItemLinks& target, int index) {
  if (&target == &ItemLinks()) return;
  for (int i = 0; i < ItemLinks().Count(); ++i)
    if (TzbBarItemLink* l = target.Items(index)) target.Delete(l);
}

bool TzbBarContainerItem::HasVisibleLinks() const {
  for (int i = 0; i < ItemLinks().Count(); ++i) {
    TzbBarItem* item = ItemLinks().Items(i)->Item();
    if (item && item->ActualVisible()) return true;
  }
  return false;
}

bool TzbBarContainerItem::CanBeVisible() const { return static_cast<bool>(OnGetData) || HasVisibleLinks(); }

// ---------------------------------------------------------------- helpers

TzbBarPaintStyle ItemPaintStyle(const TzbBarItem& item) {
  if (item.InheritsFrom(TzbBarButton::kClassName)) return static_cast<const TzbBarButton&>(item).PaintStyle();
  return psStandard;
}

int ItemWidth(const TzbBarItem& item) {
  if (item.InheritsFrom(TzbBarEdit::kClassName)) return static_cast<const TzbBarEdit&>(item).Width();
  return 0;
}

TzbBarItemLinks* SubItemLinksOf(TzbBarItem& item) {
  if (item.InheritsFrom(TCustomzbBarSubItem::kClassName)) return &static_cast<TCustomzbBarSubItem&>(item).ItemLinks();
  return nullptr;
}

void ContainerLinksChanged(TzbBarItem& item) {
  if (item.InheritsFrom(TzbBarContainerItem::kClassName)) static_cast<TzbBarContainerItem&>(item).OwnLinksChanged();
}

}  // namespace zyn
