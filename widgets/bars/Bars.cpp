#include "widgets/bars/Bars.h"

#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarUserDockControl.h"
#include "widgets/bars/BarWindow.h"

#include <algorithm>

namespace zyn {

TzbBar::TzbBar(TzbBars& owner)
    : fOwner(&owner),
      fLinks(std::make_unique<TzbBarItemLinks>(owner.Manager(), TzbBarItemLinks::okBar, this, nullptr)) {
  TzbBarManager& m = owner.Manager();
  fLinks->OnChange = [&m]() { m.DesignerModified(); };
}

TzbBar::~TzbBar() {
  TzbBarManager& m = Manager();
  if (m.MainMenuBar() == this) m.SetMainMenuBar(nullptr);
  // A window that shows the links without owning them (the quick-customization window) closes
  // while the links are still there.
  if (TzbBarWindow* external = fLinks->ExternalBarControl()) external->Closing();
  fLinks->DestroyBarControl();
  fVisible = false;
  for (auto it = fDetachingSubItems.rbegin(); it != fDetachingSubItems.rend(); ++it) (*it)->BarNotification(*this);
}

TzbBarManager& TzbBar::Manager() const { return fOwner->Manager(); }

int TzbBar::Index() const { return fOwner->IndexOf(this); }

void TzbBar::SetCaption(const std::string& value) {
  if (value == fCaption) return;
  for (int i = 0; i < fOwner->Count(); ++i)
    if (fOwner->Items(i) != this && fOwner->Items(i)->fCaption == value) return;
  fCaption = value;
  if (fName.empty()) {
    // A new bar without name is named after its caption (with a number when that name is taken).
    std::string candidate = value;
    for (int n = 1; Manager().BarByName(candidate); ++n) candidate = value + std::to_string(n);
    fName = candidate;
  }
  if (Manager().Customizing()) NotifyCustomizingBarChanged(*this);
  Manager().DesignerModified();
}

void TzbBar::SetIsMainMenu(bool value) {
  if (value == fIsMainMenu) return;
  TzbBarManager& m = Manager();
  if (value) {
    if (TzbBar* other = m.MainMenuBar(); other && other != this) other->fIsMainMenu = false;
    m.SetMainMenuBar(this);
  } else if (m.MainMenuBar() == this) {
    m.SetMainMenuBar(nullptr);
  }
  fIsMainMenu = value;
  if (TzbBarWindow* w = GetBarControl()) w->RebuildLayout();
}

void TzbBar::SetDockingStyle(TzbBarDockingStyle value) {
  if (value == fDockingStyle) return;
  TzbBarManager& m = Manager();
  if (m.IsLoading()) {
    fLoadedDockingStyle = value;
    fDockingStyleLoaded = true;
    return;
  }
  const bool wasVisible = fVisible;
  if (wasVisible) SetVisible(false);
  fDockingStyle = value;
  if (value != dsNone) fDockedDockingStyle = value, fEverDocked = true;
  if (!fDockingChange) fDockControl = nullptr;  // the style names an edge dock, or floating
  fLinks->SetRecentLimit(-1);
  if (wasVisible) SetVisible(true);
  if (!fOwner->Loading) {
    if (m.OnBarDockingStyleChange) m.OnBarDockingStyleChange(m, *this);
    m.DesignerModified();
  }
}

void TzbBar::SetVisible(bool value) {
  TzbBarManager& m = Manager();
  if (value && m.IsDestroying()) return;
  if (m.IsLoading()) {
    fLoadedVisible = value;
    return;
  }
  if (value == fVisible) return;
  fAutoHidden = false;
  if (!value) {
    if (TzbBarWindow* w = GetBarControl()) w->Closing();
    fVisible = false;
    fLinks->DestroyBarControl();
  } else {
    fVisible = true;
    fLinks->CreateBarControl();
  }
  if (!m.IsDestroying() && m.OnBarVisibleChange) m.OnBarVisibleChange(m, *this);
  if (m.Customizing()) NotifyCustomizingBarChanged(*this);
  if (!fOwner->Loading) m.DesignerModified();
}

void TzbBar::SetBarLock(bool value) {
  if (value == fBarLock) return;
  fBarLock = value;
  if (!value && fDockingStyle == dsNone)
    if (TzbBarWindow* w = GetBarControl()) w->Recalculate();
}

void TzbBar::AddDetachingSubItem(TzbBarItem* item) {
  if (std::find(fDetachingSubItems.begin(), fDetachingSubItems.end(), item) == fDetachingSubItems.end())
    fDetachingSubItems.push_back(item);
}

void TzbBar::RemoveDetachingSubItem(TzbBarItem* item) {
  fDetachingSubItems.erase(std::remove(fDetachingSubItems.begin(), fDetachingSubItems.end(), item),
                           fDetachingSubItems.end());
}

void TzbBar::Assign(const TzbBar& source) {
  AllowClose = source.AllowClose;
  AllowCustomizing = source.AllowCustomizing;
  AllowQuickCustomizing = source.AllowQuickCustomizing;
  AllowReset = source.AllowReset;
  SetCaption(source.fCaption);
  SetDockedDockControl(source.fDockedDockControl);
  fDockedDockingStyle = source.fDockedDockingStyle;
  fDockedLeft = source.fDockedLeft;
  fDockedTop = source.fDockedTop;
  FloatLeft = source.FloatLeft;
  FloatTop = source.FloatTop;
  FloatClientWidth = source.FloatClientWidth;
  FloatClientHeight = source.FloatClientHeight;
  Hidden = source.Hidden;
  SetIsMainMenu(source.fIsMainMenu);
  fLinks->Assign(*source.fLinks);
  NotDocking = source.NotDocking;
  OneOnRow = source.OneOnRow;
  RotateWhenVertical = source.RotateWhenVertical;
  fRow = source.fRow;
  fWholeRow = source.fWholeRow;
  SetDocking(source.fDockingStyle, source.fDockControl);
  fLinks->UseRecentItems = source.fLinks->UseRecentItems;
  UseRestSpace = source.UseRestSpace;
  Color = source.Color;
  SetVisible(source.fVisible);
}

void TzbBar::ApplyLoaded() {
  fLinks->ApplyLoadedState(true);
  if (fDockControlLoaded) {
    fDockControlLoaded = false;
    SetDockControl(fLoadedDockControl);
  }
  if (fDockingStyleLoaded && !fDockControl) {
    fDockingStyleLoaded = false;
    SetDockingStyle(fLoadedDockingStyle);
  }
  SetVisible(fLoadedVisible);
}

TzbBars::~TzbBars() {
  while (!fBars.empty()) Delete(fBars.back().get());
}

TzbBar* TzbBars::Add() {
  fBars.push_back(std::make_unique<TzbBar>(*this));
  TzbBar* bar = fBars.back().get();
  if (!fManager->IsLoading()) {
    if (fManager->OnBarAdd) fManager->OnBarAdd(*fManager, *bar);
    fManager->DesignerModified();
  }
  return bar;
}

void TzbBars::Delete(TzbBar* bar) {
  const int index = IndexOf(bar);
  if (index < 0) return;
  if (!fManager->IsDestroying()) {
    fManager->DesignerModified();
    if (fManager->OnBarDelete) fManager->OnBarDelete(*fManager, *bar);
  }
  bar->SetVisible(false);
  std::unique_ptr<TzbBar> owned = std::move(fBars[index]);
  fBars.erase(fBars.begin() + index);
  owned.reset();
}

TzbBar* TzbBars::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fBars[index].get();
}

int TzbBars::IndexOf(const TzbBar* bar) const {
  for (int i = 0; i < Count(); ++i)
    if (fBars[i].get() == bar) return i;
  return -1;
}

}  // namespace zyn
