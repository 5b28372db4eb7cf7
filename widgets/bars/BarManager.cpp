#include "widgets/bars/BarManager.h"

#include "model/base/TextUtils.h"
#include "platform/MdiWindows.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarCustomizingEditors.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarEnhancedPainter.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarLayout.h"
#include "widgets/bars/BarOffice11Painter.h"
#include "widgets/bars/BarPopupMenuLinks.h"
#include "widgets/bars/BarQuickControl.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarUnit.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QFontInfo>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace zyn {

namespace {

std::vector<TzbBarManager*>& ManagerList() {
  static std::vector<TzbBarManager*> list;
  return list;
}

QWidget*& ApplicationMainForm() {
  static QWidget* form = nullptr;
  return form;
}

TColor ScaleChannels(TColor c, int num, int den) {
  c = ColorToRGB(c);
  return RGB(GetRValue(c) * num / den, GetGValue(c) * num / den, GetBValue(c) * num / den);
}

TColor RaiseChannels(TColor c, int percent) {
  c = ColorToRGB(c);
  auto up = [percent](int v) { return v + MulDiv(255 - v, percent, 100); };
  return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

}  // namespace

const TThemeKinds kBarThemeKinds = ThemeSet(totComboBox) | ThemeSet(totEdit) | ThemeSet(totProgress) |
                                   ThemeSet(totRebar) | ThemeSet(totScrollBar) | ThemeSet(totSpin) |
                                   ThemeSet(totStatus) | ThemeSet(totToolBar) | ThemeSet(totWindow);

void TzbBarManager::SetApplicationMainForm(QWidget* form) { ApplicationMainForm() = form; }

TzbBarManager::TzbBarManager(QWidget* form) : fCategories(*this) {
  InitializeBarUnit();
  if (!form) form = ApplicationMainForm();
  // A form is a window, or the form of a child window inside another form's client area.
  if (!form || (!form->isWindow() && !MdiChildOf(form)))
    throw std::runtime_error("TzbBarManager should have as its Owner - TForm (TCustomForm)");
  if (TzbBarManagerList::FindBarManager(form))
    throw std::runtime_error("A Form should contain only a single TzbBarManager");
  fForm = form;
  ManagerList().push_back(this);
  fBackgrounds = std::make_unique<TzbBarBackgrounds>(*this);
  fPopupMenuLinks = std::make_unique<TzbBarPopupMenuLinks>(*this);
  Office11ColorsAddRef();
  UpdatePainterClass();
  fReady = true;
  fCategories.Add("Default");
  fBars = std::make_unique<TzbBars>(*this);
  fThemeNotificator = std::make_unique<TzbThemeChangedNotificator>();
  fThemeNotificator->OnThemeChanged = [this]() { StyleChanged(); };
  CalcStartUseCount();
  CalcImageSizes();
  fLookAndFeel = std::make_unique<TzxLookAndFeel>(this);
  fLookAndFeel->OnChanged = [this](TzxLookAndFeel&, TzxLookAndFeelValues) {
    if (!fDestroying) StyleChanged();
  };
  StyleChanged();
  SetUseSystemFont(true);
  CreateGDIObjects();
}

TzbBarManager::~TzbBarManager() {
  // An open quick-customization window goes first: its temporary bar is no part of the layout.
  if (TzbBarQuickControl* quick = TzbBarQuickControl::Current(); quick && &quick->Manager() == this)
    quick->Owner().CloseQuickControl();
  try {
    SaveStoredLayout();
  } catch (...) {
    // A layout that cannot be written is not worth more than the form's own one.
  }
  fDestroying = true;
  EndBarHintOf(*this);
  fLookAndFeel.reset();
  fThemeNotificator.reset();
  if (fCustomizing) {
    EndCustomizingState(*this);
    HideCustomizingForm(*this);
  }
  fCustomizing = false;
  fGroups.clear();
  fBars.reset();
  while (!fItems.empty()) FreeItem(fItems.back().get());
  DetachDockControls();
  auto& list = ManagerList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  Office11ColorsRelease();
}

// ---------------------------------------------------------------- items

void TzbBarManager::FreeItem(TzbBarItem* item) {
  const int index = IndexOfItem(item);
  if (index < 0) return;
  const bool listed = fCustomizing && item->Category() >= 0;
  SubMenuEditorItemGone(item);
  CustomizingItemGone(item);
  item->BeforeDestroy();
  for (auto& g : fGroups) g->Remove(item);
  // The index may have moved while the links went (an OnDestroy handler may free other items).
  const int now = IndexOfItem(item);
  std::unique_ptr<TzbBarItem> owned = std::move(fItems[now]);
  fItems.erase(fItems.begin() + now);
  owned.reset();
  if (listed) NotifyCustomizingItemRemoved(*this);
}

TzbBarItem* TzbBarManager::GetItem(int index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return fItems[index].get();
}

TzbBarItem* TzbBarManager::GetItemByName(const std::string& name) const {
  for (const auto& item : fItems)
    if (SameText(item->Name, name)) return item.get();
  return nullptr;
}

int TzbBarManager::IndexOfItem(const TzbBarItem* item) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (fItems[i].get() == item) return i;
  return -1;
}

void TzbBarManager::GetItemsByCategory(int category, std::vector<TzbBarItem*>& list) const {
  list.clear();
  if (category < 0 || category >= fCategories.Count()) return;
  for (const auto& item : fItems)
    if (item->Category() == category) list.push_back(item.get());
}

void TzbBarManager::GetCustomizingItemsByCategory(int category, std::vector<TzbBarItem*>& list) const {
  GetItemsByCategory(category, list);
  if (Designing) return;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [](TzbBarItem* i) { return !i->ActualVisible() || i->HiddenInCustomizingList(); }),
             list.end());
}

void TzbBarManager::MoveItem(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= GetItemCount() || newIndex < 0 || newIndex >= GetItemCount()) return;
  auto item = std::move(fItems[curIndex]);
  fItems.erase(fItems.begin() + curIndex);
  fItems.insert(fItems.begin() + newIndex, std::move(item));
  DesignerModified();
}

void TzbBarManager::ExchangeItems(int index1, int index2) {
  if (index1 < 0 || index1 >= GetItemCount() || index2 < 0 || index2 >= GetItemCount()) return;
  std::swap(fItems[index1], fItems[index2]);
  DesignerModified();
}

QFont TzbBarManager::BarFont() const {
  if (!Scaled) return Font;
  QFont f = Font;
  int pixels = QFontInfo(QApplication::font()).pixelSize();
  if (pixels < 11) pixels = 11;
  f.setPixelSize(pixels);
  return f;
}

void TzbBarManager::SetFont(const QFont& value) { AssignFont(value); }

void TzbBarManager::AssignFont(const QFont& value) {
  if (value == Font) return;
  Font = value;
  if (!fFontEventDetached) FontChanged();
}

void TzbBarManager::FontChanged() {
  if (!fSystemFont) UseSystemFont = false;
  if (Scaled) {
    fFontEventDetached = true;
    UpdateFontFromSystem();
    fFontEventDetached = false;
  }
  if (!fBars) return;
  for (int i = 0; i < fBars->Count(); ++i)
    if (TzbBarWindow* w = fBars->Items(i)->GetBarControl()) w->RebuildLayout();
}

void TzbBarManager::UpdateFontFromSystem() {
  const QFont menu = QApplication::font("QMenu");
  QFont font = Font;
  if (UseSystemFont) {
    font = menu;
  } else if (Scaled) {
    const int pixels = QFontInfo(menu).pixelSize();
    if (pixels <= 0) return;
    font.setPixelSize(pixels);
  } else {
    return;
  }
  fSystemFont = true;
  AssignFont(font);
  fSystemFont = false;
}

void TzbBarManager::SetUseSystemFont(bool value) {
  if (value == UseSystemFont) return;
  UseSystemFont = value;
  if (value) UpdateFontFromSystem();
}

void TzbBarManager::SetScaled(bool value) {
  if (value == Scaled) return;
  Scaled = value;
  if (value && !UseSystemFont) UpdateFontFromSystem();
}

bool TzbBarManager::CanShowHint(const TzbBarItem& item) const {
  if (!ShowHint || item.Hint().empty()) return false;
  return item.GetEnabled() || ShowHintForDisabledItems;
}

void TzbBarManager::DoClickItem(TzbBarItem& item) {
  if (OnClickItem) OnClickItem(*this, item);
}

// ---------------------------------------------------------------- categories

TzbBarItemVisible TzbBarManager::GetCategoryItemsVisible(int index) const {
  if (index < 0 || index >= fCategories.Count()) return ivNever;
  const auto* r = fCategories.Record(index);
  return r ? r->ItemsVisible : ivAlways;
}

void TzbBarManager::SetCategoryItemsVisible(int index, TzbBarItemVisible value) {
  if (index < 0 || index >= fCategories.Count()) return;
  const TzbBarItemVisible old = GetCategoryItemsVisible(index);
  auto& record = fCategories.EnsureRecord(index);
  if (fLoading) {
    record.PendingItemsVisible = value;
    record.HasPending = true;
    return;
  }
  record.ItemsVisible = value;
  std::vector<TzbBar*> emptyBefore;
  const bool autoHide = !Designing && fAutoHideEmptyBars;
  {
    TzbBarLockScope lock(*this);
    if (autoHide)
      for (int i = 0; i < fBars->Count(); ++i)
        if (!fBars->Items(i)->HasVisibleLinks()) emptyBefore.push_back(fBars->Items(i));
    std::vector<TzbBarItem*> items;
    GetItemsByCategory(index, items);
    if (value == ivAlways) std::reverse(items.begin(), items.end());
    for (TzbBarItem* item : items)
      if (item->Visible() == old) item->SetVisible(value);
    if (autoHide) {
      for (int i = 0; i < fBars->Count(); ++i) {
        TzbBar* bar = fBars->Items(i);
        const bool wasEmpty = std::find(emptyBefore.begin(), emptyBefore.end(), bar) != emptyBefore.end();
        if (value == ivNever && bar->Visible() && !bar->HasVisibleLinks() && !wasEmpty) {
          bar->SetVisible(false);
          bar->SetAutoHidden(true);
        } else if (value == ivAlways && bar->HasVisibleLinks() && bar->AutoHidden()) {
          bar->SetVisible(true);
          bar->SetAutoHidden(false);
        }
      }
    }
  }
  if (value != old) DesignerModified();
}

bool TzbBarManager::GetCategoryVisible(int index) const {
  if (index < 0 || index >= fCategories.Count()) return false;
  const auto* r = fCategories.Record(index);
  return r ? r->Visible : true;
}

void TzbBarManager::SetCategoryVisible(int index, bool value) {
  if (index < 0 || index >= fCategories.Count()) return;
  fCategories.EnsureRecord(index).Visible = value;
  DesignerModified();
}

int TzbBarManager::GetCategoryRealIndex(int visibleIndex) const {
  if (Designing) return visibleIndex;
  int n = -1;
  for (int i = 0; i < fCategories.Count(); ++i) {
    if (!GetCategoryVisible(i)) continue;
    if (++n == visibleIndex) return i;
  }
  return -1;
}

void TzbBarManager::SetAutoHideEmptyBars(bool value) {
  fAutoHideEmptyBars = value;
  if (!value)
    for (int i = 0; i < fBars->Count(); ++i) fBars->Items(i)->SetAutoHidden(false);
}

// ---------------------------------------------------------------- bars and groups

TzbBar* TzbBarManager::BarByCaption(const std::string& caption) const {
  for (int i = 0; i < fBars->Count(); ++i)
    if (fBars->Items(i)->Caption() == caption) return fBars->Items(i);
  return nullptr;
}

TzbBar* TzbBarManager::BarByName(const std::string& name) const {
  if (!fBars) return nullptr;
  for (int i = 0; i < fBars->Count(); ++i)
    if (fBars->Items(i)->Name() == name) return fBars->Items(i);
  return nullptr;
}

bool TzbBarManager::CanDocking(const TzbBar& bar, TzbBarDockingStyle style) const {
  bool can = !InDockingSet(bar.NotDocking, style) && !InDockingSet(NotDocking, style);
  if (InDockingSet(bar.NotDocking, style)) return false;
  if (OnDocking) OnDocking(const_cast<TzbBar&>(bar), style, can);
  return can;
}

TzbBarGroup* TzbBarManager::CreateGroup() {
  fGroups.push_back(std::make_unique<TzbBarGroup>(*this));
  return fGroups.back().get();
}

void TzbBarManager::FreeGroup(TzbBarGroup* group) {
  for (auto& g : fGroups) g->Remove(group);
  fGroups.erase(std::remove_if(fGroups.begin(), fGroups.end(), [&](const auto& g) { return g.get() == group; }),
                fGroups.end());
}

TzbBarGroup* TzbBarManager::GetGroup(int index) const {
  if (index < 0 || index >= GetGroupCount()) return nullptr;
  return fGroups[index].get();
}

// ---------------------------------------------------------------- loading and customizing

void TzbBarManager::BeginLoading() {
  fLoading = true;
  for (auto& item : fItems) item->BeginLoading();
}

void TzbBarManager::Loaded() {
  if (!fLoading) {
    // A manager whose bars were built by code: the links take their recent-use order as stored
    // ones do.
    for (int i = 0; i < fBars->Count(); ++i) fBars->Items(i)->ItemLinks().ApplyLoadedState(false);
    for (auto& item : fItems)
      if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sub->ApplyLoadedState(false);
    TakeDesignState();
    RestoreStoredLayout();
    return;
  }
  fLoading = false;
  fBars->Loading = true;
  for (auto& item : fItems) item->EndLoading();
  for (int i = 0; i < GetItemCount(); ++i) {
    TzbBarItem* item = GetItem(i);
    if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sub->ApplyLoadedState(true);
    item->SetVisible(item->LoadedVisible());
  }
  for (int i = 0; i < fBars->Count(); ++i) fBars->Items(i)->ApplyLoaded();
  fBars->Loading = false;
  // The stored layout comes before the categories' pending item visibility.
  TakeDesignState();
  RestoreStoredLayout();
  for (int i = 0; i < fCategories.Count(); ++i)
    if (auto* r = fCategories.Record(i); r && r->HasPending) {
      r->HasPending = false;
      SetCategoryItemsVisible(i, r->PendingItemsVisible);
    }
}

void TzbBarManager::SetCustomizing(bool value) {
  if (value == fCustomizing) return;
  if (value && CustomizingForm()) return;  // one customizing form in the process
  if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl()) head->HideAll();
  if (!value) EndCustomizingState(*this);
  fCustomizing = value;
  for (int i = 0; i < fBars->Count(); ++i) fBars->Items(i)->ItemLinks().RefreshLists();
  for (auto& item : fItems)
    if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sub->RefreshLists();
  for (int i = 0; i < fBars->Count(); ++i)
    if (TzbBarWindow* w = fBars->Items(i)->GetBarControl()) w->Recalculate();
  if (value)
    ShowCustomizingForm(*this);
  else
    HideCustomizingForm(*this);
}

// ---------------------------------------------------------------- look

void TzbBarManager::SetStyle(TzbBarManagerStyle value) {
  if (value == fStyle) return;
  fStyle = value;
  StyleChanged();
}

TzbBarManagerStyle TzbBarManager::GetRealStyle() const {
  if (fStyle != bmsUseLookAndFeel) return fStyle;
  if (fLookAndFeel && fLookAndFeel->NativeStyle() && fThemesUsable) return bmsXP;
  switch (fLookAndFeel ? fLookAndFeel->Kind() : lfUltraFlat) {
    case lfFlat:
      return bmsEnhanced;
    case lfStandard:
      return bmsStandard;
    case lfUltraFlat:
      return bmsFlat;
    case lfOffice11:
      return bmsOffice11;
  }
  return bmsStandard;
}

const TzbBarItemControlPainter& TzbBarManager::GetPainterClass() const {
  switch (GetRealStyle()) {
    case bmsFlat:
      return TzbBarItemControlFlatPainter::Instance();
    case bmsXP:
      if (fThemesUsable) return TzbBarItemControlXPPainter::Instance();
      return TzbBarItemControlEnhancedPainter::Instance();
    case bmsEnhanced:
      return TzbBarItemControlEnhancedPainter::Instance();
    case bmsOffice11:
      return TzbBarItemControlOffice11Painter::Instance();
    default:
      return TzbBarItemControlStandardPainter::Instance();
  }
}

void TzbBarManager::UpdatePainterClass() {
  fThemesUsable = zyn::ThemesUsable(kBarThemeKinds);
  fPainter = &GetPainterClass();
}

void TzbBarBackgrounds::SetBar(const QImage& value) {
  const bool notify = !value.isNull() || !fBar.isNull();
  fBar = value;
  if (notify) fManager->StyleChanged();
}

void TzbBarManager::StyleChanged() {
  ++StyleChangeCount;
  fStyleChanging = true;
  UpdatePainterClass();
  fGripIndent = fPainter->GetGripIndent();
  fGripAreaSize = fPainter->GetGripAreaSize();
  fMenuSeparatorIndent = fPainter->GetMenuSeparatorIndent();
  CalcImageSizes();
  if (fBars)
    for (int i = 0; i < fBars->Count(); ++i)
      if (TzbBarWindow* w = fBars->Items(i)->GetBarControl()) w->RebuildLayout();
  CreateGDIObjects();
  fStyleChanging = false;
  if (fCustomizing) NotifyCustomizingLookChanged(*this);
}

void TzbBarManager::CalcImageSizes() {
  if (!fLargeIcons)
    fImageSize = 16;
  else
    fImageSize = (UseLargeImagesForLargeIcons && LargeImagesWidth > 0) ? LargeImagesWidth : 32;
  fButtonWidth = fImageSize + fPainter->GetButtonWidthMargin();
  fButtonHeight = fImageSize + fPainter->GetButtonHeightMargin();
  fDropArrowWidth = fPainter->GetDropArrowWidth(*this);
}

void TzbBarManager::SetButtonArrowWidth(int value) {
  if (value < 2 || value == fButtonArrowWidth) return;
  fButtonArrowWidth = value;
  CalcImageSizes();
}

void TzbBarManager::SetLargeButtonArrowWidth(int value) {
  if (value < 2) return;
  fLargeButtonArrowWidth = value;
}

void TzbBarManager::SetMostRecentItemsPercents(int value) {
  fMostRecentItemsPercents = std::clamp(value, 0, 100);
  CalcStartUseCount();
}

void TzbBarManager::SetLargeIcons(bool value) {
  if (value == fLargeIcons) return;
  fLargeIcons = value;
  CalcImageSizes();
  DesignerModified();
  if (fBars)
    for (int i = 0; i < fBars->Count(); ++i)
      if (TzbBarWindow* w = fBars->Items(i)->GetBarControl()) w->RebuildLayout();
  if (fCustomizing) NotifyCustomizingLookChanged(*this);
}

void TzbBarManager::CalcStartUseCount() {
  if (fMostRecentItemsPercents == 100) {
    fStartUseCount = 0;
    return;
  }
  int n = 1;
  while (n * (100 - fMostRecentItemsPercents) / 100 <= 0) ++n;
  fStartUseCount = n;
}

void TzbBarManager::CreateGDIObjects() {
  fBrushColors[0] = ScaleChannels(clBtnShadow, 8, 10);
  fBrushColors[1] = RaiseChannels(clBtnFace, 16);
  fBrushColors[2] = BlendSystemColors(11, 9, 73);
  fBrushColors[3] = BlendSystemColors(14, 44, 40);
  fBrushColors[4] = BlendSystemColors(-2, 30, 72);
  fThemeBrushColor = fThemesUsable ? GetToolbarThemeFillColor() : ColorToRGB(clBtnFace);
  Office11ColorsRefresh();
}

void TzbBarManager::RefreshGDIObjects() {
  CreateGDIObjects();
  RepaintBars();
}

void TzbBarManager::RepaintBars() {
  ++RepaintCount;
  for (TzbDockControl* dock : fDockControls)
    if (QWidget* w = dock->Widget()) w->update();
  if (!fBars) return;
  for (int i = 0; i < fBars->Count(); ++i)
    if (TzbBarWindow* w = fBars->Items(i)->GetBarControl()) w->Recalculate();
}

void TzbBarManager::SetLockUpdate(bool value) {
  if (value == fLockUpdate) return;
  fLockUpdate = value;
  // The docks draw nothing while the lock is held.
  for (TzbDockControl* dock : fDockControls)
    if (QWidget* w = dock->Widget(); w && w->isVisible()) w->setUpdatesEnabled(!value);
  if (!fBars) return;
  for (int i = 0; i < fBars->Count(); ++i) fBars->Items(i)->SetBarLock(value);
  if (value) return;
  ++LockReleaseCount;
  for (TzbDockControl* dock : fDockControls)
    if (QWidget* w = dock->Widget(); w && w->isVisible()) {
      dock->UpdateDock();
      w->update();
    }
  for (int i = 0; i < fBars->Count(); ++i)
    if (TzbBarWindow* w = fBars->Items(i)->GetBarControl()) w->Recalculate();
}

void TzbBarManager::DesignerModified() {
  if (fLoading || fDestroying || !fReady) return;
  if (Designing) ++DesignerModifiedCount;
}

// ---------------------------------------------------------------- manager list

int TzbBarManagerList::Count() { return static_cast<int>(ManagerList().size()); }

TzbBarManager* TzbBarManagerList::Items(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return ManagerList()[index];
}

bool TzbBarManagerList::Contains(const TzbBarManager* manager) {
  const auto& list = ManagerList();
  return manager && std::find(list.begin(), list.end(), manager) != list.end();
}

TzbBarManager* TzbBarManagerList::FindBarManager(const QWidget* form) {
  if (!form) return nullptr;
  for (TzbBarManager* m : ManagerList())
    if (m->Form() == form) return m;
  return nullptr;
}

}  // namespace zyn
