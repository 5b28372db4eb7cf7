#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarLayout.h"
#include "widgets/bars/BarOffice11Painter.h"
#include "widgets/bars/BarPopupMenuLinks.h"

#include "model/base/TextUtils.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarEnhancedPainter.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarUnit.h"
#include "widgets/bars/BarUtils.h"
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

TzbBarManager::TzbBarManager(QWidget* form) : categories_(*this) {
  InitializeBarUnit();
  if (!form) form = ApplicationMainForm();
  if (!form || !form->isWindow())
    throw std::runtime_error("TzbBarManager should have as its Owner - TForm (TCustomForm)");
  if (TzbBarManagerList::FindBarManager(form))
    throw std::runtime_error("A Form should contain only a single TzbBarManager");
  form_ = form;
  ManagerList().push_back(this);
  backgrounds_ = std::make_unique<TzbBarBackgrounds>(*this);
  popupMenuLinks_ = std::make_unique<TzbBarPopupMenuLinks>(*this);
  Office11ColorsAddRef();
  UpdatePainterClass();
  ready_ = true;
  categories_.Add("Default");
  bars_ = std::make_unique<TzbBars>(*this);
  themeNotificator_ = std::make_unique<TzbThemeChangedNotificator>();
  themeNotificator_->OnThemeChanged = [this]() { StyleChanged(); };
  CalcStartUseCount();
  CalcImageSizes();
  lookAndFeel_ = std::make_unique<TzxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TzxLookAndFeel&, TzxLookAndFeelValues) {
    if (!destroying_) StyleChanged();
  };
  Font = QFont("Tahoma");
  Font.setPixelSize(11);
  StyleChanged();
  CreateGDIObjects();
}

TzbBarManager::~TzbBarManager() {
  try {
    SaveStoredLayout();
  } catch (...) {
    // A layout that cannot be written is not worth more than the form's own one.
  }
  destroying_ = true;
  lookAndFeel_.reset();
  themeNotificator_.reset();
  customizing_ = false;
  groups_.clear();
  bars_.reset();
  while (!items_.empty()) FreeItem(items_.back().get());
  auto& list = ManagerList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  Office11ColorsRelease();
}

// ---------------------------------------------------------------- items

void TzbBarManager::FreeItem(TzbBarItem* item) {
  const int index = IndexOfItem(item);
  if (index < 0) return;
  item->BeforeDestroy();
  for (auto& g : groups_) g->Remove(item);
  // The index may have moved while the links went (an OnDestroy handler may free other items).
  const int now = IndexOfItem(item);
  std::unique_ptr<TzbBarItem> owned = std::move(items_[now]);
  items_.erase(items_.begin() + now);
  owned.reset();
}

TzbBarItem* TzbBarManager::GetItem(int index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return items_[index].get();
}

TzbBarItem* TzbBarManager::GetItemByName(const std::string& name) const {
  for (const auto& item : items_)
    if (SameText(item->Name, name)) return item.get();
  return nullptr;
}

int TzbBarManager::IndexOfItem(const TzbBarItem* item) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (items_[i].get() == item) return i;
  return -1;
}

void TzbBarManager::GetItemsByCategory(int category, std::vector<TzbBarItem*>& list) const {
  list.clear();
  if (category < 0 || category >= categories_.Count()) return;
  for (const auto& item : items_)
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
  auto item = std::move(items_[curIndex]);
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, std::move(item));
  DesignerModified();
}

void TzbBarManager::ExchangeItems(int index1, int index2) {
  if (index1 < 0 || index1 >= GetItemCount() || index2 < 0 || index2 >= GetItemCount()) return;
  std::swap(items_[index1], items_[index2]);
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

bool TzbBarManager::CanShowHint(const TzbBarItem& item) const {
  if (!ShowHint || item.Hint().empty()) return false;
  return item.GetEnabled() || ShowHintForDisabledItems;
}

void TzbBarManager::DoClickItem(TzbBarItem& item) {
  if (OnClickItem) OnClickItem(*this, item);
}

// ---------------------------------------------------------------- categories

TzbBarItemVisible TzbBarManager::GetCategoryItemsVisible(int index) const {
  if (index < 0 || index >= categories_.Count()) return ivNever;
  const auto* r = categories_.Record(index);
  return r ? r->ItemsVisible : ivAlways;
}

void TzbBarManager::SetCategoryItemsVisible(int index, TzbBarItemVisible value) {
  if (index < 0 || index >= categories_.Count()) return;
  const TzbBarItemVisible old = GetCategoryItemsVisible(index);
  auto& record = categories_.EnsureRecord(index);
  if (loading_) {
    record.PendingItemsVisible = value;
    record.HasPending = true;
    return;
  }
  record.ItemsVisible = value;
  std::vector<TzbBar*> emptyBefore;
  const bool autoHide = !Designing && autoHideEmptyBars_;
  {
    TzbBarLockScope lock(*this);
    if (autoHide)
      for (int i = 0; i < bars_->Count(); ++i)
        if (!bars_->Items(i)->HasVisibleLinks()) emptyBefore.push_back(bars_->Items(i));
    std::vector<TzbBarItem*> items;
    GetItemsByCategory(index, items);
    if (value == ivAlways) std::reverse(items.begin(), items.end());
    for (TzbBarItem* item : items)
      if (item->Visible() == old) item->SetVisible(value);
    if (autoHide) {
      for (int i = 0; i < bars_->Count(); ++i) {
        TzbBar* bar = bars_->Items(i);
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
  if (index < 0 || index >= categories_.Count()) return false;
  const auto* r = categories_.Record(index);
  return r ? r->Visible : true;
}

void TzbBarManager::SetCategoryVisible(int index, bool value) {
  if (index < 0 || index >= categories_.Count()) return;
  categories_.EnsureRecord(index).Visible = value;
  DesignerModified();
}

int TzbBarManager::GetCategoryRealIndex(int visibleIndex) const {
  if (Designing) return visibleIndex;
  int n = -1;
  for (int i = 0; i < categories_.Count(); ++i) {
    if (!GetCategoryVisible(i)) continue;
    if (++n == visibleIndex) return i;
  }
  return -1;
}

void TzbBarManager::SetAutoHideEmptyBars(bool value) {
  autoHideEmptyBars_ = value;
  if (!value)
    for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->SetAutoHidden(false);
}

// ---------------------------------------------------------------- bars and groups

TzbBar* TzbBarManager::BarByCaption(const std::string& caption) const {
  for (int i = 0; i < bars_->Count(); ++i)
    if (bars_->Items(i)->Caption() == caption) return bars_->Items(i);
  return nullptr;
}

TzbBar* TzbBarManager::BarByName(const std::string& name) const {
  if (!bars_) return nullptr;
  for (int i = 0; i < bars_->Count(); ++i)
    if (bars_->Items(i)->Name() == name) return bars_->Items(i);
  return nullptr;
}

bool TzbBarManager::CanDocking(const TzbBar& bar, TzbBarDockingStyle style) const {
  bool can = !InDockingSet(bar.NotDocking, style) && !InDockingSet(NotDocking, style);
  if (InDockingSet(bar.NotDocking, style)) return false;
  if (OnDocking) OnDocking(const_cast<TzbBar&>(bar), style, can);
  return can;
}

TzbBarGroup* TzbBarManager::CreateGroup() {
  groups_.push_back(std::make_unique<TzbBarGroup>(*this));
  return groups_.back().get();
}

void TzbBarManager::FreeGroup(TzbBarGroup* group) {
  for (auto& g : groups_) g->Remove(group);
  groups_.erase(std::remove_if(groups_.begin(), groups_.end(), [&](const auto& g) { return g.get() == group; }),
                groups_.end());
}

TzbBarGroup* TzbBarManager::GetGroup(int index) const {
  if (index < 0 || index >= GetGroupCount()) return nullptr;
  return groups_[index].get();
}

// ---------------------------------------------------------------- loading and customizing

void TzbBarManager::BeginLoading() {
  loading_ = true;
  for (auto& item : items_) item->BeginLoading();
}

void TzbBarManager::Loaded() {
  if (!loading_) {
    // A manager whose bars were built by code: the links take their recent-use order as stored
    // ones do.
    for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ItemLinks().ApplyLoadedState(false);
    for (auto& item : items_)
      if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sub->ApplyLoadedState(false);
    TakeDesignState();
    RestoreStoredLayout();
    return;
  }
  loading_ = false;
  bars_->Loading = true;
  for (auto& item : items_) item->EndLoading();
  for (int i = 0; i < GetItemCount(); ++i) {
    TzbBarItem* item = GetItem(i);
    if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sub->ApplyLoadedState(true);
    item->SetVisible(item->LoadedVisible());
  }
  for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ApplyLoaded();
  bars_->Loading = false;
  // The stored layout comes before the categories' pending item visibility.
  TakeDesignState();
  RestoreStoredLayout();
  for (int i = 0; i < categories_.Count(); ++i)
    if (auto* r = categories_.Record(i); r && r->HasPending) {
      r->HasPending = false;
      SetCategoryItemsVisible(i, r->PendingItemsVisible);
    }
}

void TzbBarManager::SetCustomizing(bool value) {
  if (value == customizing_) return;
  customizing_ = value;
  for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ItemLinks().RefreshLists();
  for (auto& item : items_)
    if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sub->RefreshLists();
  for (int i = 0; i < bars_->Count(); ++i)
    if (TzbBarWindow* w = bars_->Items(i)->GetBarControl()) w->Recalculate();
}

// ---------------------------------------------------------------- look

void TzbBarManager::SetStyle(TzbBarManagerStyle value) {
  if (value == style_) return;
  style_ = value;
  StyleChanged();
}

TzbBarManagerStyle TzbBarManager::GetRealStyle() const {
  if (style_ != bmsUseLookAndFeel) return style_;
  if (lookAndFeel_ && lookAndFeel_->NativeStyle() && themesUsable_) return bmsXP;
  switch (lookAndFeel_ ? lookAndFeel_->Kind() : lfUltraFlat) {
    case lfFlat: return bmsEnhanced;
    case lfStandard: return bmsStandard;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
  }
  return bmsStandard;
}

const TzbBarItemControlPainter& TzbBarManager::GetPainterClass() const {
  switch (GetRealStyle()) {
    case bmsFlat: return TzbBarItemControlFlatPainter::Instance();
    case bmsXP:
      if (themesUsable_) return TzbBarItemControlXPPainter::Instance();
      return TzbBarItemControlEnhancedPainter::Instance();
    case bmsEnhanced: return TzbBarItemControlEnhancedPainter::Instance();
    case bmsOffice11: return TzbBarItemControlOffice11Painter::Instance();
    default: return TzbBarItemControlStandardPainter::Instance();
  }
}

void TzbBarManager::UpdatePainterClass() {
  themesUsable_ = zyn::ThemesUsable(kBarThemeKinds);
  painter_ = &GetPainterClass();
}

void TzbBarBackgrounds::SetBar(const QImage& value) {
  const bool notify = !value.isNull() || !bar_.isNull();
  bar_ = value;
  if (notify) manager_->StyleChanged();
}

void TzbBarManager::StyleChanged() {
  ++StyleChangeCount;
  styleChanging_ = true;
  UpdatePainterClass();
  gripIndent_ = painter_->GetGripIndent();
  gripAreaSize_ = painter_->GetGripAreaSize();
  menuSeparatorIndent_ = painter_->GetMenuSeparatorIndent();
  CalcImageSizes();
  if (bars_)
    for (int i = 0; i < bars_->Count(); ++i)
      if (TzbBarWindow* w = bars_->Items(i)->GetBarControl()) w->RebuildLayout();
  CreateGDIObjects();
  styleChanging_ = false;
}

void TzbBarManager::CalcImageSizes() {
  if (!largeIcons_)
    imageSize_ = 16;
  else
    imageSize_ = (UseLargeImagesForLargeIcons && LargeImagesWidth > 0) ? LargeImagesWidth : 32;
  buttonWidth_ = imageSize_ + painter_->GetButtonWidthMargin();
  buttonHeight_ = imageSize_ + painter_->GetButtonHeightMargin();
  dropArrowWidth_ = painter_->GetDropArrowWidth(*this);
}

void TzbBarManager::SetButtonArrowWidth(int value) {
  if (value < 2 || value == buttonArrowWidth_) return;
  buttonArrowWidth_ = value;
  CalcImageSizes();
}

void TzbBarManager::SetLargeButtonArrowWidth(int value) {
  if (value < 2) return;
  largeButtonArrowWidth_ = value;
}

void TzbBarManager::SetMostRecentItemsPercents(int value) {
  mostRecentItemsPercents_ = std::clamp(value, 0, 100);
  CalcStartUseCount();
}

void TzbBarManager::SetLargeIcons(bool value) {
  if (value == largeIcons_) return;
  largeIcons_ = value;
  CalcImageSizes();
  DesignerModified();
}

void TzbBarManager::CalcStartUseCount() {
  if (mostRecentItemsPercents_ == 100) {
    startUseCount_ = 0;
    return;
  }
  int n = 1;
  while (n * (100 - mostRecentItemsPercents_) / 100 <= 0) ++n;
  startUseCount_ = n;
}

void TzbBarManager::CreateGDIObjects() {
  brushColors_[0] = ScaleChannels(clBtnShadow, 8, 10);
  brushColors_[1] = RaiseChannels(clBtnFace, 16);
  brushColors_[2] = BlendSystemColors(11, 9, 73);
  brushColors_[3] = BlendSystemColors(14, 44, 40);
  brushColors_[4] = BlendSystemColors(-2, 30, 72);
  themeBrushColor_ = themesUsable_ ? GetToolbarThemeFillColor() : ColorToRGB(clBtnFace);
  Office11ColorsRefresh();
}

void TzbBarManager::SetLockUpdate(bool value) {
  if (value == lockUpdate_) return;
  lockUpdate_ = value;
  if (!bars_) return;
  for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->SetBarLock(value);
  if (value) return;
  ++LockReleaseCount;
  for (int i = 0; i < bars_->Count(); ++i)
    if (TzbBarWindow* w = bars_->Items(i)->GetBarControl()) w->Recalculate();
}

void TzbBarManager::DesignerModified() {
  if (loading_ || destroying_ || !ready_) return;
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
