#include "widgets/bars/BarItem.h"

#include "platform/ExceptionHandler.h"
#include "widgets/bars/BarItemAction.h"
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

TzbBarItem::TzbBarItem(TzbBarManager& manager) : fManager(&manager) {}

TzbBarItem::~TzbBarItem() = default;

bool TzbBarItem::InheritsFrom(const char* className) const { return IsClassName(className, kClassName); }

bool TzbBarItem::IsClassName(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

void TzbBarItem::BeforeDestroy() {
  fDestroying = true;
  if (OnDestroy) OnDestroy(*this);
  ClearLinks();
}

void TzbBarItem::ClearLinks() {
  bool onToolbar = false;
  for (TzbBarItemLink* link : fLinks)
    if (link->Collection().OwnerKind() == TzbBarItemLinks::okBar && link->Collection().BarControl()) onToolbar = true;
  const bool lock = onToolbar && !fManager->IsDestroying();
  TzbBarLockScope scope(*fManager, lock);
  while (!fLinks.empty()) {
    TzbBarItemLink* link = fLinks.back();
    link->Collection().Delete(link);
  }
}

TzbBarItemLink* TzbBarItem::GetLink(int index) const {
  if (index < 0 || index >= LinkCount()) return nullptr;
  return fLinks[index];
}

TzbBarItemLink* TzbBarItem::CurItemLink() const {
  for (TzbBarItemLink* link : fLinks)
    if (link->Control() && link->Control()->Active) return link;
  return nullptr;
}

bool TzbBarItem::HasControls() const {
  for (TzbBarItemLink* link : fLinks)
    if (link->Control()) return true;
  return false;
}

int TzbBarItem::GetIndex() const { return fManager->IndexOfItem(this); }

std::string TzbBarItem::GetPlainCaption() const { return PlainCaptionOf(fCaption); }

void TzbBarItem::SetName(const std::string& value) {
  if (value == Name) return;
  Name = value;
  NameChanged();
}

void TzbBarItem::SetCaption(const std::string& value) {
  if (value == fCaption) return;
  bool hintFollows = false;
  if (!InheritsFrom("TCustomzbBarSubItem")) {
    if (fHint.empty()) {
      hintFollows = true;
    } else {
      const std::string shortHint = fHint.substr(0, fHint.find('|'));
      hintFollows = shortHint == PlainCaptionOf(fCaption);
    }
  }
  fCaption = value;
  if (fLoading) return;
  if (hintFollows) {
    const auto bar = fHint.find('|');
    const std::string shortHint = PlainCaptionOf(fCaption);
    fHint = bar == std::string::npos ? shortHint : shortHint + fHint.substr(bar);
  }
  CaptionChanged();
}

void TzbBarItem::SetDescription(const std::string& value) {
  if (value == fDescription) return;
  fDescription = value;
  NotifyDesigner();
}

void TzbBarItem::SetCategory(int value) {
  if (fLoading) {
    fCategory = value;
    return;
  }
  if (value < 0 || value >= fManager->Categories().Count()) return;
  fCategory = value;
  NotifyDesigner();
}

bool TzbBarItem::GetEnabled() const {
  if (fManager->Customizing() && !fManager->Designing && fCategory >= 0) return true;
  return fEnabled;
}

void TzbBarItem::SetEnabled(bool value) {
  if (value == fEnabled) return;
  fEnabled = value;
  if (!fLoading) EnabledChanged();
}

void TzbBarItem::SetVisible(TzbBarItemVisible value) {
  if (fLoading || fManager->IsLoading()) {
    fLoadedVisible = value;
    return;
  }
  if (value == fVisible) return;
  fVisible = value;
  VisibleChanged();
}

bool TzbBarItem::ActualVisible() const {
  switch (fVisible) {
    case ivAlways:
      return CanBeVisible() || fManager->IsCustomizing();
    case ivInCustomizing:
      return fManager->IsCustomizing();
    default:
      return false;
  }
}

void TzbBarItem::SetImageIndex(int value) {
  if (value == fImageIndex) return;
  fImageIndex = value;
  GlyphUpdated();
}

void TzbBarItem::SetGlyph(const QImage& value) {
  fGlyph = value;
  GlyphUpdated();
}

void TzbBarItem::SetShortCut(TShortCut value) {
  if (value == fShortCut) return;
  fShortCut = value;
  if (!fLoading) ShortCutChanged();
}

void TzbBarItem::SetAlign(TzbBarItemAlign value) {
  if (value == fAlign) return;
  fAlign = value;
  AlignChanged();
}

void TzbBarItem::NotifyDesigner() { fManager->DesignerModified(); }

void TzbBarItem::TellControls(TzbControlChange change, bool skipCaptionOverride, bool skipGlyphOverride) {
  // A copy: a control's reaction may change the link list.
  const std::vector<TzbBarItemLink*> links = fLinks;
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
  for (TzbBarItemLink* link : fLinks) {
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    TzbBarWindow& w = c->Parent();
    if (w.SelectedControl() == c && w.IsActive()) continue;
    w.RepaintControl(*c);
  }
}

void TzbBarItem::LayoutChanged() {
  for (TzbBarItemLink* link : fLinks) {
    TzbBarItemControl* c = link->Control();
    TzbBarWindow* w = link->Collection().BarControl();
    if (!w) continue;
    if (c && w->SelectedControl() == c && w->IsActive()) continue;
    w->RebuildLayout();
  }
}

void TzbBarItem::AlignChanged() {
  if (fLoading) return;
  for (TzbBarItemLink* link : fLinks)
    if (link->Control()) link->Control()->Changed(TzbControlChange::Align);
}

void TzbBarItem::VisibleChanged() {
  if (fManager->Designing) return;
  {
    TzbBarLockScope lock(*fManager);
    const std::vector<TzbBarItemLink*> links = fLinks;
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
  // Nothing a click handler throws leaves here: the manager's handler or the application's
  // exception handler shows it.
  try {
    fManager->DoClickItem(*this);
    DoClick();
  } catch (const std::exception& e) {
    if (fManager->OnException)
      fManager->OnException(e);
    else
      ApplicationHandleException(std::current_exception());
  } catch (...) {
    ApplicationHandleException(std::current_exception());
  }
}

void TzbBarItem::DoClick() {
  // A handler of the item's own; without one the action runs.
  if (OnClick)
    OnClick(*this);
  else if (fActionLink && !fManager->Designing)
    fActionLink->Execute();
}

TzbBarItem& TzbBarItemControl::Item() const { return *fLink->Item(); }

bool TzbBarItemControl::Enabled() const { return fLink->Item() && fLink->Item()->GetEnabled(); }

void TzbBarItemControl::Changed(TzbControlChange change) {
  ++ChangeCount;
  switch (change) {
    case TzbControlChange::Enabled:
      if (!CanSelect() && fParent->SelectedControl() == this) fParent->DeselectControl();
      fParent->RepaintControl(*this);
      break;
    case TzbControlChange::Visible:
    case TzbControlChange::Layout:
    case TzbControlChange::Align:
    case TzbControlChange::PaintStyle:
    case TzbControlChange::ButtonStyle:
      fParent->RebuildLayout();
      break;
    default:
      fParent->RepaintControl(*this);
      break;
  }
}

}  // namespace zyn
