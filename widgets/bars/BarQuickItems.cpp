#include "widgets/bars/BarQuickItems.h"

#include "widgets/bars/BarItemLinks.h"

#include <cstring>

namespace zyn {

TzbBarQuickCustItem::TzbBarQuickCustItem(TzbBarManager& manager, TzbBarItemLinks& ownerLinks, int ownerIndex)
    : TzbBarButton(manager), fOwnerLinks(&ownerLinks), fOwnerIndex(ownerIndex) {
  SetButtonStyle(bsChecked);
  CloseSubMenuOnClick = false;
  if (TzbBarItemLink* link = OwnerLink()) {
    SetCaption(link->RealCaption());
    SetGlyph(link->RealGlyph());
    if (link->Item()) SetHint(link->Item()->Hint());
    SetDown(link->Visible());
  }
  OnClick = [this](TzbBarItem&) {
    if (TzbBarItemLink* l = OwnerLink()) {
      l->SetVisible(!l->Visible());
      SetDown(l->Visible());
    }
  };
}

TzbBarItemLink* TzbBarQuickCustItem::OwnerLink() const { return fOwnerLinks->Items(fOwnerIndex); }

bool TzbBarQuickCustItem::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarButton::InheritsFrom(c); }

bool TzbBarQuickCustExtButton::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarButton::InheritsFrom(c);
}

TzbBarQuickSubItem::TzbBarQuickSubItem(TzbBarManager& manager) : TzbBarSubItem(manager) {
  KeepLinksFixed = true;
  OnPopup = [this](TzbBarItem&) {
    if (OnFill) OnFill(*this);
  };
}

bool TzbBarQuickSubItem::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarSubItem::InheritsFrom(c); }

}  // namespace zyn
