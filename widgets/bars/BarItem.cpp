#include "widgets/bars/BarItem.h"

#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarWindow.h"

#include <cstring>
#include <exception>

namespace zyn {

namespace {


std::string PlainCaptionOf(const std::string& caption) {
  std::string s = caption;
  const auto amp = s.find('&');
  if (amp != std::string::npos) s.erase(amp, 1);
  const auto dots = s.find("...");
  if (dots != std::string::npos) s.erase(dots, 3);
  return s;
}

}  // namespace

TzbBarItem::TzbBarItem(TzbBarManager& manager) : manager_(&manager) {}

TzbBarItem::~TzbBarItem() = default;

bool TzbBarItem::InheritsFrom(const char* className) const { return std::strcmp(className, kClassName) == 0; }

void TzbBarItem::BeforeDestroy() {
  destroying_ = true;
  if (OnDestroy) OnDestroy(*this);
  ClearLinks();
}

void TzbBarItem::ClearLinks() {
  bool onToolbar = false;
  for (TzbBarItemLink* link : links_)
    if (link->Collection().OwnerKind() == TzbBarItemLinks::okBar && link->Collection().BarControl()) onToolbar = true;
  const bool lock = onToolbar && !manager_->IsDestroying();
  TzbBarLockScope scope(*manager_, lock);
  while (!links_.empty()) {
    TzbBarItemLink* link = links_.back();
    link->Collection().Delete(link);
  }
}

TzbBarItemLink* TzbBarItem::GetLink(int index) const {
  if (index < 0 || index >= LinkCount()) return nullptr;
  return links_[index];
}

TzbBarItemLink* TzbBarItem::CurItemLink() const {
  for (TzbBarItemLink* link : links_)
    if (link->Control() && link->Control()->Active) return link;
  return nullptr;
}

bool TzbBarItem::HasControls() const {
  for (TzbBarItemLink* link : links_)
    if (link->Control()) return true;
  return false;
}

int TzbBarItem::GetIndex() const { return manager_->IndexOfItem(this); }

std::string TzbBarItem::GetPlainCaption() const { return PlainCaptionOf(caption_); }

void TzbBarItem::SetCaption(const std::string& value) {
  if (value == caption_) return;
  bool hintFollows = false;
  if (!InheritsFrom("TCustomzbBarSubItem")) {
    if (hint_.empty()) {
      hintFollows = true;
    } else {
      const std::string shortHint = hint_.substr(0, hint_.find('|'));
      hintFollows = shortHint == PlainCaptionOf(caption_);
    }
  }
  caption_ = value;
  if (loading_) return;
  if (hintFollows) {
    const auto bar = hint_.find('|');
    const std::string shortHint = PlainCaptionOf(caption_);
    hint_ = bar == std::string::npos ? shortHint : shortHint + hint_.substr(bar);
  }
  CaptionChanged();
}

void TzbBarItem::SetDescription(const std::string& value) {
  if (value == description_) return;
  description_ = value;
  NotifyDesigner();
}

void TzbBarItem::SetCategory(int value) {
  if (loading_) {
    category_ = value;
    return;
  }
  if (value < 0 || value >= manager_->Categories().Count()) return;
  category_ = value;
  NotifyDesigner();
}

bool TzbBarItem::GetEnabled() const {
  if (manager_->Customizing() && !manager_->Designing && category_ >= 0) return true;
  return enabled_;
}

void TzbBarItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (!loading_) EnabledChanged();
}

void TzbBarItem::SetVisible(TzbBarItemVisible value) {
  if (loading_ || manager_->IsLoading()) {
    loadedVisible_ = value;
    return;
  }
  if (value == visible_) return;
  visible_ = value;
  VisibleChanged();
}

bool TzbBarItem::ActualVisible() const {
  switch (visible_) {
    case ivAlways: return CanBeVisible() || manager_->IsCustomizing();
    case ivInCustomizing: return manager_->IsCustomizing();
    default: return false;
  }
}

void TzbBarItem::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  GlyphUpdated();
}

void TzbBarItem::SetGlyph(const QImage& value) {
  glyph_ = value;
  GlyphUpdated();
}

void TzbBarItem::SetShortCut(TShortCut value) {
  if (value == shortCut_) return;
  shortCut_ = value;
  if (!loading_) ShortCutChanged();
}

void TzbBarItem::SetAlign(TzbBarItemAlign value) {
  if (value == align_) return;
  align_ = value;
  AlignChanged();
}

void TzbBarItem::NotifyDesigner() { manager_->DesignerModified(); }

void TzbBarItem::TellControls(TzbControlChange change, bool skipCaptionOverride, bool skipGlyphOverride) {
  // A copy: a control's reaction may change the link list.
  const std::vector<TzbBarItemLink*> links = links_;
  for (TzbBarItemLink* link : links) {
    if (!link->Control()) continue;
    if (skipCaptionOverride && (link->UserDefine() & UserDefineBit(udCaption))) continue;
    if (skipGlyphOverride && (link->UserDefine() & UserDefineBit(udGlyph))) continue;
    link->Control()->Changed(change);
  }
}

void TzbBarItem::CaptionChanged() {
  TellControls(TzbControlChange::Caption, true, false);
  NotifyDesigner();
}

void TzbBarItem::EnabledChanged() { TellControls(TzbControlChange::Enabled); }

void TzbBarItem::GlyphUpdated() {
  TellControls(TzbControlChange::Glyph, false, true);
  NotifyDesigner();
}

void TzbBarItem::ShortCutChanged() {
  TellControls(TzbControlChange::ShortCut);
  NotifyDesigner();
}

void TzbBarItem::UpdateControls() {
  for (TzbBarItemLink* link : links_) {
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    TzbBarWindow& w = c->Parent();
    if (w.SelectedControl() == c && w.IsActive()) continue;
    w.RepaintControl(*c);
  }
}

void TzbBarItem::LayoutChanged() {
  for (TzbBarItemLink* link : links_) {
    TzbBarItemControl* c = link->Control();
    TzbBarWindow* w = link->Collection().BarControl();
    if (!w) continue;
    if (c && w->SelectedControl() == c && w->IsActive()) continue;
    w->RebuildLayout();
  }
}

void TzbBarItem::AlignChanged() {
  if (loading_) return;
  for (TzbBarItemLink* link : links_)
    if (link->Control()) link->Control()->Changed(TzbControlChange::Align);
}

void TzbBarItem::VisibleChanged() {
  if (manager_->Designing) return;
  {
    TzbBarLockScope lock(*manager_);
    const std::vector<TzbBarItemLink*> links = links_;
    for (TzbBarItemLink* link : links) {
      link->Collection().RefreshLists();
      if (ActualVisible()) {
        link->SetVisible(true);
        if (!link->Control()) link->CreateControl();
        if (link->Control()) link->Control()->Changed(TzbControlChange::Visible);
      } else {
        link->SetVisible(false);
        if (link->Control()) {
          link->Control()->Changed(TzbControlChange::Visible);
          link->DestroyControl();
        }
      }
    }
  }
  NotifyDesigner();
}

void TzbBarItem::Click() {
  if (CanClicked()) DirectClick();
}

void TzbBarItem::DirectClick() {
  if (!GetEnabled()) return;
  try {
    manager_->DoClickItem(*this);
    DoClick();
  } catch (const std::exception& e) {
    if (manager_->OnException) manager_->OnException(e);
  }
}

void TzbBarItem::DoClick() {
  if (OnClick) OnClick(*this);
}

TzbBarItem& TzbBarItemControl::Item() const { return *link_->Item(); }

bool TzbBarItemControl::Enabled() const { return link_->Item() && link_->Item()->GetEnabled(); }

void TzbBarItemControl::Changed(TzbControlChange change) {
  ++ChangeCount;
  switch (change) {
    case TzbControlChange::Enabled:
      if (!CanSelect() && parent_->SelectedControl() == this) parent_->DeselectControl();
      parent_->RepaintControl(*this);
      break;
    case TzbControlChange::Visible:
    case TzbControlChange::Layout:
    case TzbControlChange::Align:
    case TzbControlChange::PaintStyle:
    case TzbControlChange::ButtonStyle:
      parent_->RebuildLayout();
      break;
    default:
      parent_->RepaintControl(*this);
      break;
  }
}

}  // namespace zyn
