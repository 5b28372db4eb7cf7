#include "widgets/bars/BarQuickControl.h"

#include "platform/PopupWindows.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/Bars.h"

#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace zyn {

namespace {

TzbBarQuickControl*& CurrentRef() {
  static TzbBarQuickControl* current = nullptr;
  return current;
}

void FreeItemIfKnown(TzbBarManager& manager, TzbBarItem* item) {
  if (item && manager.IndexOfItem(item) >= 0) manager.FreeItem(item);
}

// The items the windows made for themselves ("&Add or Remove Buttons", "&Reset Toolbar",
// "&Customize..."): a click on one of them may close the window, so they stay until a later
// window is built and go then when no link shows them any more.
struct TTemporaryItem {
  TzbBarManager* Manager;
  TzbBarItem* Item;
};

std::vector<TTemporaryItem>& TemporaryItems() {
  static std::vector<TTemporaryItem> items;
  return items;
}

void FreeUnlinkedTemporaryItems() {
  auto& items = TemporaryItems();
  for (auto it = items.begin(); it != items.end();) {
    TzbBarManager* manager = it->Manager;
    TzbBarItem* item = it->Item;
    const bool gone = !TzbBarManagerList::Contains(manager) || manager->IndexOfItem(item) < 0;
    if (!gone && item->LinkCount() > 0) {
      ++it;
      continue;
    }
    it = items.erase(it);
    if (!gone) manager->FreeItem(item);
  }
}

}  // namespace

// ---------------------------------------------------------------- the temporary bar

detail::TzbQuickBarHolder::TzbQuickBarHolder(TzbBarManager& manager, const TzbBar& ownerBar)
    : fHolderManager(&manager), fTempBar(manager.Bars().Add()) {
  fTempBar->AllowQuickCustomizing = false;
  fTempBar->Hidden = true;
  fTempBar->AllowClose = false;  // never listed among the toolbars
  fTempBar->ShowMark = false;
  fTempBar->BorderStyle = ownerBar.BorderStyle;
  fTempBar->Color = ownerBar.Color;
  fTempBar->SetUseRecentItems(false);  // every copy is shown
}

detail::TzbQuickBarHolder::~TzbQuickBarHolder() {
  // While the manager goes, its bar list frees the bar itself.
  if (!fHolderManager->IsDestroying()) fHolderManager->Bars().Delete(fTempBar);
}

// ---------------------------------------------------------------- the window

int TzbBarQuickControl::CloseDelay = 200;

TzbBarQuickControl* TzbBarQuickControl::Current() { return CurrentRef(); }

TzbBarQuickControl::TzbBarQuickControl(TzbBarManager& manager, TzbBarControl& owner)
    : TzbQuickBarHolder(manager, *owner.Bar()), TzbBarControl(manager, *fTempBar), fOwner(&owner) {
  if (TzbBarQuickControl* other = CurrentRef(); other && other != this) other->CloseByOwner();
  FreeUnlinkedTemporaryItems();
  CurrentRef() = this;
  OwnerRect = owner.MarkScreenRect();
  TzbBarItemLinks& links = fTempBar->ItemLinks();
  // The owner's visible links that the recent filter hides or that did not fit.
  const TzbBarItemLinks& ownerLinks = owner.ItemLinks();
  const auto& shown = ownerLinks.ShownLinks();
  for (TzbBarItemLink* link : ownerLinks.VisibleLinks()) {
    const bool isShown = std::find(shown.begin(), shown.end(), link) != shown.end();
    if (isShown && link->Control() && !IsRectEmpty(link->ItemRect)) continue;
    TzbBarItemLink* copy = links.Add();
    copy->Assign(*link);
    copy->SourceLink = link;
  }
  fAddRemove = manager.CreateItem<TzbBarQuickSubItem>();
  TemporaryItems().push_back({&manager, fAddRemove});
  fAddRemove->SetCaption(BarText("&Add or Remove Buttons"));
  fAddRemove->SetEnabled(owner.Bar()->AllowQuickCustomizing);
  if (fAddRemove->GetEnabled()) {
    TzbBarQuickControl* self = this;
    fAddRemove->OnFill = [self](TzbBarQuickSubItem& sub) {
      if (IsAlive(self)) self->FillAddRemove(sub);
    };
  }
  TzbBarItemLink* last = links.Add();
  last->SetItem(fAddRemove);
  last->SetBeginGroup(links.Count() > 1);
  links.SetExternalBarControl(this);
  ControlsCreated();
}

TzbBarQuickControl::~TzbBarQuickControl() {
  fClosing = true;
  delete fCloseTimer;
  fCloseTimer = nullptr;
  if (CurrentRef() == this) CurrentRef() = nullptr;
  CloseChildMenu();
  TCustomzbBarControl::SetActive(false);
  TzbBarItemLinks& links = fTempBar->ItemLinks();
  links.SetExternalBarControl(nullptr);
  if (fManager->IsDestroying()) return;  // the manager frees the items
  links.Clear();
  if (fManager->IndexOfItem(fAddRemove) >= 0) fAddRemove->ItemLinks().Clear();
  FreeItemIfKnown(*fManager, fCustItem);
}

void TzbBarQuickControl::CreateWindowWidget() {
  QWidget* w = CreateBarWidget(*this, nullptr);
  MakeNonActivatingPopup(w);
  SetWidget(w);
}

void TzbBarQuickControl::ShowQuickControl() {
  if (!fWidget) return;
  Place();
  SetActive(true);
  if (!IsAlive(this)) return;
  fWidget->show();
  UpdateShadow();
  Invalidate();
}

void TzbBarQuickControl::Place() {
  if (!fWidget) return;
  const TzbSize content = GetSizeForWidth(dsNone, 0);
  const TRect nc = NonClientSizes(dsNone);
  const int w = content.Width + nc.Left + nc.Right, h = content.Height + nc.Top + nc.Bottom;
  const TRect& m = OwnerRect;
  const bool vertical = fOwner->IsVertical();
  int left, top;
  if (vertical) {
    left = m.Right;
    top = m.Top;
  } else if (fOwner->IsFloating() && fManager->PainterClass().OpensQuickWindowLeftAligned()) {
    left = m.Left;
    top = m.Bottom;
  } else {
    left = m.Right - w;
    top = m.Bottom;
  }
  const TRect a = GetMonitorWorkArea(ToQPoint(Point(left, top)));
  if (!IsRectEmpty(a)) {
    if (vertical) {
      if (left + w > a.Right) left = m.Left - w;
      top = std::max(a.Top, std::min(top, a.Bottom - h));
    } else {
      left = std::max(a.Left, std::min(left, a.Right - w));
      if (top + h > a.Bottom) top = m.Top - h;
    }
  }
  fWidget->setGeometry(left, top, w, h);
  CalcItemRects();
}

void TzbBarQuickControl::RebuildLayout() {
  if (fClosing || !fWidget) return;
  TzbBarControl::RebuildLayout();
  Place();
  UpdateShadow();
  Invalidate();
}

TRect TzbBarQuickControl::NonClientSizes(TzbBarDockingStyle) const { return Rect(kFrame, kFrame, kFrame, kFrame); }

TzbBarHitCode TzbBarQuickControl::HitTest(const TPoint& wp) const {
  const TRect in = ClientInsets();
  return ClickableAt(Point(wp.X - in.Left, wp.Y - in.Top)) ? htClient : htBorder;
}

TBrush TzbBarQuickControl::GetBackgroundBrush() const { return fManager->PainterClass().GetQuickWindowBrush(*this); }

void TzbBarQuickControl::PaintBackground(TCanvas& canvas, const TRect& r, bool) {
  TzbBarItemControlPainter::FillWith(canvas, r, GetBackgroundBrush());
}

void TzbBarQuickControl::Paint() {
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  const TRect window = Rect(0, 0, fWidget ? fWidget->width() : 0, fWidget ? fWidget->height() : 0);
  const TBrush brush = GetBackgroundBrush();
  fItemBrush = brush;
  TzbBarItemControlPainter::FillWith(WindowCanvas(), window, brush);
  p.DrawMenuFrame(*this, WindowCanvas(), window);  // with the gap that joins the mark
  PaintBackground(Canvas(), ClientRect(), false);
  PaintItems(Canvas(), brush);
  NotifyUnplacedLinks();
}

// ---------------------------------------------------------------- closing

void TzbBarQuickControl::CloseByOwner() {
  if (fClosing) return;
  fOwner->CloseQuickControl();  // frees this window
}

void TzbBarQuickControl::Closing() { CloseByOwner(); }

void TzbBarQuickControl::WidgetHidden() { CloseByOwner(); }

void TzbBarQuickControl::CloseChain() { CloseByOwner(); }

void TzbBarQuickControl::SetActive(bool value) {
  TzbBarControl::SetActive(value);
  if (!value && IsAlive(this) && !fClosing) StartCloseTimer();
}

void TzbBarQuickControl::MouseLeave() {
  TzbBarControl::MouseLeave();
  if (IsAlive(this) && !fClosing) StartCloseTimer();
}

bool TzbBarQuickControl::CloseTimerRunning() const { return fCloseTimer && fCloseTimer->isActive(); }

void TzbBarQuickControl::StartCloseTimer() {
  if (!fCloseTimer) {
    fCloseTimer = new QTimer;
    fCloseTimer->setSingleShot(true);
    TzbBarQuickControl* self = this;
    QObject::connect(fCloseTimer, &QTimer::timeout, [self]() {
      if (!IsAlive(self)) return;
      try {
        TCustomzbBarControl* selecting = TCustomzbBarControl::SelectingWindow(self->Manager());
        if (selecting && selecting->ChainTop() != self) self->CloseByOwner();
      } catch (...) {
        // Closing the window from the timer must not bring the message loop down.
      }
    });
  }
  fCloseTimer->start(CloseDelay);
}

// ---------------------------------------------------------------- input

void TzbBarQuickControl::MouseDown(const TPoint& p, TzbMouseButton button) {
  if (button != mbLeft) return;  // no toolbars popup here
  const TRect in = ClientInsets();
  if (HitTest(Point(p.X + in.Left, p.Y + in.Top)) != htClient) return;  // the border
  TzbBarControl::MouseDown(p, button);
}

bool TzbBarQuickControl::KeyDown(int key, unsigned shift) {
  if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (shift & ssCtrl)) return true;  // no other bar from here
  return TzbBarControl::KeyDown(key, shift);
}

// ---------------------------------------------------------------- "&Add or Remove Buttons"

void TzbBarQuickControl::FillAddRemove(TzbBarQuickSubItem& sub) {
  // The entries of the last opening go; one per available link of the toolbar, all links to the
  // one check item, then the reset and customize buttons.
  sub.ItemLinks().Clear();
  FreeUnlinkedTemporaryItems();
  FreeItemIfKnown(*fManager, fCustItem);
  TzbBarItemLinks& ownerLinks = fOwner->ItemLinks();
  fCustItem = fManager->CreateItem<TzbBarQuickCustItem>(ownerLinks);
  for (TzbBarItemLink* link : ownerLinks.AvailableLinks()) {
    TzbBarItemLink* entry = sub.ItemLinks().Add();
    entry->SetItem(fCustItem);
    entry->Data = reinterpret_cast<std::intptr_t>(link);
    entry->SetUserCaption(link->RealCaption());
    if (const QImage glyph = link->RealGlyph(); !glyph.isNull()) entry->SetUserGlyph(glyph);
  }
  // "&Reset Toolbar" where the manager kept the form's design state (its loaded step) and both
  // the manager and the bar allow resets; then "&Customize...", where the manager allows it.
  TzbBar* bar = fOwner->Bar();
  const bool reset = fManager->CanReset() && fManager->AllowReset && bar->AllowReset;
  if (reset) {
    auto* button = fManager->CreateItem<TzbBarQuickCustExtButton>();
    button->SetCaption(BarText("&Reset Toolbar"));
    button->OnClick = [bar](TzbBarItem&) { bar->ResetWithConfirmation(); };
    TzbBarItemLink* link = sub.ItemLinks().Add();
    link->SetItem(button);
    link->SetBeginGroup(true);
    TemporaryItems().push_back({fManager, button});
  }
  if (TzbBarItem* customize = AddCustomizeItem(*fManager, sub.ItemLinks(), !reset, true))
    TemporaryItems().push_back({fManager, customize});
}

}  // namespace zyn
