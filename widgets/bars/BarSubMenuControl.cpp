#include "widgets/bars/BarSubMenuControl.h"

#include "platform/PopupWindows.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarUtils.h"

#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace zyn {

TzbBarSubMenuControl::TzbBarSubMenuControl(TzbBarManager& manager, TzbBarItemLinks& links)
    : TCustomzbBarControl(manager, links) {
  QWidget* w = CreateBarWidget(*this, nullptr);
  MakeNonActivatingPopup(w);
  w->resize(50, 30);
  SetWidget(w);
  CalcMetrics();
}

TzbBarSubMenuControl::~TzbBarSubMenuControl() {
  fClosing = true;
  FinishAnimation(false);  // closing during the animation skips the final placement
  delete fScrollTimer;
  delete fExpandTimer;
  DestroyItemControls();
  CollapseContainers();
  if (TzbBarItemControl* pending = TzbBarSubItemControl::PendingControl())
    for (TzbBarItemLink* link : fLinks->ShownLinks())
      if (link->Control() == pending) TzbBarSubItemControl::CancelPending();
  CloseChildMenu();
  fSelected = nullptr;
  TCustomzbBarControl::SetActive(false);
  if (ParentBar && IsAlive(ParentBar)) {
    if (ParentBar->ChildMenu == this) ParentBar->ChildMenu = nullptr;
    if (OwnerControl) {
      OwnerControl->Active = false;
      if (auto* b = dynamic_cast<TzbBarButtonControl*>(OwnerControl)) b->CloseDropDown();
      ParentBar->Invalidate();
    }
  }
  if (OnCloseUp) OnCloseUp();
}

void TzbBarSubMenuControl::Close() {
  if (fClosing) return;
  if (OwnerControl) {
    OwnerControl->ControlInactivate(true);
    return;
  }
  fLinks->DestroyBarControl();
}

void TzbBarSubMenuControl::CalcMetrics() {
  TCustomzbBarControl::CalcMetrics();
  int lh = fLineHeight;
  fManager->PainterClass().CalcMenuMetrics(*this, lh, fDropArrowWidth, fExpandHeight, fGlyphReference);
}

TBrush TzbBarSubMenuControl::GetBackgroundBrush() const { return fManager->PainterClass().GetMenuFrameBrush(*this); }

TBrush TzbBarSubMenuControl::ItemBrush() const {
  return fManager->PainterClass().GetMenuItemBrush(*this, GetBackgroundBrush());
}

bool TzbBarSubMenuControl::IsPopupChain() const {
  if (OwnerWidth || OwnerHeight) return false;
  if (auto* parent = dynamic_cast<const TzbBarSubMenuControl*>(ParentBar)) return parent->IsPopupChain();
  return ParentBar == nullptr;
}

// ---------------------------------------------------------------- container items

void TzbBarSubMenuControl::ExpandContainers() {
  if (fManager->IsCustomizing() || !fExpanded.empty()) return;
  fExpanding = true;
  std::vector<const TzbBarItem*> seen;
  for (int i = 0; i < fLinks->Count(); ++i) {
    TzbBarItemLink* link = fLinks->Items(i);
    TzbBarItem* item = link->Item();
    if (!item || !item->InheritsFrom(TCustomzbBarContainerItem::kClassName) || !link->Visible() ||
        !item->ActualVisible())
      continue;
    auto* container = static_cast<TCustomzbBarContainerItem*>(item);
    const bool first = std::find(seen.begin(), seen.end(), item) == seen.end();
    seen.push_back(item);
    const int before = fLinks->Count();
    container->AddListedItemLinks(*fLinks, i + 1, link, first);
    fExpanded.push_back({link, i});
    i += fLinks->Count() - before;
  }
  fExpanding = false;
}

void TzbBarSubMenuControl::CollapseContainers() {
  if (fExpanded.empty()) return;
  fExpanding = true;
  const std::vector<TExpanded> expanded = fExpanded;
  fExpanded.clear();
  for (auto it = expanded.rbegin(); it != expanded.rend(); ++it) {
    TzbBarItemLink* link = it->Link;
    if (fLinks->IndexOf(link) != it->Index || !link->Item()) continue;
    static_cast<TCustomzbBarContainerItem*>(link->Item())->DeleteListedItemLinks(*fLinks, it->Index + 1);
  }
  for (const TExpanded& e : expanded)
    if (fLinks->IndexOf(e.Link) >= 0 && e.Link->Item())
      static_cast<TCustomzbBarContainerItem*>(e.Link->Item())->NeedsClear = true;
  fExpanding = false;
}

bool TzbBarSubMenuControl::IsExpandedContainer(const TzbBarItemLink* link) const {
  // A container without a fixed group start (the in-place sub-item) keeps its own entry above
  // its listed links.
  for (const TExpanded& e : fExpanded)
    if (e.Link == link)
      return !link->Item() || static_cast<const TCustomzbBarContainerItem*>(link->Item())->HasFixedBeginGroup();
  return false;
}

void TzbBarSubMenuControl::PostRecalculate() {
  if (fExpanding || fClosing) return;
  TCustomzbBarControl::PostRecalculate();
}

// ---------------------------------------------------------------- layout and placement

void TzbBarSubMenuControl::CalcItemRects(bool measuring, int* width, int* height) {
  fLinks->ClearItemRects();
  CreateItemControls();
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  TRect start;
  int bottomLimit = 0;
  p.GetMenuItemsRect(*this, measuring, start, bottomLimit);
  const auto& shown = fLinks->ShownLinks();
  int top = start.Top, widest = 0;
  bool first = true;
  for (std::size_t i = static_cast<std::size_t>(std::max(0, fTopIndex)); i < shown.size(); ++i) {
    TzbBarItemLink* link = shown[i];
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    if (IsExpandedContainer(link)) continue;  // its entries stand in its place
    if (link->GetBeginGroup() && !first) top += p.GetMenuSeparatorHeight();
    const int h = c->GetHeight();
    if (!measuring && top + h > bottomLimit) break;
    link->ItemRect = Rect(start.Left, top, start.Right, top + h);
    c->NonRecent = RecentMode() && MenusExpanded() && fRecentCount >= 0 && link->RecentIndex() >= fRecentCount;
    widest = std::max(widest, c->GetWidth());
    top += h;
    first = false;
  }
  if (!measuring) {
    // The arrows take the places of the first and the last entry laid out.
    std::vector<TzbBarItemLink*> laid;
    for (std::size_t i = static_cast<std::size_t>(std::max(0, fTopIndex)); i < shown.size(); ++i)
      if (!IsRectEmpty(shown[i]->ItemRect)) laid.push_back(shown[i]);
    std::size_t remaining = 0;
    for (std::size_t i = static_cast<std::size_t>(std::max(0, fTopIndex)); i < shown.size(); ++i)
      if (!IsExpandedContainer(shown[i])) ++remaining;
    fUpShown = fTopIndex > 0 && !laid.empty();
    fDownShown = laid.size() < remaining && !laid.empty();
    fUpRect = fDownRect = TRect{};
    if (fUpShown) {
      fUpRect = laid.front()->ItemRect;
      laid.front()->ItemRect = TRect{};
    }
    if (fDownShown && laid.size() > (fUpShown ? 1u : 0u)) {
      fDownRect = laid.back()->ItemRect;
      fDownRect.Bottom = ClientRect().Height() - 2;
      laid.back()->ItemRect = TRect{};
    } else {
      fDownShown = false;
    }
  }
  if (width && height) {
    // The painter answers the client size; the frame lies around it.
    p.CalcMenuSize(*this, widest, top - start.Top, *width, *height);
    *height -= TearOffBandHeight();  // the painter counts the band, which lies in the frame here
    const TRect in = ClientInsets();
    *width += in.Left + in.Right;
    *height += in.Top + in.Bottom;
  }
}

void TzbBarSubMenuControl::Place() {
  int w = 0, h = 0;
  CalcItemRects(true, &w, &h);
  int left = AlignRight ? fRequested.X - w : fRequested.X, top = fRequested.Y;
  const TRect a = MonitorWorkArea(fRequested);
  fFlippedLeft = fFlippedUp = false;
  if (a.Right < left + w) {
    if (!OwnerWidth) {
      left = a.Right - w;
    } else if (a.Right - left < left - OwnerWidth - a.Left) {
      left = left - OwnerWidth - w;
      fFlippedLeft = true;
    }
  }
  if (left < a.Left) {
    if (!OwnerWidth)
      left = a.Left;
    else if (!OpensToTheRight && a.Right - (left + w + OwnerWidth) > a.Left - left) {
      left = left + w + OwnerWidth;
      fFlippedLeft = true;
    }
  }
  left = std::max(a.Left, std::min(left, a.Right - w));
  if (a.Bottom < top + h) {
    if (OwnerHeight) {
      if (a.Bottom - top < top - OwnerHeight - a.Top) {
        top = top - OwnerHeight - h;
        fFlippedUp = true;
      } else {
        h = a.Bottom - top;
      }
    } else if (OwnerWidth || top - h < a.Top) {
      top = a.Bottom - h;
    } else {
      top -= h;
      fFlippedUp = true;
    }
  }
  if (top < a.Top) {
    if (fFlippedUp) h -= a.Top - top;
    top = a.Top;
    h = std::min(h, a.Bottom - top);
  }
  fWidget->setGeometry(left, top, w, h);
  CalcItemRects(false);
}

void TzbBarSubMenuControl::ShowAt(const TPoint& position, int ownerWidth, int ownerHeight) {
  if (!fWidget) return;
  OwnerWidth = ownerWidth;
  OwnerHeight = ownerHeight;
  fRequested = position;
  if (OnPopup) {
    OnPopup();
    if (!IsAlive(this)) return;
  }
  SetActive(true);
  DestroyItemControls();
  ExpandContainers();
  CreateItemControls();
  fRecentCount = RecentMode() ? fLinks->CalcRecentCount() : -1;
  fLinks->SetRecentLimit(RecentMode() && !MenusExpanded() ? fRecentCount : -1);
  CreateItemControls();
  fTopIndex = 0;
  Place();
  Invalidate();
  const TzbBarMenuAnimations animation = ChooseAnimation();
  if ((animation == maUnfold || animation == maSlide) && AnimationAllowed && !fLinks->VisibleLinks().empty() &&
      !fManager->IsCustomizing())
    StartAnimation(animation);
  else if (animation == maFade)
    FadeInMenu(*fWidget);
  fWidget->show();
  UpdateShadow();
  if (ShowsExpandButton() && fManager->ShowFullMenusAfterDelay) StartExpandTimer(ExpandDelay);
  PlayBarSound(0);
}

// ---------------------------------------------------------------- personalized menus

int TzbBarSubMenuControl::ExpandDelay = 4000;
int TzbBarSubMenuControl::ExpandHotDelay = 1000;

bool TzbBarSubMenuControl::RecentMode() const {
  return fManager->RecentItemsFirst() && fLinks->RecentItemsActive() && !fManager->IsCustomizing();
}

bool TzbBarSubMenuControl::ShowsExpandButton() const {
  return RecentMode() && fLinks->ShownLinks().size() < fLinks->VisibleLinks().size();
}

TRect TzbBarSubMenuControl::ExpandButtonRect() const {
  if (!ShowsExpandButton()) return TRect{};
  const TRect client = ClientRect();
  const int inset = fManager->PainterClass().GetMenuItemInset();
  return Rect(SideStripWidth() + inset + 1, client.Height() - 2 - ItemHeight(), client.Width() - inset - 1,
              client.Height() - 2);
}

TBrush TzbBarSubMenuControl::NonRecentBrush() const {
  const TColor face = ColorToRGB(clBtnFace);
  auto up = [](int v) { return std::min(255, v + 20); };
  return SolidBrush(RGB(up(GetRValue(face)), up(GetGValue(face)), up(GetBValue(face))));
}

void TzbBarSubMenuControl::StartExpandTimer(int delay, bool hotOnly) {
  fExpandHotOnly = hotOnly;
  if (!fExpandTimer) {
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    TzbBarSubMenuControl* self = this;
    QObject::connect(timer, &QTimer::timeout, [self]() {
      if (!IsAlive(self)) return;
      if (!self->fExpandHotOnly) {
        if (!self->ChildMenu) self->Expand();
        return;
      }
      // Restarted by a selection change: the expand button only offers itself.
      if (self->ChildMenu || !self->ShowsExpandButton()) return;
      self->fExpandHot = true;
      self->Invalidate();
    });
    fExpandTimer = timer;
  }
  static_cast<QTimer*>(fExpandTimer)->start(delay);
}

void TzbBarSubMenuControl::Expand() {
  if (fExpandTimer) static_cast<QTimer*>(fExpandTimer)->stop();
  fExpandHot = false;
  if (!ShowsExpandButton()) return;
  MenusExpanded() = true;
  fLinks->SetRecentLimit(-1);
  CreateItemControls();
  Place();
  Invalidate();
  UpdateShadow();
}

void TzbBarSubMenuControl::RebuildLayout() {
  if (fClosing || fExpanding || !fWidget) return;
  TzbBarItemControl* keep = fSelected;
  const int keepIndex = keep ? fLinks->IndexOf(&keep->Link()) : -1;
  DestroyItemControls();
  if (fWidget->isVisible()) {
    CollapseContainers();
    ExpandContainers();
  }
  CreateItemControls();
  if (keepIndex >= 0 && keepIndex < fLinks->Count()) fSelected = fLinks->Items(keepIndex)->Control();
  if (fWidget->isVisible())
    Place();
  else
    CalcItemRects(false);
  Invalidate();
  UpdateShadow();
}

// ---------------------------------------------------------------- painting

void TzbBarSubMenuControl::Paint() {
  TCanvas& dc = Canvas();
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  const TRect window = Rect(0, 0, fWidget ? fWidget->width() : 0, fWidget ? fWidget->height() : 0);
  p.DrawMenuFrame(*this, WindowCanvas(), window);
  if (HasTearOffBand()) {
    fPaintingBand = true;
    p.FillTearOffBand(*this, WindowCanvas(), TearOffBandRect());
    fPaintingBand = false;
  }
  const TBrush brush = GetBackgroundBrush();
  fItemBrush = brush;
  const TRect client = ClientRect();
  p.DrawMenuClientFrame(*this, dc, brush, client);
  TRect inner = client;
  InflateRect(inner, -1, -1);
  if (fLinks->VisibleLinks().empty()) {
    PaintBackground(dc, inner, false);
    return;
  }
  CalcItemRects(false);
  int lastBottom = inner.Top;
  bool first = true;
  for (TzbBarItemLink* link : fLinks->ShownLinks()) {
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    c->SeparatorRect = TRect{};
    if (IsRectEmpty(link->ItemRect)) continue;
    if (link->GetBeginGroup() && !first) {
      fItemBrush = brush;
      p.DrawMenuSeparator(*this, *c, SideStripWidth(), link->ItemRect, dc);
    }
    c->LastInLine = false;
    PaintItem(*c);
    lastBottom = link->ItemRect.Bottom;
    first = false;
  }
  fItemBrush = brush;
  if (fDownShown) lastBottom = std::max(lastBottom, fDownRect.Bottom);
  const TRect expand = ExpandButtonRect();
  const int restBottom = IsRectEmpty(expand) ? inner.Bottom : expand.Top;
  p.DrawMenuBackground(*this, dc, Rect(inner.Left, lastBottom, inner.Right, std::max(lastBottom, restBottom)), expand,
                       fExpandHot);
  if (fUpShown) {
    TzbBarItemControlPainter::FillWith(dc, fUpRect, brush);
    p.DrawMenuScrollArrow(*this, dc, true, fUpRect);
  }
  if (fDownShown) {
    TzbBarItemControlPainter::FillWith(dc, fDownRect, brush);
    p.DrawMenuScrollArrow(*this, dc, false, fDownRect);
  }
  if (SideStrip > 0 && OnPaintSideStrip)
    OnPaintSideStrip(dc, Rect(inner.Left, inner.Top, inner.Left + SideStrip, inner.Bottom));
  NotifyUnplacedLinks();
}

// ---------------------------------------------------------------- input

int TzbBarSubMenuControl::ScrollInterval = 80;

void TzbBarSubMenuControl::Scroll(int direction) {
  if (fScrollDirection == direction) return;
  fScrollDirection = direction;
  HotTrackItem(nullptr);
  if (!IsAlive(this)) return;
  if (!fScrollTimer) {
    auto* timer = new QTimer;
    TzbBarSubMenuControl* self = this;
    QObject::connect(timer, &QTimer::timeout, [self]() {
      if (!IsAlive(self)) return;
      const int shownCount = static_cast<int>(self->fLinks->ShownLinks().size());
      if (self->fScrollDirection < 0 && self->fUpShown)
        --self->fTopIndex;
      else if (self->fScrollDirection > 0 && self->fDownShown && self->fTopIndex < shownCount - 1)
        ++self->fTopIndex;
      else
        return;
      self->CalcItemRects(false);
      self->Invalidate();
    });
    fScrollTimer = timer;
  }
  static_cast<QTimer*>(fScrollTimer)->start(ScrollInterval);
}

void TzbBarSubMenuControl::StopScrolling() {
  if (!fScrollDirection) return;
  fScrollDirection = 0;
  if (fScrollTimer) static_cast<QTimer*>(fScrollTimer)->stop();
  fLastMouse = Point(-1, -1);
}

void TzbBarSubMenuControl::KeepOwnerSelected() {
  TCustomzbBarControl* parent = ParentBar;
  TzbBarItemControl* owner = OwnerControl;
  if (!owner || !IsAlive(parent) || parent->ChildMenu != this) return;
  // A delayed close of the owner or a delayed open of the entry the pointer crossed on its way here
  // is dropped: the pointer has reached this menu.
  if (TzbBarItemControl* pending = TzbBarSubItemControl::PendingControl()) {
    const TzbBarItemLinks& links = parent->ItemLinks();
    for (int i = 0; i < links.Count(); ++i)
      if (links.Items(i)->Control() == pending) TzbBarSubItemControl::CancelPending();
  }
  TzbBarItemControl* crossed = parent->SelectedControl();
  if (crossed == owner) return;
  if (crossed && crossed->Active) {
    crossed->ControlInactivate(true);
    if (!IsAlive(this) || !IsAlive(parent) || parent->ChildMenu != this) return;
  }
  owner->SelectedByMouse = true;
  owner->Active = true;
  parent->SetSelectedControl(owner);
}

void TzbBarSubMenuControl::MouseMove(const TPoint& p) {
  WaitForAnimation();
  if (TearOffMouseMove(p)) return;
  if (fManager->Customizing() && CustomizingMouseMove(*this, p)) return;
  if (PtInRect(ClientRect(), p)) {
    KeepOwnerSelected();
    if (!IsAlive(this)) return;
  }
  const TRect expand = ExpandButtonRect();
  if (!IsRectEmpty(expand) && PtInRect(expand, p)) {
    if (!fExpandHot) {
      HotTrackItem(nullptr);
      if (!IsAlive(this)) return;
      fExpandHot = true;
      Invalidate();
      if (fManager->ShowFullMenusAfterDelay)
        StartExpandTimer(ExpandHotDelay);
      else
        ShowBarHintText(*fManager, "Expand (Ctrl-Down)");
    }
    return;
  }
  if (fExpandHot) {
    fExpandHot = false;
    if (!fManager->ShowFullMenusAfterDelay) HideBarHint(*fManager);
    if (fExpandTimer) static_cast<QTimer*>(fExpandTimer)->stop();
    Invalidate();
  }
  if (fUpShown && PtInRect(fUpRect, p)) {
    Scroll(-1);
    return;
  }
  if (fDownShown && PtInRect(fDownRect, p)) {
    Scroll(1);
    return;
  }
  StopScrolling();
  TCustomzbBarControl::MouseMove(p);
}

void TzbBarSubMenuControl::SetSelectedControl(TzbBarItemControl* control) {
  const bool selectionChanged = control != fSelected;
  TCustomzbBarControl::SetSelectedControl(control);
  // Every selection change while the expand button is normal starts the delay anew.
  if (selectionChanged && IsAlive(this) && !fClosing && !fExpandHot && fManager->ShowFullMenusAfterDelay &&
      ShowsExpandButton() && !MenusExpanded())
    StartExpandTimer(ExpandDelay, true);
  if (!control || fClosing || !IsAlive(this)) return;
  // A control selected by the keyboard scrolls into view.
  const auto& shown = fLinks->ShownLinks();
  const int place = static_cast<int>(std::find(shown.begin(), shown.end(), &control->Link()) - shown.begin());
  if (place >= static_cast<int>(shown.size())) return;
  bool changed = false;
  if (fUpShown && place <= fTopIndex) {
    fTopIndex = std::max(0, place - 1);
    changed = true;
    CalcItemRects(false);
  }
  for (int guard = 0; fDownShown && IsRectEmpty(control->Link().ItemRect) && place > fTopIndex && guard < 1000;
       ++guard) {
    ++fTopIndex;
    changed = true;
    CalcItemRects(false);
  }
  if (changed) Invalidate();
}

void TzbBarSubMenuControl::MouseDown(const TPoint& p, TzbMouseButton button) {
  WaitForAnimation();
  if (fManager->Customizing() && CustomizingMouseDown(*this, p, button == mbRight)) return;
  if (fScrollDirection) return;
  if (button == mbRight && IsPopupChain()) button = mbLeft;
  if (button == mbLeft && TearOffMouseDown(p)) return;
  if (button == mbLeft && !IgnoreNextButtonUp && PtInRect(ExpandButtonRect(), p)) {
    Expand();
    return;
  }
  TCustomzbBarControl::MouseDown(p, button);
}

void TzbBarSubMenuControl::MouseUp(const TPoint& p, TzbMouseButton button) {
  if (button == mbRight && IsPopupChain()) button = mbLeft;
  TCustomzbBarControl::MouseUp(p, button);
}

bool TzbBarSubMenuControl::KeyDown(int key, unsigned shift) {
  WaitForAnimation();
  if (ShowsExpandButton()) {
    if (key == Qt::Key_Down && (shift & ssCtrl)) {
      Expand();
      return true;
    }
    const auto& shown = fLinks->ShownLinks();
    if ((key == Qt::Key_Down || key == Qt::Key_Tab) && shift == 0 && fSelected && !shown.empty() &&
        &fSelected->Link() == shown.back()) {
      Expand();
      return !IsAlive(this) || KeyDown(key, shift);
    }
  }
  if (TCustomzbBarControl::KeyDown(key, shift)) return true;
  if (!IsAlive(this)) return true;
  if (fSelected && fSelected->KeyDown(key)) return true;
  if (!IsAlive(this)) return true;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (fSelected) fSelected->Click(false);
      return true;
    case Qt::Key_Escape: {
      TCustomzbBarControl* parent = ParentBar;
      if (parent && parent->SelectedControl() && OwnerControl) {
        parent->SelectedControl()->ControlInactivate(true);
        if (IsAlive(parent)) parent->MenuClosedByKey();
      } else {
        Close();
      }
      return true;
    }
    case Qt::Key_Left: {
      TCustomzbBarControl* parent = ParentBar;
      if (!parent || !parent->SelectedControl()) return true;
      if (parent->IsMenu()) {
        parent->SelectedControl()->ControlInactivate(true);
        return true;
      }
      if (parent->IsVertical()) return KeyDown(Qt::Key_Escape, 0);
      parent->KeyDown(Qt::Key_Left, 0);
      return true;
    }
    case Qt::Key_Right: {
      TCustomzbBarControl* top = ChainTop();
      if (top != this && !top->IsMenu()) top->KeyDown(Qt::Key_Right, 0);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace zyn
