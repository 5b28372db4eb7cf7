#include "widgets/bars/BarSubMenuControl.h"

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarUtils.h"
#include "platform/PopupWindows.h"

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
  closing_ = true;
  FinishAnimation(false);  // closing during the animation skips the final placement
  delete scrollTimer_;
  delete expandTimer_;
  DestroyItemControls();
  CollapseContainers();
  if (TzbBarItemControl* pending = TzbBarSubItemControl::PendingControl())
    for (TzbBarItemLink* link : links_->ShownLinks())
      if (link->Control() == pending) TzbBarSubItemControl::CancelPending();
  if (ChildMenu) {
    TzbBarSubMenuControl* child = ChildMenu;
    ChildMenu = nullptr;
    if (child->OwnerControl) child->OwnerControl->ControlInactivate(true);
    else child->Close();
  }
  selected_ = nullptr;
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
  if (closing_) return;
  if (OwnerControl) {
    OwnerControl->ControlInactivate(true);
    return;
  }
  links_->DestroyBarControl();
}

void TzbBarSubMenuControl::CalcMetrics() {
  TCustomzbBarControl::CalcMetrics();
  int lh = lineHeight_;
  manager_->PainterClass().CalcMenuMetrics(*this, lh, dropArrowWidth_, expandHeight_, glyphReference_);
}

TBrush TzbBarSubMenuControl::GetBackgroundBrush() const { return manager_->PainterClass().GetMenuFrameBrush(*this); }

TBrush TzbBarSubMenuControl::ItemBrush() const {
  return manager_->PainterClass().GetMenuItemBrush(*this, GetBackgroundBrush());
}

bool TzbBarSubMenuControl::IsPopupChain() const {
  if (OwnerWidth || OwnerHeight) return false;
  if (auto* parent = dynamic_cast<const TzbBarSubMenuControl*>(ParentBar)) return parent->IsPopupChain();
  return ParentBar == nullptr;
}

// ---------------------------------------------------------------- container items

void TzbBarSubMenuControl::ExpandContainers() {
  if (manager_->IsCustomizing() || !expanded_.empty()) return;
  expanding_ = true;
  std::vector<const TzbBarItem*> seen;
  for (int i = 0; i < links_->Count(); ++i) {
    TzbBarItemLink* link = links_->Items(i);
    TzbBarItem* item = link->Item();
    if (!item || !item->InheritsFrom(TCustomzbBarContainerItem::kClassName) || !link->Visible() ||
        !item->ActualVisible())
      continue;
    auto* container = static_cast<TCustomzbBarContainerItem*>(item);
    const bool first = std::find(seen.begin(), seen.end(), item) == seen.end();
    seen.push_back(item);
    const int before = links_->Count();
    container->AddListedItemLinks(*links_, i + 1, link, first);
    expanded_.push_back({link, i});
    i += links_->Count() - before;
  }
  expanding_ = false;
}

void TzbBarSubMenuControl::CollapseContainers() {
  if (expanded_.empty()) return;
  expanding_ = true;
  const std::vector<TExpanded> expanded = expanded_;
  expanded_.clear();
  for (auto it = expanded.rbegin(); it != expanded.rend(); ++it) {
    TzbBarItemLink* link = it->Link;
    if (links_->IndexOf(link) != it->Index || !link->Item()) continue;
    static_cast<TCustomzbBarContainerItem*>(link->Item())->DeleteListedItemLinks(*links_, it->Index + 1);
  }
  for (const TExpanded& e : expanded)
    if (links_->IndexOf(e.Link) >= 0 && e.Link->Item())
      static_cast<TCustomzbBarContainerItem*>(e.Link->Item())->NeedsClear = true;
  expanding_ = false;
}

bool TzbBarSubMenuControl::IsExpandedContainer(const TzbBarItemLink* link) const {
  for (const TExpanded& e : expanded_)
    if (e.Link == link) return true;
  return false;
}

void TzbBarSubMenuControl::PostRecalculate() {
  if (expanding_ || closing_) return;
  TCustomzbBarControl::PostRecalculate();
}

// ---------------------------------------------------------------- layout and placement

void TzbBarSubMenuControl::CalcItemRects(bool measuring, int* width, int* height) {
  links_->ClearItemRects();
  CreateItemControls();
  const TzbBarItemControlPainter& p = manager_->PainterClass();
  TRect start;
  int bottomLimit = 0;
  p.GetMenuItemsRect(*this, measuring, start, bottomLimit);
  const auto& shown = links_->ShownLinks();
  int top = start.Top, widest = 0;
  bool first = true;
  for (std::size_t i = static_cast<std::size_t>(std::max(0, topIndex_)); i < shown.size(); ++i) {
    TzbBarItemLink* link = shown[i];
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    if (IsExpandedContainer(link)) continue;  // its entries stand in its place
    if (link->GetBeginGroup() && !first) top += p.GetMenuSeparatorHeight();
    const int h = c->GetHeight();
    if (!measuring && top + h > bottomLimit) break;
    link->ItemRect = Rect(start.Left, top, start.Right, top + h);
    c->NonRecent = RecentMode() && MenusExpanded() && recentCount_ >= 0 && link->RecentIndex() >= recentCount_;
    widest = std::max(widest, c->GetWidth());
    top += h;
    first = false;
  }
  if (!measuring) {
    // The arrows take the places of the first and the last entry laid out.
    std::vector<TzbBarItemLink*> laid;
    for (std::size_t i = static_cast<std::size_t>(std::max(0, topIndex_)); i < shown.size(); ++i)
      if (!IsRectEmpty(shown[i]->ItemRect)) laid.push_back(shown[i]);
    std::size_t remaining = 0;
    for (std::size_t i = static_cast<std::size_t>(std::max(0, topIndex_)); i < shown.size(); ++i)
      if (!IsExpandedContainer(shown[i])) ++remaining;
    upShown_ = topIndex_ > 0 && !laid.empty();
    downShown_ = laid.size() < remaining && !laid.empty();
    upRect_ = downRect_ = TRect{};
    if (upShown_) {
      upRect_ = laid.front()->ItemRect;
      laid.front()->ItemRect = TRect{};
    }
    if (downShown_ && laid.size() > (upShown_ ? 1u : 0u)) {
      downRect_ = laid.back()->ItemRect;
      downRect_.Bottom = ClientRect().Height() - 2;
      laid.back()->ItemRect = TRect{};
    } else {
      downShown_ = false;
    }
  }
  if (width && height) {
    // The painter answers the client size; the frame lies around it.
    p.CalcMenuSize(*this, widest, top - start.Top, *width, *height);
    const TRect in = ClientInsets();
    *width += in.Left + in.Right;
    *height += in.Top + in.Bottom;
  }
}

void TzbBarSubMenuControl::Place() {
  int w = 0, h = 0;
  CalcItemRects(true, &w, &h);
  int left = requested_.X, top = requested_.Y;
  const TRect a = MonitorWorkArea(requested_);
  flippedLeft_ = flippedUp_ = false;
  if (a.Right < left + w) {
    if (!OwnerWidth) {
      left = a.Right - w;
    } else if (a.Right - left < left - OwnerWidth - a.Left) {
      left = left - OwnerWidth - w;
      flippedLeft_ = true;
    }
  }
  if (left < a.Left) {
    if (!OwnerWidth) left = a.Left;
    else if (!OpensToTheRight && a.Right - (left + w + OwnerWidth) > a.Left - left) {
      left = left + w + OwnerWidth;
      flippedLeft_ = true;
    }
  }
  left = std::max(a.Left, std::min(left, a.Right - w));
  if (a.Bottom < top + h) {
    if (OwnerHeight) {
      if (a.Bottom - top < top - OwnerHeight - a.Top) {
        top = top - OwnerHeight - h;
        flippedUp_ = true;
      } else {
        h = a.Bottom - top;
      }
    } else if (OwnerWidth || top - h < a.Top) {
      top = a.Bottom - h;
    } else {
      top -= h;
      flippedUp_ = true;
    }
  }
  if (top < a.Top) {
    if (flippedUp_) h -= a.Top - top;
    top = a.Top;
    h = std::min(h, a.Bottom - top);
  }
  widget_->setGeometry(left, top, w, h);
  CalcItemRects(false);
}

void TzbBarSubMenuControl::ShowAt(const TPoint& position, int ownerWidth, int ownerHeight) {
  if (!widget_) return;
  OwnerWidth = ownerWidth;
  OwnerHeight = ownerHeight;
  requested_ = position;
  if (OnPopup) {
    OnPopup();
    if (!IsAlive(this)) return;
  }
  SetActive(true);
  DestroyItemControls();
  ExpandContainers();
  CreateItemControls();
  recentCount_ = RecentMode() ? links_->CalcRecentCount() : -1;
  links_->SetRecentLimit(RecentMode() && !MenusExpanded() ? recentCount_ : -1);
  CreateItemControls();
  topIndex_ = 0;
  Place();
  Invalidate();
  const TzbBarMenuAnimations animation = ChooseAnimation();
  if ((animation == maUnfold || animation == maSlide) && AnimationAllowed && !links_->VisibleLinks().empty() &&
      !manager_->IsCustomizing())
    StartAnimation(animation);
  else if (animation == maFade)
    FadeInMenu(*widget_);
  widget_->show();
  UpdateShadow();
  if (ShowsExpandButton() && manager_->ShowFullMenusAfterDelay) StartExpandTimer(ExpandDelay);
  PlayBarSound(0);
}

// ---------------------------------------------------------------- personalized menus

int TzbBarSubMenuControl::ExpandDelay = 4000;
int TzbBarSubMenuControl::ExpandHotDelay = 1000;

bool TzbBarSubMenuControl::RecentMode() const {
  return manager_->RecentItemsFirst() && links_->RecentItemsActive() && !manager_->IsCustomizing();
}

bool TzbBarSubMenuControl::ShowsExpandButton() const {
  return RecentMode() && links_->ShownLinks().size() < links_->VisibleLinks().size();
}

TRect TzbBarSubMenuControl::ExpandButtonRect() const {
  if (!ShowsExpandButton()) return TRect{};
  const TRect client = ClientRect();
  const int inset = manager_->PainterClass().GetMenuItemInset();
  return Rect(SideStripWidth() + inset + 1, client.Height() - 2 - ItemHeight(), client.Width() - inset - 1,
              client.Height() - 2);
}

TBrush TzbBarSubMenuControl::NonRecentBrush() const {
  const TColor face = ColorToRGB(clBtnFace);
  auto up = [](int v) { return std::min(255, v + 20); };
  return SolidBrush(RGB(up(GetRValue(face)), up(GetGValue(face)), up(GetBValue(face))));
}

void TzbBarSubMenuControl::StartExpandTimer(int delay, bool hotOnly) {
  expandHotOnly_ = hotOnly;
  if (!expandTimer_) {
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    TzbBarSubMenuControl* self = this;
    QObject::connect(timer, &QTimer::timeout, [self]() {
      if (!IsAlive(self)) return;
      if (!self->expandHotOnly_) {
        if (!self->ChildMenu) self->Expand();
        return;
      }
      // Restarted by a selection change: the expand button only offers itself.
      if (self->ChildMenu || !self->ShowsExpandButton()) return;
      self->expandHot_ = true;
      self->Invalidate();
    });
    expandTimer_ = timer;
  }
  static_cast<QTimer*>(expandTimer_)->start(delay);
}

void TzbBarSubMenuControl::Expand() {
  if (expandTimer_) static_cast<QTimer*>(expandTimer_)->stop();
  expandHot_ = false;
  if (!ShowsExpandButton()) return;
  MenusExpanded() = true;
  links_->SetRecentLimit(-1);
  CreateItemControls();
  Place();
  Invalidate();
  UpdateShadow();
}

void TzbBarSubMenuControl::RebuildLayout() {
  if (closing_ || expanding_ || !widget_) return;
  TzbBarItemControl* keep = selected_;
  const int keepIndex = keep ? links_->IndexOf(&keep->Link()) : -1;
  DestroyItemControls();
  if (widget_->isVisible()) {
    CollapseContainers();
    ExpandContainers();
  }
  CreateItemControls();
  if (keepIndex >= 0 && keepIndex < links_->Count()) selected_ = links_->Items(keepIndex)->Control();
  if (widget_->isVisible()) Place();
  else CalcItemRects(false);
  Invalidate();
  UpdateShadow();
}

// ---------------------------------------------------------------- painting

void TzbBarSubMenuControl::Paint() {
  TCanvas& dc = Canvas();
  const TzbBarItemControlPainter& p = manager_->PainterClass();
  const TRect window = Rect(0, 0, widget_ ? widget_->width() : 0, widget_ ? widget_->height() : 0);
  p.DrawMenuFrame(*this, WindowCanvas(), window);
  const TBrush brush = GetBackgroundBrush();
  itemBrush_ = brush;
  const TRect client = ClientRect();
  p.DrawMenuClientFrame(*this, dc, brush, client);
  TRect inner = client;
  InflateRect(inner, -1, -1);
  if (links_->VisibleLinks().empty()) {
    PaintBackground(dc, inner, false);
    return;
  }
  CalcItemRects(false);
  int lastBottom = inner.Top;
  bool first = true;
  for (TzbBarItemLink* link : links_->ShownLinks()) {
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    c->SeparatorRect = TRect{};
    if (IsRectEmpty(link->ItemRect)) continue;
    if (link->GetBeginGroup() && !first) {
      itemBrush_ = brush;
      p.DrawMenuSeparator(*this, *c, SideStripWidth(), link->ItemRect, dc);
    }
    c->LastInLine = false;
    PaintItem(*c);
    lastBottom = link->ItemRect.Bottom;
    first = false;
  }
  itemBrush_ = brush;
  if (downShown_) lastBottom = std::max(lastBottom, downRect_.Bottom);
  const TRect expand = ExpandButtonRect();
  const int restBottom = IsRectEmpty(expand) ? inner.Bottom : expand.Top;
  p.DrawMenuBackground(*this, dc, Rect(inner.Left, lastBottom, inner.Right, std::max(lastBottom, restBottom)), expand,
                       expandHot_);
  if (upShown_) {
    TzbBarItemControlPainter::FillWith(dc, upRect_, brush);
    p.DrawMenuScrollArrow(*this, dc, true, upRect_);
  }
  if (downShown_) {
    TzbBarItemControlPainter::FillWith(dc, downRect_, brush);
    p.DrawMenuScrollArrow(*this, dc, false, downRect_);
  }
  if (SideStrip > 0 && OnPaintSideStrip) OnPaintSideStrip(dc, Rect(inner.Left, inner.Top, inner.Left + SideStrip, inner.Bottom));
}

// ---------------------------------------------------------------- input

int TzbBarSubMenuControl::ScrollInterval = 80;

void TzbBarSubMenuControl::Scroll(int direction) {
  if (scrollDirection_ == direction) return;
  scrollDirection_ = direction;
  HotTrackItem(nullptr);
  if (!IsAlive(this)) return;
  if (!scrollTimer_) {
    auto* timer = new QTimer;
    TzbBarSubMenuControl* self = this;
    QObject::connect(timer, &QTimer::timeout, [self]() {
      if (!IsAlive(self)) return;
      const int shownCount = static_cast<int>(self->links_->ShownLinks().size());
      if (self->scrollDirection_ < 0 && self->upShown_) --self->topIndex_;
      else if (self->scrollDirection_ > 0 && self->downShown_ && self->topIndex_ < shownCount - 1) ++self->topIndex_;
      else return;
      self->CalcItemRects(false);
      self->Invalidate();
    });
    scrollTimer_ = timer;
  }
  static_cast<QTimer*>(scrollTimer_)->start(ScrollInterval);
}

void TzbBarSubMenuControl::StopScrolling() {
  if (!scrollDirection_) return;
  scrollDirection_ = 0;
  if (scrollTimer_) static_cast<QTimer*>(scrollTimer_)->stop();
  lastMouse_ = Point(-1, -1);
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
  if (PtInRect(ClientRect(), p)) {
    KeepOwnerSelected();
    if (!IsAlive(this)) return;
  }
  const TRect expand = ExpandButtonRect();
  if (!IsRectEmpty(expand) && PtInRect(expand, p)) {
    if (!expandHot_) {
      HotTrackItem(nullptr);
      if (!IsAlive(this)) return;
      expandHot_ = true;
      Invalidate();
      if (manager_->ShowFullMenusAfterDelay) StartExpandTimer(ExpandHotDelay);
      else ShowBarHintText(*manager_, "Expand (Ctrl-Down)");
    }
    return;
  }
  if (expandHot_) {
    expandHot_ = false;
    if (!manager_->ShowFullMenusAfterDelay) HideBarHint(*manager_);
    if (expandTimer_) static_cast<QTimer*>(expandTimer_)->stop();
    Invalidate();
  }
  if (upShown_ && PtInRect(upRect_, p)) {
    Scroll(-1);
    return;
  }
  if (downShown_ && PtInRect(downRect_, p)) {
    Scroll(1);
    return;
  }
  StopScrolling();
  TCustomzbBarControl::MouseMove(p);
}

void TzbBarSubMenuControl::SetSelectedControl(TzbBarItemControl* control) {
  const bool selectionChanged = control != selected_;
  TCustomzbBarControl::SetSelectedControl(control);
  // Every selection change while the expand button is normal starts the delay anew.
  if (selectionChanged && IsAlive(this) && !closing_ && !expandHot_ && manager_->ShowFullMenusAfterDelay &&
      ShowsExpandButton() && !MenusExpanded())
    StartExpandTimer(ExpandDelay, true);
  if (!control || closing_ || !IsAlive(this)) return;
  // A control selected by the keyboard scrolls into view.
  const auto& shown = links_->ShownLinks();
  const int place = static_cast<int>(std::find(shown.begin(), shown.end(), &control->Link()) - shown.begin());
  if (place >= static_cast<int>(shown.size())) return;
  bool changed = false;
  if (upShown_ && place <= topIndex_) {
    topIndex_ = std::max(0, place - 1);
    changed = true;
    CalcItemRects(false);
  }
  for (int guard = 0; downShown_ && IsRectEmpty(control->Link().ItemRect) && place > topIndex_ && guard < 1000; ++guard) {
    ++topIndex_;
    changed = true;
    CalcItemRects(false);
  }
  if (changed) Invalidate();
}

void TzbBarSubMenuControl::MouseDown(const TPoint& p, TzbMouseButton button) {
  WaitForAnimation();
  if (scrollDirection_) return;
  if (button == mbRight && IsPopupChain()) button = mbLeft;
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
    const auto& shown = links_->ShownLinks();
    if ((key == Qt::Key_Down || key == Qt::Key_Tab) && shift == 0 && selected_ && !shown.empty() &&
        &selected_->Link() == shown.back()) {
      Expand();
      return !IsAlive(this) || KeyDown(key, shift);
    }
  }
  if (TCustomzbBarControl::KeyDown(key, shift)) return true;
  if (!IsAlive(this)) return true;
  if (selected_ && selected_->KeyDown(key)) return true;
  if (!IsAlive(this)) return true;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (selected_) selected_->Click(false);
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
