#include "widgets/bars/Bars.h"

#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarWindow.h"

#include <algorithm>

namespace zyn {

TzbBar::TzbBar(TzbBars& owner)
    : owner_(&owner), links_(std::make_unique<TzbBarItemLinks>(owner.Manager(), TzbBarItemLinks::okBar, this, nullptr)) {
  TzbBarManager& m = owner.Manager();
  links_->OnChange = [&m]() { m.DesignerModified(); };
}

TzbBar::~TzbBar() {
  TzbBarManager& m = Manager();
  if (m.MainMenuBar() == this) m.SetMainMenuBar(nullptr);
  links_->DestroyBarControl();
  visible_ = false;
  for (auto it = detachingSubItems_.rbegin(); it != detachingSubItems_.rend(); ++it) (*it)->BarNotification(*this);
}

TzbBarManager& TzbBar::Manager() const { return owner_->Manager(); }

int TzbBar::Index() const { return owner_->IndexOf(this); }

void TzbBar::SetCaption(const std::string& value) {
  if (value == caption_) return;
  for (int i = 0; i < owner_->Count(); ++i)
    if (owner_->Items(i) != this && owner_->Items(i)->caption_ == value) return;
  caption_ = value;
  if (name_.empty()) {
    // A new bar without name is named after its caption (with a number when that name is taken).
    std::string candidate = value;
    for (int n = 1; Manager().BarByName(candidate); ++n) candidate = value + std::to_string(n);
    name_ = candidate;
  }
  Manager().DesignerModified();
}

void TzbBar::SetIsMainMenu(bool value) {
  if (value == isMainMenu_) return;
  TzbBarManager& m = Manager();
  if (value) {
    if (TzbBar* other = m.MainMenuBar(); other && other != this) other->isMainMenu_ = false;
    m.SetMainMenuBar(this);
  } else if (m.MainMenuBar() == this) {
    m.SetMainMenuBar(nullptr);
  }
  isMainMenu_ = value;
  if (TzbBarWindow* w = GetBarControl()) w->RebuildLayout();
}

void TzbBar::SetDockingStyle(TzbBarDockingStyle value) {
  if (value == dockingStyle_) return;
  TzbBarManager& m = Manager();
  if (m.IsLoading()) {
    loadedDockingStyle_ = value;
    dockingStyleLoaded_ = true;
    return;
  }
  const bool wasVisible = visible_;
  if (wasVisible) SetVisible(false);
  dockingStyle_ = value;
  if (value != dsNone) dockedDockingStyle_ = value, everDocked_ = true;
  links_->SetRecentLimit(-1);
  if (wasVisible) SetVisible(true);
  if (!owner_->Loading) {
    if (m.OnBarDockingStyleChange) m.OnBarDockingStyleChange(m, *this);
    m.DesignerModified();
  }
}

void TzbBar::SetVisible(bool value) {
  TzbBarManager& m = Manager();
  if (value && m.IsDestroying()) return;
  if (m.IsLoading()) {
    loadedVisible_ = value;
    return;
  }
  if (value == visible_) return;
  autoHidden_ = false;
  if (!value) {
    if (TzbBarWindow* w = GetBarControl()) w->Closing();
    visible_ = false;
    links_->DestroyBarControl();
  } else {
    visible_ = true;
    links_->CreateBarControl();
  }
  if (!m.IsDestroying() && m.OnBarVisibleChange) m.OnBarVisibleChange(m, *this);
  if (!owner_->Loading) m.DesignerModified();
}

void TzbBar::SetBarLock(bool value) {
  if (value == barLock_) return;
  barLock_ = value;
  if (!value && dockingStyle_ == dsNone)
    if (TzbBarWindow* w = GetBarControl()) w->Recalculate();
}

void TzbBar::AddDetachingSubItem(TzbBarItem* item) {
  if (std::find(detachingSubItems_.begin(), detachingSubItems_.end(), item) == detachingSubItems_.end())
    detachingSubItems_.push_back(item);
}

void TzbBar::RemoveDetachingSubItem(TzbBarItem* item) {
  detachingSubItems_.erase(std::remove(detachingSubItems_.begin(), detachingSubItems_.end(), item),
                           detachingSubItems_.end());
}

void TzbBar::Assign(const TzbBar& source) {
  AllowClose = source.AllowClose;
  AllowCustomizing = source.AllowCustomizing;
  AllowQuickCustomizing = source.AllowQuickCustomizing;
  AllowReset = source.AllowReset;
  SetCaption(source.caption_);
  dockedDockingStyle_ = source.dockedDockingStyle_;
  dockedLeft_ = source.dockedLeft_;
  dockedTop_ = source.dockedTop_;
  FloatLeft = source.FloatLeft;
  FloatTop = source.FloatTop;
  FloatClientWidth = source.FloatClientWidth;
  FloatClientHeight = source.FloatClientHeight;
  Hidden = source.Hidden;
  SetIsMainMenu(source.isMainMenu_);
  links_->Assign(*source.links_);
  NotDocking = source.NotDocking;
  OneOnRow = source.OneOnRow;
  RotateWhenVertical = source.RotateWhenVertical;
  row_ = source.row_;
  wholeRow_ = source.wholeRow_;
  SetDockingStyle(source.dockingStyle_);
  links_->UseRecentItems = source.links_->UseRecentItems;
  UseRestSpace = source.UseRestSpace;
  Color = source.Color;
  SetVisible(source.visible_);
}

void TzbBar::ApplyLoaded() {
  links_->ApplyLoadedState(true);
  if (dockingStyleLoaded_) {
    dockingStyleLoaded_ = false;
    SetDockingStyle(loadedDockingStyle_);
  }
  SetVisible(loadedVisible_);
}

TzbBars::~TzbBars() {
  while (!bars_.empty()) Delete(bars_.back().get());
}

TzbBar* TzbBars::Add() {
  bars_.push_back(std::make_unique<TzbBar>(*this));
  TzbBar* bar = bars_.back().get();
  if (!manager_->IsLoading()) {
    if (manager_->OnBarAdd) manager_->OnBarAdd(*manager_, *bar);
    manager_->DesignerModified();
  }
  return bar;
}

void TzbBars::Delete(TzbBar* bar) {
  const int index = IndexOf(bar);
  if (index < 0) return;
  if (!manager_->IsDestroying()) {
    manager_->DesignerModified();
    if (manager_->OnBarDelete) manager_->OnBarDelete(*manager_, *bar);
  }
  bar->SetVisible(false);
  std::unique_ptr<TzbBar> owned = std::move(bars_[index]);
  bars_.erase(bars_.begin() + index);
  owned.reset();
}

TzbBar* TzbBars::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return bars_[index].get();
}

int TzbBars::IndexOf(const TzbBar* bar) const {
  for (int i = 0; i < Count(); ++i)
    if (bars_[i].get() == bar) return i;
  return -1;
}

}  // namespace zyn
