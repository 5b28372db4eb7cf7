#include "widgets/bars/BarQuickItems.h"

#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarWindow.h"

#include <cstring>

namespace zyn {

// ---------------------------------------------------------------- items

TzbBarQuickCustItem::TzbBarQuickCustItem(TzbBarManager& manager, TzbBarItemLinks& ownerLinks)
    : TzbBarButton(manager), fOwnerLinks(&ownerLinks) {
  CloseSubMenuOnClick = false;
}

TzbBarItemLink* TzbBarQuickCustItem::OwnerLink(const TzbBarItemLink& entry) const {
  auto* link = reinterpret_cast<TzbBarItemLink*>(entry.Data);
  return link && fOwnerLinks->IndexOf(link) >= 0 ? link : nullptr;
}

void TzbBarQuickCustItem::DoClick() {
  TzbBarItemLink* entry = ClickItemLink;
  TzbBarItemLink* owner = entry ? OwnerLink(*entry) : nullptr;
  if (!owner) return;
  owner->SetVisible(!owner->Visible());
  if (TzbBarItemControl* c = entry->Control()) c->Parent().RepaintControl(*c);
}

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

// ---------------------------------------------------------------- controls

int TzbBarQuickCustExtButtonControl::CheckColumnWidth() const { return GetHeight(); }

int TzbBarQuickCustExtButtonControl::GetWidth() const { return TzbBarButtonControl::GetWidth() + CheckColumnWidth(); }

void TzbBarQuickCustExtButtonControl::Paint(const TRect& rect, int view) {
  if (rect.Left == rect.Right) return;
  TzbBarWindow& w = Parent();
  TCanvas& dc = w.Canvas();
  const TzbBarItemControlPainter& p = w.Manager().PainterClass();
  const bool selected = IsDrawnSelected();
  TRect cell = Rect(rect.Left, rect.Top, rect.Left + CheckColumnWidth(), rect.Bottom);
  TzbBarItemControlPainter::FillWith(dc, cell, w.CurrentBrush());
  int cellRight = cell.Right;
  p.DrawQuickCheckCell(*this, dc, selected, cellRight, cell);
  if (Checked()) {
    const int scale = w.FontPointSize() < 16 ? 1 : 2;
    const int signWidth = 9 * scale, signHeight = 7 * scale;
    p.DrawCheckSign(*this, dc, scale, cell.Left + (cell.Width() - signWidth) / 2,
                    cell.Top + (cell.Height() - signHeight) / 2);
  }
  TzbBarButtonControl::Paint(Rect(cellRight, rect.Top, rect.Right, rect.Bottom), view);
  p.DrawQuickItemFrame(*this, dc, selected, Rect(rect.Left, rect.Top, cellRight, rect.Bottom), rect);
}

TzbBarItemLink* TzbBarQuickCustItemControl::OwnerLink() const {
  const auto* item = dynamic_cast<const TzbBarQuickCustItem*>(&Item());
  return item ? item->OwnerLink(Link()) : nullptr;
}

bool TzbBarQuickCustItemControl::Checked() const {
  const TzbBarItemLink* owner = OwnerLink();
  return owner && owner->Visible();
}

TShortCut TzbBarQuickCustItemControl::ShownShortCut() const {
  const TzbBarItemLink* owner = OwnerLink();
  return owner && owner->Item() ? owner->Item()->ShortCut() : 0;
}

}  // namespace zyn
