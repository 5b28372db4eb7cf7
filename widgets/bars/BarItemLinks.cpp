#include "widgets/bars/BarItemLinks.h"

#include "widgets/bars/BarButtons.h"
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

TzbBarItemLink::TzbBarItemLink(TzbBarItemLinks& owner) : owner_(&owner) {
  UseCount = owner.Manager().StartUseCount();
}

TzbBarItemLink::~TzbBarItemLink() = default;

void TzbBarItemLink::SetItem(TzbBarItem* value) {
  if (value == item_) return;
  if (item_) {
    auto& l = item_->links_;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    item_ = nullptr;
  }
  if (!value) {
    owner_->Delete(this);
    return;
  }
  if (!value->CanBePlacedIn(*owner_)) throw std::runtime_error("You cannot create recursive subitems");
  item_ = value;
  value->links_.push_back(this);
  owner_->RefreshLists();
  if (!owner_->Manager().IsLoading()) ResetUsage();
  Changed();
}

bool TzbBarItemLink::GetBeginGroup() const {
  const int shown = ShownIndex();
  if (shown == 0) return false;
  if (shown < 0) return beginGroup_;
  if (beginGroup_) return true;
  // Links hidden by the recent filter between the previous shown link and this one.
  const auto& shownList = owner_->ShownLinks();
  const auto& avail = owner_->AvailableLinks();
  const int from = IndexIn(avail, shownList[shown - 1]);
  const int to = IndexIn(avail, this);
  for (int i = from + 1; i < to; ++i)
    if (avail[i]->beginGroup_) return true;
  return false;
}

void TzbBarItemLink::SetBeginGroup(bool value) {
  beginGroup_ = value;
  if (control_) control_->Changed(TzbControlChange::BeginGroup);
  Changed();
}

void TzbBarItemLink::SetVisible(bool value) {
  if (owner_->Manager().IsLoading() || owner_->Assigning()) {
    LoadedVisible = value;
    return;
  }
  if (value == visible_) return;
  visible_ = value;
  if (!owner_->Manager().Designing) owner_->RefreshLists();
  if (value) {
    UseLink(false);
    if (owner_->BarControl()) {
      CreateControl();
      if (control_) control_->Changed(TzbControlChange::Visible);
    }
  } else {
    MoveToRecentEnd();
    if (control_) {
      control_->Changed(TzbControlChange::Visible);
      DestroyControl();
    }
  }
  Changed();
}

void TzbBarItemLink::SetMostRecentlyUsed(bool value) {
  if (value == mostRecentlyUsed_) return;
  mostRecentlyUsed_ = value;
  ResetUsage();
  if (owner_->BarControl()) owner_->BarControl()->Recalculate();
  Changed();
}

void TzbBarItemLink::SetUserCaption(const std::string& value) {
  if (value == userCaption_ && (userDefine_ & UserDefineBit(udCaption))) return;
  userCaption_ = value;
  userDefine_ |= UserDefineBit(udCaption);
  if (control_) control_->Changed(TzbControlChange::Caption);
  Changed();
}

void TzbBarItemLink::SetUserGlyph(const QImage& value) {
  userGlyph_ = value;
  userDefine_ |= UserDefineBit(udGlyph);
  if (control_) control_->Changed(TzbControlChange::Glyph);
  Changed();
}

void TzbBarItemLink::SetUserPaintStyle(TzbBarPaintStyle value) {
  if (value == RealPaintStyle()) return;
  userPaintStyle_ = value;
  userDefine_ |= UserDefineBit(udPaintStyle);
  if (control_) control_->Changed(TzbControlChange::PaintStyle);
  Changed();
}

void TzbBarItemLink::SetUserWidth(int value) {
  if (value < 20) value = 20;
  if (value == RealWidth()) return;
  userWidth_ = value;
  userDefine_ |= UserDefineBit(udWidth);
  if (control_) control_->Changed(TzbControlChange::Layout);
  Changed();
}

void TzbBarItemLink::SetUserDefine(TzbBarUserDefines value) {
  userDefine_ = value;
  if (!(value & UserDefineBit(udCaption))) userCaption_.clear();
  if (!(value & UserDefineBit(udGlyph))) userGlyph_ = QImage();
  if (!(value & UserDefineBit(udPaintStyle))) userPaintStyle_ = psStandard;
  if (!(value & UserDefineBit(udWidth))) userWidth_ = 0;
  if (control_) {
    control_->Changed(TzbControlChange::Caption);
    control_->Changed(TzbControlChange::Glyph);
  }
  Changed();
}

std::string TzbBarItemLink::RealCaption() const {
  if (userDefine_ & UserDefineBit(udCaption)) return userCaption_;
  return item_ ? item_->Caption() : std::string();
}

QImage TzbBarItemLink::RealGlyph() const {
  if ((userDefine_ & UserDefineBit(udGlyph)) || !item_) return userGlyph_;
  return item_->Glyph();
}

TzbBarPaintStyle TzbBarItemLink::RealPaintStyle() const {
  if (userDefine_ & UserDefineBit(udPaintStyle)) return userPaintStyle_;
  return item_ ? ItemPaintStyle(*item_) : psStandard;
}

int TzbBarItemLink::RealWidth() const {
  if (userDefine_ & UserDefineBit(udWidth)) return userWidth_;
  return item_ ? ItemWidth(*item_) : 0;
}

void TzbBarItemLink::UseLink(bool count) {
  if (!item_ || !item_->ActualVisible() || !visible_) return;
  const bool wasShown = ShownIndex() >= 0;
  owner_->MoveInRecentList(this, 0);
  if (count) ++UseCount;
  TzbBarWindow* w = owner_->BarControl();
  if (!wasShown && w && owner_->OwnerKind() == TzbBarItemLinks::okBar && w->IsDocked() &&
      owner_->Manager().CanUseRecentItems())
    w->PostRecalculate();
  // The use climbs to the link through which the sub-item owning this collection is open.
  if (owner_->OwnerKind() == TzbBarItemLinks::okSubItem && owner_->OwnerItem()) {
    TzbBarItemLink* opener = owner_->OwnerItem()->CurItemLink();
    if (opener && opener->SourceLink) opener = opener->SourceLink;
    if (opener && opener != this) opener->UseLink(count);
  }
}

void TzbBarItemLink::ResetUsage() {
  if (mostRecentlyUsed_) {
    UseCount = owner_->Manager().StartUseCount();
    UseLink(false);
  } else {
    UseCount = 0;
    MoveToRecentEnd();
  }
}

void TzbBarItemLink::MoveToRecentEnd() {
  const bool wasShown = ShownIndex() >= 0;
  owner_->MoveInRecentList(this, static_cast<int>(owner_->recent_.size()) - 1);
  TzbBarWindow* w = owner_->BarControl();
  if (wasShown && w && owner_->OwnerKind() == TzbBarItemLinks::okBar && w->IsDocked() &&
      owner_->Manager().CanUseRecentItems())
    w->PostRecalculate();
}

int TzbBarItemLink::RecentIndex() const { return IndexIn(owner_->recent_, this); }
int TzbBarItemLink::AvailableIndex() const { return IndexIn(owner_->available_, this); }
int TzbBarItemLink::VisibleIndex() const { return IndexIn(owner_->visible_, this); }
int TzbBarItemLink::ShownIndex() const { return IndexIn(owner_->shown_, this); }

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
  if (!item_) return false;
  return item_ == &item || item_->ContainsItem(item);
}

void TzbBarItemLink::CreateControl() {
  TzbBarWindow* w = owner_->BarControl();
  if (!w || !item_ || control_) return;
  const TzbBarItemControlFactory factory = ControlClassOf(item_->ClassName());
  if (factory) control_ = factory(*this, *w);
}

void TzbBarItemLink::DestroyControl() {
  if (!control_) return;
  TzbBarWindow& w = control_->Parent();
  if (w.SelectedControl() == control_.get()) w.DeselectControl();
  control_.reset();
}

void TzbBarItemLink::Changed() {
  TzbBarManager& m = owner_->Manager();
  // The window showing the links lays them out again once the change is complete.
  if (TzbBarWindow* w = owner_->BarControl(); w && !m.IsDestroying()) w->PostRecalculate();
  if (owner_->OwnerKind() != TzbBarItemLinks::okLibraryPopup) m.DesignerModified();
  if (!m.IsLoading() && m.OnItemLinkChange) m.OnItemLinkChange(m, *this);
}

void TzbBarItemLink::Assign(const TzbBarItemLink& source) {
  Data = source.Data;
  userCaption_ = source.userCaption_;
  userGlyph_ = source.userGlyph_;
  userPaintStyle_ = source.userPaintStyle_;
  userWidth_ = source.userWidth_;
  TzbBarItem* item = source.item_;
  if (item && (owner_->OwnerKind() == TzbBarItemLinks::okSubItem || owner_->OwnerKind() == TzbBarItemLinks::okPopupMenu) &&
      &item->BarManager() != &owner_->Manager()) {
    item = owner_->Manager().GetItemByName(item->Name);
  }
  if (item && item != item_) {
    if (!item->CanBePlacedIn(*owner_)) throw std::runtime_error("You cannot create recursive subitems");
    if (item_) {
      auto& l = item_->links_;
      l.erase(std::remove(l.begin(), l.end(), this), l.end());
    }
    item_ = item;
    item->links_.push_back(this);
  }
  userDefine_ = source.userDefine_;
  beginGroup_ = source.GetBeginGroup();
  SetVisible(source.visible_);
}

void TzbBarItemLink::ApplyLoadedVisible() {
  SetVisible(LoadedVisible);
}

// ---------------------------------------------------------------- TzbBarItemLinks

TzbBarItemLinks::TzbBarItemLinks(TzbBarManager& manager, TOwnerKind kind, TzbBar* bar, TzbBarItem* item)
    : manager_(&manager), kind_(kind), bar_(bar), item_(item) {}

TzbBarItemLinks::~TzbBarItemLinks() {
  window_.reset();
  Clear();
}

TzbBarItemLink* TzbBarItemLinks::Add() { return Insert(Count()); }

TzbBarItemLink* TzbBarItemLinks::Insert(int index) {
  index = std::clamp(index, 0, Count());
  auto link = std::make_unique<TzbBarItemLink>(*this);
  TzbBarItemLink* raw = link.get();
  raw->LoadedVisible = true;
  links_.insert(links_.begin() + index, std::move(link));
  recent_.push_back(raw);
  if (!manager_->IsLoading() && manager_->OnItemLinkAdd) manager_->OnItemLinkAdd(*manager_, *raw);
  Update();
  return raw;
}

void TzbBarItemLinks::Delete(TzbBarItemLink* link) {
  const int index = IndexOf(link);
  if (index < 0) return;
  if (!manager_->IsDestroying() && manager_->OnItemLinkDelete) manager_->OnItemLinkDelete(*manager_, *link);
  link->DestroyControl();
  if (TzbBarItem* item = link->item_) {
    auto& l = item->links_;
    l.erase(std::remove(l.begin(), l.end(), link), l.end());
  }
  recent_.erase(std::remove(recent_.begin(), recent_.end(), link), recent_.end());
  std::unique_ptr<TzbBarItemLink> owned = std::move(links_[index]);
  links_.erase(links_.begin() + index);
  owned.reset();
  if (clearing_) return;
  Update();
  if (TzbBarWindow* w = BarControl(); w && !manager_->IsDestroying()) w->Recalculate();
}

void TzbBarItemLinks::Clear() {
  clearing_ = true;
  while (!links_.empty()) Delete(links_.back().get());
  clearing_ = false;
  available_.clear();
  visible_.clear();
  shown_.clear();
  recent_.clear();
}

TzbBarItemLink* TzbBarItemLinks::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return links_[index].get();
}

int TzbBarItemLinks::IndexOf(const TzbBarItemLink* link) const {
  for (int i = 0; i < Count(); ++i)
    if (links_[i].get() == link) return i;
  return -1;
}

void TzbBarItemLinks::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count() || curIndex == newIndex) return;
  auto link = std::move(links_[curIndex]);
  links_.erase(links_.begin() + curIndex);
  links_.insert(links_.begin() + newIndex, std::move(link));
  Update();
}

void TzbBarItemLinks::Assign(const TzbBarItemLinks& source) {
  assigning_ = true;
  clearing_ = true;
  while (!links_.empty()) Delete(links_.back().get());
  clearing_ = false;
  recent_.clear();
  for (const auto& src : source.links_) {
    auto link = std::make_unique<TzbBarItemLink>(*this);
    TzbBarItemLink* raw = link.get();
    links_.push_back(std::move(link));
    recent_.push_back(raw);
    raw->Assign(*src);
  }
  assigning_ = false;
  for (const auto& l : links_) l->ApplyLoadedVisible();
  Update();
}

void TzbBarItemLinks::RefreshLists() {
  available_.clear();
  visible_.clear();
  shown_.clear();
  const bool designing = manager_->Designing;
  for (const auto& up : links_) {
    TzbBarItemLink* l = up.get();
    if (!l->item_ || !(designing || l->item_->ActualVisible())) continue;
    available_.push_back(l);
    if (!(designing || l->visible_)) continue;
    visible_.push_back(l);
    if (designing || recentLimit_ == -1) shown_.push_back(l);
  }
  if (designing || recentLimit_ < 1) return;
  for (TzbBarItemLink* l : recent_) {
    if (static_cast<int>(shown_.size()) >= recentLimit_) break;
    if (IndexIn(visible_, l) >= 0) shown_.push_back(l);
  }
  std::sort(shown_.begin(), shown_.end(),
            [&](TzbBarItemLink* a, TzbBarItemLink* b) { return IndexIn(visible_, a) < IndexIn(visible_, b); });
}

bool TzbBarItemLinks::RecentItemsActive() const {
  if (!manager_->CanUseRecentItems()) return false;
  return UseRecentItems;
}

int TzbBarItemLinks::CalcRecentCount() const {
  if (!RecentItemsActive()) return -1;
  if (visible_.empty()) return -1;
  int lo = visible_.front()->UseCount, hi = lo;
  for (TzbBarItemLink* l : visible_) {
    lo = std::min(lo, l->UseCount);
    hi = std::max(hi, l->UseCount);
  }
  const int threshold = lo + MulDiv(hi - lo, 100 - manager_->MostRecentItemsPercents(), 100);
  const int n = static_cast<int>(visible_.size());
  int answer = 0;
  for (int i = std::min(n, static_cast<int>(recent_.size())) - 1; i >= 0; --i) {
    TzbBarItemLink* l = recent_[i];
    if (&l->Collection() == this && l->UseCount >= threshold) {
      answer = i + 1;
      break;
    }
  }
  return answer == n ? -1 : answer;
}

void TzbBarItemLinks::SetRecentLimit(int count) {
  savedRecentLimit_ = recentLimit_;
  recentLimit_ = RecentItemsActive() ? count : -1;
  RefreshLists();
}

void TzbBarItemLinks::RestoreRecentLimit() {
  recentLimit_ = savedRecentLimit_;
  RefreshLists();
}

void TzbBarItemLinks::MoveInRecentList(TzbBarItemLink* link, int index) {
  const int cur = IndexIn(recent_, link);
  if (cur < 0) return;
  recent_.erase(recent_.begin() + cur);
  index = std::clamp(index, 0, static_cast<int>(recent_.size()));
  recent_.insert(recent_.begin() + index, link);
  RefreshLists();
}

void TzbBarItemLinks::ApplyLoadedState(bool applyVisible) {
  for (int i = Count() - 1; i >= 0; --i)
    if (links_[i]->item_) links_[i]->ResetUsage();
  if (applyVisible)
    for (int i = Count() - 1; i >= 0; --i) links_[i]->ApplyLoadedVisible();
  for (int index = 0; index < Count(); ++index) {
    for (const auto& l : links_) {
      if (l->LoadedRecentIndex != index) continue;
      l->UseCount = std::max(0, l->LoadedUseCount);  // a stored count below 0 counts as unused
      MoveInRecentList(l.get(), index);
      l->LoadedRecentIndex = -1;
    }
  }
}

void TzbBarItemLinks::AssignUsage(const TzbBarItemLinks& source) {
  for (int i = 0; i < Count() && i < source.Count(); ++i)
    links_[i]->mostRecentlyUsed_ = source.links_[i]->mostRecentlyUsed_;
  ApplyLoadedState(false);
  CompactRecentList();
}

void TzbBarItemLinks::CompactRecentList() {
  std::stable_partition(recent_.begin(), recent_.end(), [&](TzbBarItemLink* l) { return IndexIn(visible_, l) >= 0; });
  RefreshLists();
}

bool TzbBarItemLinks::IsShortCut(TShortCut shortCut) {
  if (shortCut == 0) return false;
  const std::vector<TzbBarItemLink*> links = available_;
  for (TzbBarItemLink* l : links) {
    TzbBarItem* item = l->item_;
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
  const std::vector<TzbBarItemLink*>& list = visible_;
  const int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  const int start = startLink ? IndexIn(list, startLink) : -1;
  for (int k = 1; k <= n; ++k) {
    TzbBarItemLink* l = list[((start < 0 ? -1 : start) + k + n) % n];
    if (l->item_ && l->item_->CanUseAccel(*l) && l->IsAccelerator(key, shift)) return l;
  }
  return nullptr;
}

int TzbBarItemLinks::GetFitCount() const {
  if (kind_ != okBar || !BarControl()) return static_cast<int>(shown_.size());
  const TRect client = BarControl()->ClientRect();
  int count = 0;
  for (TzbBarItemLink* l : shown_) {
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
    if (Selectable(shown_[i])) return shown_[i];
  return nullptr;
}

TzbBarItemLink* TzbBarItemLinks::LastSelectable() const {
  for (int i = GetFitCount() - 1; i >= 0; --i)
    if (Selectable(shown_[i])) return shown_[i];
  return nullptr;
}

TzbBarItemLink* TzbBarItemLinks::NextSelectable(TzbBarItemLink* link) const {
  const int n = GetFitCount();
  if (n == 0) return nullptr;
  const int start = IndexIn(shown_, link);
  for (int k = 1; k <= n; ++k) {
    TzbBarItemLink* l = shown_[((start < 0 ? -1 : start) + k) % n];
    if (Selectable(l)) return l;
  }
  return nullptr;
}

TzbBarItemLink* TzbBarItemLinks::PrevSelectable(TzbBarItemLink* link) const {
  const int n = GetFitCount();
  if (n == 0) return nullptr;
  const int start = IndexIn(shown_, link);
  for (int k = 1; k <= n; ++k) {
    TzbBarItemLink* l = shown_[(((start < 0 ? 0 : start) - k) % n + n) % n];
    if (Selectable(l)) return l;
  }
  return nullptr;
}

bool TzbBarItemLinks::ContainsItem(const TzbBarItem& item) const {
  for (const auto& l : links_)
    if (l->ContainsItem(item)) return true;
  return false;
}

void TzbBarItemLinks::ClearItemRects() {
  for (const auto& l : links_) l->ItemRect = TRect{};
}

void TzbBarItemLinks::CreateBarControl() {
  if (BarControl() || !manager_->WindowFactory) return;
  window_ = manager_->WindowFactory(*this);
  if (!window_) return;
  for (TzbBarItemLink* l : shown_) l->CreateControl();
  window_->ControlsCreated();
}

void TzbBarItemLinks::DestroyBarControl() {
  for (const auto& l : links_) l->DestroyControl();
  window_.reset();
}

void TzbBarItemLinks::SetExternalBarControl(TzbBarWindow* window) {
  if (!window)
    for (const auto& l : links_) l->DestroyControl();
  externalWindow_ = window;
}

void TzbBarItemLinks::Update() {
  if (kind_ != okLibraryPopup) manager_->DesignerModified();
  RefreshLists();
  if (kind_ == okSubItem && item_) ContainerLinksChanged(*item_);
  if (OnChange) OnChange();
}

}  // namespace zyn
