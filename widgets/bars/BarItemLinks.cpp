#include "widgets/bars/BarItemLinks.h"

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarWindow.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace zyn {

namespace {

int IndexIn(const std::vector<TzbBarItemLink*>& list, const TzbBarItemLink* link) {
  const auto it = std::find(list.begin(), list.end(), link);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// The accelerator character: the one after the last single "&" ("&&" is a literal "&"); 0 = none.
char AcceleratorOf(const std::string& caption) {
  char found = 0;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    found = caption[i + 1];
  }
  return found;
}

char AnsiLower(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if ((u >= 0xC0 && u <= 0xDE) && u != 0xD7) return static_cast<char>(u + 32);
  return c;
}

}  // namespace

// ---------------------------------------------------------------- TzbBarItemLink

TzbBarItemLink::TzbBarItemLink(TzbBarItemLinks& owner) : fOwner(&owner) { UseCount = owner.Manager().StartUseCount(); }

TzbBarItemLink::~TzbBarItemLink() { CustomizingLinkGone(this); }

void TzbBarItemLink::SetItem(TzbBarItem* value) {
  if (value == fItem) return;
  if (fItem) {
    auto& l = fItem->fLinks;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    fItem = nullptr;
  }
  if (!value) {
    fOwner->Delete(this);
    return;
  }
  if (!value->CanBePlacedIn(*fOwner)) throw std::runtime_error("You cannot create recursive subitems");
  fItem = value;
  value->fLinks.push_back(this);
  fOwner->RefreshLists();
  if (!fOwner->Manager().IsLoading()) ResetUsage();
  Changed();
}

bool TzbBarItemLink::GetBeginGroup() const {
  const int shown = ShownIndex();
  if (shown == 0) return false;
  if (shown < 0) return fBeginGroup;
  if (fBeginGroup) return true;
  // Links hidden by the recent filter between the previous shown link and this one.
  const auto& shownList = fOwner->ShownLinks();
  const auto& avail = fOwner->AvailableLinks();
  const int from = IndexIn(avail, shownList[shown - 1]);
  const int to = IndexIn(avail, this);
  for (int i = from + 1; i < to; ++i)
    if (avail[i]->fBeginGroup) return true;
  return false;
}

void TzbBarItemLink::SetBeginGroup(bool value) {
  fBeginGroup = value;
  if (fControl) fControl->Changed(TzbControlChange::BeginGroup);
  Changed();
}

void TzbBarItemLink::SetVisible(bool value) {
  if (fOwner->Manager().IsLoading() || fOwner->Assigning()) {
    LoadedVisible = value;
    return;
  }
  if (value == fVisible) return;
  fVisible = value;
  if (!fOwner->Manager().Designing) fOwner->RefreshLists();
  if (value) {
    UseLink(false);
    if (fOwner->BarControl()) {
      CreateControl();
      if (fControl) fControl->Changed(TzbControlChange::Visible);
    }
  } else {
    MoveToRecentEnd();
    if (fControl) {
      fControl->Changed(TzbControlChange::Visible);
      DestroyControl();
    }
  }
  Changed();
}

void TzbBarItemLink::SetMostRecentlyUsed(bool value) {
  if (value == fMostRecentlyUsed) return;
  fMostRecentlyUsed = value;
  ResetUsage();
  if (fOwner->BarControl()) fOwner->BarControl()->Recalculate();
  Changed();
}

void TzbBarItemLink::SetUserCaption(const std::string& value) {
  if (value == fUserCaption && (fUserDefine & UserDefineBit(udCaption))) return;
  fUserCaption = value;
  fUserDefine |= UserDefineBit(udCaption);
  if (fControl) fControl->Changed(TzbControlChange::Caption);
  Changed();
}

void TzbBarItemLink::SetUserGlyph(const QImage& value) {
  fUserGlyph = value;
  fUserDefine |= UserDefineBit(udGlyph);
  if (fControl) fControl->Changed(TzbControlChange::Glyph);
  Changed();
}

void TzbBarItemLink::SetUserPaintStyle(TzbBarPaintStyle value) {
  if (value == RealPaintStyle()) return;
  fUserPaintStyle = value;
  fUserDefine |= UserDefineBit(udPaintStyle);
  if (fControl) fControl->Changed(TzbControlChange::PaintStyle);
  Changed();
}

void TzbBarItemLink::SetUserWidth(int value) {
  if (value < 20) value = 20;
  if (value == RealWidth()) return;
  fUserWidth = value;
  fUserDefine |= UserDefineBit(udWidth);
  if (fControl) fControl->Changed(TzbControlChange::Layout);
  Changed();
}

void TzbBarItemLink::SetUserDefine(TzbBarUserDefines value) {
  fUserDefine = value;
  if (!(value & UserDefineBit(udCaption))) fUserCaption.clear();
  if (!(value & UserDefineBit(udGlyph))) fUserGlyph = QImage();
  if (!(value & UserDefineBit(udPaintStyle))) fUserPaintStyle = psStandard;
  if (!(value & UserDefineBit(udWidth))) fUserWidth = 0;
  if (fControl) {
    fControl->Changed(TzbControlChange::Caption);
    fControl->Changed(TzbControlChange::Glyph);
  }
  Changed();
}

std::string TzbBarItemLink::RealCaption() const {
  if (fUserDefine & UserDefineBit(udCaption)) return fUserCaption;
  return fItem ? fItem->Caption() : std::string();
}

QImage TzbBarItemLink::RealGlyph() const {
  if ((fUserDefine & UserDefineBit(udGlyph)) || !fItem) return fUserGlyph;
  return fItem->Glyph();
}

TzbBarPaintStyle TzbBarItemLink::RealPaintStyle() const {
  if (fUserDefine & UserDefineBit(udPaintStyle)) return fUserPaintStyle;
  return fItem ? ItemPaintStyle(*fItem) : psStandard;
}

int TzbBarItemLink::RealWidth() const {
  if (fUserDefine & UserDefineBit(udWidth)) return fUserWidth;
  return fItem ? ItemWidth(*fItem) : 0;
}

void TzbBarItemLink::UseLink(bool count) {
  if (!fItem || !fItem->ActualVisible() || !fVisible) return;
  const bool wasShown = ShownIndex() >= 0;
  fOwner->MoveInRecentList(this, 0);
  if (count) ++UseCount;
  TzbBarWindow* w = fOwner->BarControl();
  if (!wasShown && w && fOwner->OwnerKind() == TzbBarItemLinks::okBar && w->IsDocked() &&
      fOwner->Manager().CanUseRecentItems())
    w->PostRecalculate();
  // The use climbs to the link through which the sub-item owning this collection is open.
  if (fOwner->OwnerKind() == TzbBarItemLinks::okSubItem && fOwner->OwnerItem()) {
    TzbBarItemLink* opener = fOwner->OwnerItem()->CurItemLink();
    if (opener && opener->SourceLink) opener = opener->SourceLink;
    if (opener && opener != this) opener->UseLink(count);
  }
}

void TzbBarItemLink::ResetUsage() {
  if (fMostRecentlyUsed) {
    UseCount = fOwner->Manager().StartUseCount();
    UseLink(false);
  } else {
    UseCount = 0;
    MoveToRecentEnd();
  }
}

void TzbBarItemLink::MoveToRecentEnd() {
  const bool wasShown = ShownIndex() >= 0;
  fOwner->MoveInRecentList(this, static_cast<int>(fOwner->fRecent.size()) - 1);
  TzbBarWindow* w = fOwner->BarControl();
  if (wasShown && w && fOwner->OwnerKind() == TzbBarItemLinks::okBar && w->IsDocked() &&
      fOwner->Manager().CanUseRecentItems())
    w->PostRecalculate();
}

int TzbBarItemLink::RecentIndex() const { return IndexIn(fOwner->fRecent, this); }
int TzbBarItemLink::AvailableIndex() const { return IndexIn(fOwner->fAvailable, this); }
int TzbBarItemLink::VisibleIndex() const { return IndexIn(fOwner->fVisible, this); }
int TzbBarItemLink::ShownIndex() const { return IndexIn(fOwner->fShown, this); }

bool TzbBarItemLink::IsAccelerator(int key, unsigned shift) const {
  char c = AcceleratorOf(RealCaption());
  if (!c) return false;
  const char lower = AnsiLower(c);
  if (lower != c) shift &= ~ssShift;
  c = lower;
  if (c >= '0' && c <= '9') return key == c && shift == 0;
  // The keyboard layout gives the upper-case letter's key code without shift for a lower-case letter.
  const unsigned char u = static_cast<unsigned char>(c);
  const int vk = (u >= 'a' && u <= 'z') ? u - 32 : u;
  return key == vk && shift == 0;
}

bool TzbBarItemLink::ContainsItem(const TzbBarItem& item) const {
  if (!fItem) return false;
  return fItem == &item || fItem->ContainsItem(item);
}

void TzbBarItemLink::CreateControl() {
  TzbBarWindow* w = fOwner->BarControl();
  if (!w || !fItem || fControl) return;
  const TzbBarItemControlFactory factory = ControlClassOf(fItem->ClassName());
  if (factory) fControl = factory(*this, *w);
}

void TzbBarItemLink::DestroyControl() {
  if (!fControl) return;
  TzbBarWindow& w = fControl->Parent();
  if (w.SelectedControl() == fControl.get()) w.DeselectControl();
  fControl.reset();
}

void TzbBarItemLink::Changed() {
  TzbBarManager& m = fOwner->Manager();
  // The window showing the links lays them out again once the change is complete.
  if (TzbBarWindow* w = fOwner->BarControl(); w && !m.IsDestroying()) w->PostRecalculate();
  if (fOwner->OwnerKind() != TzbBarItemLinks::okLibraryPopup) m.DesignerModified();
  if (!m.IsLoading() && m.OnItemLinkChange) m.OnItemLinkChange(m, *this);
}

void TzbBarItemLink::Assign(const TzbBarItemLink& source) {
  Data = source.Data;
  fUserCaption = source.fUserCaption;
  fUserGlyph = source.fUserGlyph;
  fUserPaintStyle = source.fUserPaintStyle;
  fUserWidth = source.fUserWidth;
  TzbBarItem* item = source.fItem;
  if (item &&
      (fOwner->OwnerKind() == TzbBarItemLinks::okSubItem || fOwner->OwnerKind() == TzbBarItemLinks::okPopupMenu) &&
      &item->BarManager() != &fOwner->Manager()) {
    item = fOwner->Manager().GetItemByName(item->Name);
  }
  if (item && item != fItem) {
    if (!item->CanBePlacedIn(*fOwner)) throw std::runtime_error("You cannot create recursive subitems");
    if (fItem) {
      auto& l = fItem->fLinks;
      l.erase(std::remove(l.begin(), l.end(), this), l.end());
    }
    fItem = item;
    item->fLinks.push_back(this);
  }
  fUserDefine = source.fUserDefine;
  fBeginGroup = source.GetBeginGroup();
  SetVisible(source.fVisible);
}

void TzbBarItemLink::ApplyLoadedVisible() { SetVisible(LoadedVisible); }

// ---------------------------------------------------------------- TzbBarItemLinks

TzbBarItemLinks::TzbBarItemLinks(TzbBarManager& manager, TOwnerKind kind, TzbBar* bar, TzbBarItem* item)
    : fManager(&manager), fKind(kind), fBar(bar), fItem(item) {}

TzbBarItemLinks::~TzbBarItemLinks() {
  fWindow.reset();
  Clear();
}

TzbBarItemLink* TzbBarItemLinks::Add() { return Insert(Count()); }

TzbBarItemLink* TzbBarItemLinks::Insert(int index) {
  index = std::clamp(index, 0, Count());
  auto link = std::make_unique<TzbBarItemLink>(*this);
  TzbBarItemLink* raw = link.get();
  raw->LoadedVisible = true;
  fLinks.insert(fLinks.begin() + index, std::move(link));
  fRecent.push_back(raw);
  if (!fManager->IsLoading() && fManager->OnItemLinkAdd) fManager->OnItemLinkAdd(*fManager, *raw);
  Update();
  return raw;
}

void TzbBarItemLinks::Delete(TzbBarItemLink* link) {
  const int index = IndexOf(link);
  if (index < 0) return;
  if (!fManager->IsDestroying() && fManager->OnItemLinkDelete) fManager->OnItemLinkDelete(*fManager, *link);
  link->DestroyControl();
  if (TzbBarItem* item = link->fItem) {
    auto& l = item->fLinks;
    l.erase(std::remove(l.begin(), l.end(), link), l.end());
  }
  fRecent.erase(std::remove(fRecent.begin(), fRecent.end(), link), fRecent.end());
  std::unique_ptr<TzbBarItemLink> owned = std::move(fLinks[index]);
  fLinks.erase(fLinks.begin() + index);
  owned.reset();
  if (fClearing) return;
  Update();
  if (TzbBarWindow* w = BarControl(); w && !fManager->IsDestroying()) w->Recalculate();
}

void TzbBarItemLinks::Clear() {
  fClearing = true;
  while (!fLinks.empty()) Delete(fLinks.back().get());
  fClearing = false;
  fAvailable.clear();
  fVisible.clear();
  fShown.clear();
  fRecent.clear();
}

TzbBarItemLink* TzbBarItemLinks::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fLinks[index].get();
}

int TzbBarItemLinks::IndexOf(const TzbBarItemLink* link) const {
  for (int i = 0; i < Count(); ++i)
    if (fLinks[i].get() == link) return i;
  return -1;
}

void TzbBarItemLinks::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count() || curIndex == newIndex) return;
  auto link = std::move(fLinks[curIndex]);
  fLinks.erase(fLinks.begin() + curIndex);
  fLinks.insert(fLinks.begin() + newIndex, std::move(link));
  Update();
}

void TzbBarItemLinks::Assign(const TzbBarItemLinks& source) {
  fAssigning = true;
  fClearing = true;
  while (!fLinks.empty()) Delete(fLinks.back().get());
  fClearing = false;
  fRecent.clear();
  for (const auto& src : source.fLinks) {
    auto link = std::make_unique<TzbBarItemLink>(*this);
    TzbBarItemLink* raw = link.get();
    fLinks.push_back(std::move(link));
    fRecent.push_back(raw);
    raw->Assign(*src);
  }
  fAssigning = false;
  for (const auto& l : fLinks) l->ApplyLoadedVisible();
  Update();
}

void TzbBarItemLinks::RefreshLists() {
  fAvailable.clear();
  fVisible.clear();
  fShown.clear();
  const bool designing = fManager->Designing;
  for (const auto& up : fLinks) {
    TzbBarItemLink* l = up.get();
    if (!l->fItem || !(designing || l->fItem->ActualVisible())) continue;
    fAvailable.push_back(l);
    if (!(designing || l->fVisible)) continue;
    fVisible.push_back(l);
    if (designing || fRecentLimit == -1) fShown.push_back(l);
  }
  if (designing || fRecentLimit < 1) return;
  for (TzbBarItemLink* l : fRecent) {
    if (static_cast<int>(fShown.size()) >= fRecentLimit) break;
    if (IndexIn(fVisible, l) >= 0) fShown.push_back(l);
  }
  std::sort(fShown.begin(), fShown.end(),
            [&](TzbBarItemLink* a, TzbBarItemLink* b) { return IndexIn(fVisible, a) < IndexIn(fVisible, b); });
}

bool TzbBarItemLinks::RecentItemsActive() const {
  if (!fManager->CanUseRecentItems()) return false;
  return UseRecentItems;
}

int TzbBarItemLinks::CalcRecentCount() const {
  if (!RecentItemsActive()) return -1;
  if (fVisible.empty()) return -1;
  int lo = fVisible.front()->UseCount, hi = lo;
  for (TzbBarItemLink* l : fVisible) {
    lo = std::min(lo, l->UseCount);
    hi = std::max(hi, l->UseCount);
  }
  const int threshold = lo + MulDiv(hi - lo, 100 - fManager->MostRecentItemsPercents(), 100);
  const int n = static_cast<int>(fVisible.size());
  int answer = 0;
  for (int i = std::min(n, static_cast<int>(fRecent.size())) - 1; i >= 0; --i) {
    TzbBarItemLink* l = fRecent[i];
    if (&l->Collection() == this && l->UseCount >= threshold) {
      answer = i + 1;
      break;
    }
  }
  return answer == n ? -1 : answer;
}

void TzbBarItemLinks::SetRecentLimit(int count) {
  fSavedRecentLimit = fRecentLimit;
  fRecentLimit = RecentItemsActive() ? count : -1;
  RefreshLists();
}

void TzbBarItemLinks::RestoreRecentLimit() {
  fRecentLimit = fSavedRecentLimit;
  RefreshLists();
}

void TzbBarItemLinks::MoveInRecentList(TzbBarItemLink* link, int index) {
  const int cur = IndexIn(fRecent, link);
  if (cur < 0) return;
  fRecent.erase(fRecent.begin() + cur);
  index = std::clamp(index, 0, static_cast<int>(fRecent.size()));
  fRecent.insert(fRecent.begin() + index, link);
  RefreshLists();
}

void TzbBarItemLinks::ApplyLoadedState(bool applyVisible) {
  for (int i = Count() - 1; i >= 0; --i)
    if (fLinks[i]->fItem) fLinks[i]->ResetUsage();
  if (applyVisible)
    for (int i = Count() - 1; i >= 0; --i) fLinks[i]->ApplyLoadedVisible();
  for (int index = 0; index < Count(); ++index) {
    for (const auto& l : fLinks) {
      if (l->LoadedRecentIndex != index) continue;
      l->UseCount = std::max(0, l->LoadedUseCount);  // a stored count below 0 counts as unused
      MoveInRecentList(l.get(), index);
      l->LoadedRecentIndex = -1;
    }
  }
}

void TzbBarItemLinks::AssignUsage(const TzbBarItemLinks& source) {
  for (int i = 0; i < Count() && i < source.Count(); ++i)
    fLinks[i]->fMostRecentlyUsed = source.fLinks[i]->fMostRecentlyUsed;
  ApplyLoadedState(false);
  CompactRecentList();
}

void TzbBarItemLinks::CompactRecentList() {
  std::stable_partition(fRecent.begin(), fRecent.end(), [&](TzbBarItemLink* l) { return IndexIn(fVisible, l) >= 0; });
  RefreshLists();
}

bool TzbBarItemLinks::IsShortCut(TShortCut shortCut) {
  if (shortCut == 0) return false;
  const std::vector<TzbBarItemLink*> links = fAvailable;
  for (TzbBarItemLink* l : links) {
    TzbBarItem* item = l->fItem;
    if (!item || !item->GetEnabled()) continue;
    if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) {
      if (sub->IsShortCut(shortCut)) return true;
    } else if (item->CanClicked() && item->ShortCut() == shortCut) {
      item->Click();
      return true;
    }
  }
  return false;
}

TzbBarItemLink* TzbBarItemLinks::FindAccelerator(int key, unsigned shift, TzbBarItemLink* startLink) const {
  shift &= ~ssAlt;
  // Over the visible links: a personalized menu may hide the match (it is then shown first).
  const std::vector<TzbBarItemLink*>& list = fVisible;
  const int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  const int start = startLink ? IndexIn(list, startLink) : -1;
  for (int k = 1; k <= n; ++k) {
    TzbBarItemLink* l = list[((start < 0 ? -1 : start) + k + n) % n];
    if (l->fItem && l->fItem->CanUseAccel(*l) && l->IsAccelerator(key, shift)) return l;
  }
  return nullptr;
}

int TzbBarItemLinks::GetFitCount() const {
  if (fKind != okBar || !BarControl()) return static_cast<int>(fShown.size());
  const TRect client = BarControl()->ClientRect();
  int count = 0;
  for (TzbBarItemLink* l : fShown) {
    if (IsRectEmpty(l->ItemRect)) break;
    TRect common;
    if (!IntersectRect(common, l->ItemRect, client) || !(common == l->ItemRect)) break;
    ++count;
  }
  return count;
}

namespace {
bool Selectable(const TzbBarItemLink* l) { return l->Control() && l->Control()->CanSelect(); }
}  // namespace

TzbBarItemLink* TzbBarItemLinks::FirstSelectable() const {
  const int n = GetFitCount();
  for (int i = 0; i < n; ++i)
    if (Selectable(fShown[i])) return fShown[i];
  return nullptr;
}

TzbBarItemLink* TzbBarItemLinks::LastSelectable() const {
  for (int i = GetFitCount() - 1; i >= 0; --i)
    if (Selectable(fShown[i])) return fShown[i];
  return nullptr;
}

TzbBarItemLink* TzbBarItemLinks::NextSelectable(TzbBarItemLink* link) const {
  const int n = GetFitCount();
  if (n == 0) return nullptr;
  const int start = IndexIn(fShown, link);
  for (int k = 1; k <= n; ++k) {
    TzbBarItemLink* l = fShown[((start < 0 ? -1 : start) + k) % n];
    if (Selectable(l)) return l;
  }
  return nullptr;
}

TzbBarItemLink* TzbBarItemLinks::PrevSelectable(TzbBarItemLink* link) const {
  const int n = GetFitCount();
  if (n == 0) return nullptr;
  const int start = IndexIn(fShown, link);
  for (int k = 1; k <= n; ++k) {
    TzbBarItemLink* l = fShown[(((start < 0 ? 0 : start) - k) % n + n) % n];
    if (Selectable(l)) return l;
  }
  return nullptr;
}

bool TzbBarItemLinks::ContainsItem(const TzbBarItem& item) const {
  for (const auto& l : fLinks)
    if (l->ContainsItem(item)) return true;
  return false;
}

void TzbBarItemLinks::ClearItemRects() {
  for (const auto& l : fLinks) l->ItemRect = TRect{};
}

void TzbBarItemLinks::CreateBarControl() {
  if (BarControl() || !fManager->WindowFactory) return;
  fWindow = fManager->WindowFactory(*this);
  if (!fWindow) return;
  for (TzbBarItemLink* l : fShown) l->CreateControl();
  fWindow->ControlsCreated();
}

void TzbBarItemLinks::DestroyBarControl() {
  for (const auto& l : fLinks) l->DestroyControl();
  fWindow.reset();
}

void TzbBarItemLinks::SetExternalBarControl(TzbBarWindow* window) {
  if (!window)
    for (const auto& l : fLinks) l->DestroyControl();
  fExternalWindow = window;
}

void TzbBarItemLinks::Update() {
  if (fKind != okLibraryPopup) fManager->DesignerModified();
  RefreshLists();
  if (fKind == okSubItem && fItem) ContainerLinksChanged(*fItem);
  if (OnChange) OnChange();
}

}  // namespace zyn
