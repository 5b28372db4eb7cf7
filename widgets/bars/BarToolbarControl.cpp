#include "widgets/bars/BarToolbarControl.h"

#include "platform/PopupWindows.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarMdi.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarQuickControl.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarUserDockControl.h"
#include "widgets/bars/BarUtils.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>

namespace zyn {

namespace {

TzbBarControl*& MenuModeBarRef() {
  static TzbBarControl* bar = nullptr;
  return bar;
}

bool IsVerticalStyle(TzbBarDockingStyle s) { return s == dsLeft || s == dsRight; }

}  // namespace

TzbBarControl* TzbBarControl::MenuModeBar() { return MenuModeBarRef(); }

TzbBarControl::TzbBarControl(TzbBarManager& manager, TzbBar& bar)
    : TCustomzbBarControl(manager, bar.ItemLinks()), fBar(&bar) {
  fDockingStyle = bar.DockingStyle();
}

TzbBarControl::~TzbBarControl() {
  fClosing = true;
  ForgetWindowButtons();
  if (MenuModeBarRef() == this) MenuModeBarRef() = nullptr;
  if (TzbBarScreen* screen = TzbBarScreen::Of(*fManager); screen && screen->MovingWindow() == this) screen->EndDrag();
  CloseChildMenu();
  TCustomzbBarControl::SetActive(false);
  fQuickControl.reset();
  if (fDock && TzbBarScreen::Of(*fManager)) fDock->RemoveBar(*this, !fManager->IsDestroying());
}

// ---------------------------------------------------------------- the mark

TRect TzbBarControl::MarkRect() const {
  if (!MarkExists() || !fWidget) return TRect{};
  const TRect r = fManager->PainterClass().GetQuickButtonRect(*this);
  if (IsFloating()) return r;  // in the caption: window coordinates
  const TRect in = ClientInsets();
  return Rect(r.Left + in.Left, r.Top + in.Top, r.Right + in.Left, r.Bottom + in.Top);
}

TRect TzbBarControl::MarkScreenRect() const {
  const TRect m = MarkRect();
  if (IsRectEmpty(m)) return m;
  const TRect w = WindowRect();
  return Rect(w.Left + m.Left, w.Top + m.Top, w.Left + m.Right, w.Top + m.Bottom);
}

TzbBarItemLinks* TzbBarControl::QuickLinks() const {
  return fQuickControl ? &fQuickControl->ItemLinks() : nullptr;
}

TzbBarSubItem* TzbBarControl::AddRemoveItem() const {
  return fQuickControl ? fQuickControl->AddRemoveItem() : nullptr;
}

void TzbBarControl::SetMarkState(int state) {
  if (fManager->IsCustomizing() || state == fMarkState) return;
  fMarkState = state;
  if (state == 2) {
    fQuickControl = std::make_unique<TzbBarQuickControl>(*fManager, *this);
    fQuickControl->ShowQuickControl();
    if (!IsAlive(this)) return;
    PlayBarSound(0);
  } else if (fQuickControl) {
    std::unique_ptr<TzbBarQuickControl> quick = std::move(fQuickControl);
    quick.reset();
  }
  if (IsAlive(this)) RedrawMark();
}

void TzbBarControl::CloseQuickControl() {
  if (!fQuickControl) return;
  // A press on the mark closed the window: that press must not open it again.
  fMarkClosedByPress =
      (QApplication::mouseButtons() & Qt::LeftButton) && PtInRect(MarkScreenRect(), BarCursorPos());
  std::unique_ptr<TzbBarQuickControl> quick = std::move(fQuickControl);
  quick.reset();
  if (!IsAlive(this) || fMarkState != 2) return;
  fMarkState = 0;
  RedrawMark();
}

void TzbBarControl::RedrawMark() {
  if (!fWidget) return;
  if (fBuffer.size() != fWidget->size()) {  // nothing painted at this size yet
    Invalidate();
    return;
  }
  fManager->PainterClass().InvalidateQuickButton(*this);
}

// ---------------------------------------------------------------- window

void TzbBarControl::CreateWindowWidget() {
  QWidget* w = CreateBarWidget(*this, fDock ? fDock->Widget() : nullptr);
  if (!fDock) MakeFloatingToolWindow(w, fManager->Form());
  SetWidget(w);
}

void TzbBarControl::ControlsCreated() {
  TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
  fDockingStyle = fBar->DockingStyle();
  fDock = (fDockingStyle != dsNone && screen) ? fBar->RealDockControl() : nullptr;
  if (!fDock) fDockingStyle = dsNone;
  fCanvas->Font.Font = fManager->BarFont();
  fClientCanvas->Font.Font = fManager->BarFont();
  CalcMetrics();
  CreateWindowWidget();
  ShowWindow();
}

void TzbBarControl::ShowWindow() {
  if (fDock) {
    fWidget->show();
    fDock->InsertBar(*this, TPoint{}, true, true);
  } else {
    const TzbSize s = GetWindowSize(dsNone);
    fWidget->setGeometry(fBar->FloatLeft, fBar->FloatTop, s.Width, s.Height);
    ApplyAlphaBlend();
    CalcItemRects();
    QWidget* form = fManager->Form();
    if (form && form->isVisible()) fWidget->show();
    UpdateShadow();
  }
  Invalidate();
}

void TzbBarControl::Closing() {
  if (MenuModeBarRef() == this || fActive) HideAll();
}

void TzbBarControl::ChangeDockingStyle(TzbBarDockingStyle style, TzbDockControl* dock) {
  if (fDock) fDock->RemoveBar(*this, true);
  fLinks->SetRecentLimit(-1);
  fDock = style == dsNone ? nullptr : dock;
  fDockingStyle = fDock ? style : dsNone;
  fBar->TakeDockFromWindow(fDockingStyle, fDock);
  DestroyItemControls();
  CreateItemControls();
  fTruncated = false;
  CreateWindowWidget();
  ApplyAlphaBlend();
}

void TzbBarControl::ApplyAlphaBlend() {
  if (!fWidget || !fWidget->isWindow()) return;
  const int alpha = std::clamp(fBar->AlphaBlendValue, 0, 255);
  fWidget->setWindowOpacity(alpha / 255.0);
}

TRect KeepOnWorkArea(TRect r, const TRect& area, int captionHeight) {
  if (IsRectEmpty(area)) return r;
  // At least this much of a floating bar stays on the screen: a piece to take it by along, and its
  // caption across (a caption above the screen could not be reached again).
  const int keepAlong = std::min(r.Width(), kKeepOnScreen);
  const int keepAcross = std::min(r.Height(), std::max(1, captionHeight));
  int dx = 0, dy = 0;
  if (r.Right < area.Left + keepAlong)
    dx = area.Left + keepAlong - r.Right;
  else if (r.Left > area.Right - keepAlong)
    dx = area.Right - keepAlong - r.Left;
  if (r.Top < area.Top)
    dy = area.Top - r.Top;
  else if (r.Top > area.Bottom - keepAcross)
    dy = area.Bottom - keepAcross - r.Top;
  OffsetRect(r, dx, dy);
  return r;
}

void TzbBarControl::SetBounds(const TRect& input) {
  if (!fWidget) return;
  TRect r = input;
  if (IsFloating()) {
    // While the user drags or sizes the bar the monitor under the pointer counts, otherwise the one
    // under the bar.
    TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
    const bool byUser = screen && (screen->MovingWindow() == this || screen->Sizing());
    const TPoint at = byUser ? BarCursorPos() : Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    const TzbBarItemControlPainter& p = fManager->PainterClass();
    r = KeepOnWorkArea(r, GetMonitorWorkArea(ToQPoint(at)), p.GetFloatingFrameHeight() + p.GetFloatingCaptionHeight());
  }
  fPlacing = true;
  if (fWidget->geometry() != ToQRect(r)) fWidget->setGeometry(ToQRect(r));
  fPlacing = false;
  Invalidate();
  TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
  if (!screen || screen->MovingWindow() != this) WritePosition();
}

void TzbBarControl::WindowMoved() {
  UpdateShadow();
  if (fPlacing) return;
  TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
  if (screen && screen->MovingWindow() == this) return;
  WritePosition();
}

void TzbBarControl::WritePosition() {
  if (!fWidget || fManager->IsDestroying() || fClosing) return;
  fBar->TakeDockFromWindow(fDockingStyle, fDock);
  if (fDockingStyle == dsNone) {
    const TRect w = WindowRect();
    const TRect c = ClientRect();
    fBar->FloatLeft = w.Left;
    fBar->FloatTop = w.Top;
    fBar->FloatClientWidth = c.Width();
    fBar->FloatClientHeight = c.Height();
  } else if (fDock) {
    const int row = fDock->RowOf(this);
    if (row >= 0) {
      fBar->SetRow(row);
      fBar->OneOnRow = fDock->CountInRow(row) == 1;
    }
    fBar->SetDockedLeft(fWidget->x());
    fBar->SetDockedTop(fWidget->y());
  }
  // An open quick-customization window stays joined to the mark.
  if (fQuickControl) {
    fQuickControl->OwnerRect = MarkScreenRect();
    fQuickControl->UpdateShadow();
    fQuickControl->Invalidate();
  }
}

TRect FloatingNonClientSizes(const TzbBarItemControlPainter& p) {
  const int fw = p.GetFloatingFrameWidth(), fh = p.GetFloatingFrameHeight();
  return Rect(fw + p.GetFloatingSideBorder(), fh + p.GetFloatingCaptionHeight() + p.GetFloatingTopBorder(),
              fw + p.GetFloatingSideBorder(), fh + p.GetFloatingBottomBorder());
}

TRect TzbBarControl::NonClientSizes(TzbBarDockingStyle style) const {
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  if (style == dsNone) return FloatingNonClientSizes(p);
  if (fBar->BorderStyle == bbsSingle) {
    TRect b = p.GetDockedBorderSizes(*fBar, style);
    const int grip = CanBeMoved() ? fManager->GripAreaSize() : p.GetNoGripIndent(*fBar);
    if (IsVerticalStyle(style))
      b.Top += grip;
    else
      b.Left += grip;
    return b;
  }
  if (fBar->CanHaveSizeGrip() && style == dsBottom)
    return Rect(0, p.GetStatusBarTopBorder(), SizeGripShown() ? SizeGripWidth() : 0, 0);
  return TRect{};
}

int TzbBarControl::SizeGripWidth() const {
  if (fManager->ThemesUsable()) {
    int w = 0, h = 0;
    GetThemedSizeGripSize(w, h);
    if (w > 0) return w;
  }
  return 16;
}

bool TzbBarControl::SizeGripShown() const {
  const QWidget* form = fManager->Form();
  return fBar->CanHaveSizeGrip() && fBar->SizeGrip && form && !form->isMaximized() && !form->isFullScreen();
}

TRect TzbBarControl::SizeGripRect() const {
  if (!fWidget || fDockingStyle != dsBottom || fBar->BorderStyle != bbsNone || !SizeGripShown()) return TRect{};
  const int top = fManager->PainterClass().GetStatusBarTopBorder();
  return Rect(fWidget->width() - SizeGripWidth(), top, fWidget->width(), fWidget->height());
}

TRect TzbBarControl::FloatingCaptionRect() const {
  if (!fWidget) return TRect{};
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  const int fw = p.GetFloatingFrameWidth(), fh = p.GetFloatingFrameHeight();
  return Rect(fw, fh, fWidget->width() - fw, fh + p.GetSmallCaptionHeight());
}

TRect TzbBarControl::CloseButtonRect() const {
  const TRect c = FloatingCaptionRect();
  const int size = fManager->PainterClass().GetSmallCaptionHeight();
  return Rect(c.Right - size, c.Top, c.Right, c.Top + size);
}

bool TzbBarControl::FormActive() const { return FormLooksActive(*fManager); }

bool TzbBarControl::ShowsGrip() const { return IsDocked() && fBar->BorderStyle == bbsSingle; }

TBrush TzbBarControl::GetBackgroundBrush() const { return fManager->PainterClass().GetToolbarBrush(*this); }

TPoint TzbBarControl::ClientOriginInDock() const {
  if (!fDock || !fWidget) return TPoint{};
  const TRect in = ClientInsets();
  return Point(fWidget->x() + in.Left, fWidget->y() + in.Top);
}

TPoint TzbBarControl::WindowOriginInDock() const {
  if (!fDock || !fWidget) return TPoint{};
  return Point(fWidget->x(), fWidget->y());
}

void TzbBarControl::PaintBackground(TCanvas& canvas, const TRect& r, bool) {
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  if (fBar && fBar->Color != clDefault) {  // a colour of the bar's own
    TzbBarItemControlPainter::FillWith(canvas, r, SolidBrush(fBar->Color));
    return;
  }
  if (IsDocked() && fDock)
    p.DrawDockedBarBackground(*this, canvas, GetBackgroundBrush(), r, ClientRect());
  else
    p.DrawFloatingBarBackground(*this, canvas, GetBackgroundBrush(), r, ClientRect());
}

bool TzbBarControl::OpensMenus() const { return fOpenedByClick || fManager->IsCustomizing(); }

bool TzbBarControl::ClickableAt(const TPoint& client) const {
  if (!PtInRect(ClientRect(), client)) return false;
  const TzbBarItemControl* c = ControlAt(client);
  return c && (c->Enabled() || fManager->IsCustomizing());
}

TRect TzbBarControl::GetDragHandleZone() const {
  if (!IsDocked() || fBar->BorderStyle != bbsSingle) return TRect{};
  return IsVertical() ? Rect(-100, -100, 100, 0) : Rect(-100, -100, 0, 100);
}

bool TzbBarControl::CanBeMoved() const {
  const TzbBarDockingStyles all =
      DockingSet(dsNone) | DockingSet(dsLeft) | DockingSet(dsTop) | DockingSet(dsRight) | DockingSet(dsBottom);
  return (fBar->NotDocking & all) != all;
}

TzbBarHitCode TzbBarControl::HitTest(const TPoint& wp) const {
  const TRect in = ClientInsets();
  const TPoint client = Point(wp.X - in.Left, wp.Y - in.Top);
  if (ClickableAt(client)) return htClient;
  if (WindowButtonAt(client) >= 0) return htNowhere;  // the buttons take their own presses
  if (fManager->PainterClass().AllowsQuickCustomizing() && PtInRect(MarkRect(), wp)) return htMark;
  if (PtInRect(SizeGripRect(), wp)) return htBottomRight;
  if (IsFloating() && fWidget) {
    const TzbBarItemControlPainter& p = fManager->PainterClass();
    if (fBar->CanBeListed() && PtInRect(CloseButtonRect(), wp)) return htClose;
    const int fw = p.GetFloatingFrameWidth(), fh = p.GetFloatingFrameHeight();
    if (wp.Y < fh) return htTop;
    if (wp.Y >= fWidget->height() - fh) return htBottom;
    if (wp.X < fw) return htLeft;
    if (wp.X >= fWidget->width() - fw) return htRight;
    return htCaption;
  }
  return CanBeMoved() ? htCaption : htNowhere;
}

TRect TzbBarControl::GetItemRect(const TzbBarItemControl* control) const {
  if (!control) return TRect{};
  TRect r = control->Link().ItemRect;
  if (IsRectEmpty(r)) return r;
  const int thick = control->LineThickness;
  if (IsVertical()) {
    const int own = r.Width();
    if (thick > own) {
      r.Left -= (thick - own) / 2;
      r.Right = r.Left + thick;
    }
  } else {
    const int own = r.Height();
    if (thick > own) {
      r.Top -= (thick - own) / 2;
      r.Bottom = r.Top + thick;
    }
  }
  return r;
}

// ---------------------------------------------------------------- item layout

bool TzbBarControl::Wraps() const { return fDockingStyle == dsNone || fBar->MultiLine(); }

bool TzbBarControl::MarkExists() const {
  return fBar->ShowMark &&
         (fTruncated || (fManager->PainterClass().AllowsQuickCustomizing() && fBar->AllowQuickCustomizing));
}

void TzbBarControl::CalcItemRects() {
  fLinks->ClearItemRects();
  CreateItemControls();
  const bool vertical = IsVertical();
  const bool wraps = Wraps();
  const TRect client = ClientRect();
  const int along = vertical ? client.Height() : client.Width();
  const int across = vertical ? client.Width() : client.Height();
  int avail = along;
  if (MarkExists() && (!wraps || IsDocked())) avail -= kMarkZone;
  // A one-line bar keeps the window buttons' length free; a wrapping bar puts them after its last
  // line, unless an aligned item reserves them on its own line.
  const int buttons = WindowButtonsLength();
  bool buttonsReserved = !wraps;
  if (!wraps) avail -= buttons;
  int lineThick = wraps ? 0 : across;
  int lineOffset = 0, pos = 0;
  const int sepSize = fManager->PainterClass().GetToolbarSeparatorSize();
  std::vector<TzbBarItemLink*> line;
  TzbBarItemControl* prev = nullptr;
  auto centre = [&]() {
    for (TzbBarItemLink* l : line) {
      TzbBarItemControl* c = l->Control();
      const int own = vertical ? l->ItemRect.Width() : l->ItemRect.Height();
      const int d = (lineThick - own) / 2;
      if (vertical)
        OffsetRect(l->ItemRect, -d, 0);
      else
        OffsetRect(l->ItemRect, 0, d);
      c->LineThickness = lineThick;
    }
  };
  const auto& shown = fLinks->ShownLinks();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    TzbBarItemLink* link = shown[i];
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    c->LastInLine = false;
    const int len = vertical ? c->GetHeight() : c->GetWidth();
    const int th = vertical ? c->GetWidth() : c->GetHeight();
    int sep = link->GetBeginGroup() && pos > 0 ? sepSize : 0;
    if (pos > 0 && (pos + sep + len > avail || (wraps && c->StartsLine))) {
      if (!wraps) break;
      if (prev) prev->LastInLine = true;
      centre();
      line.clear();
      lineOffset += lineThick + sep;
      pos = 0;
      sep = 0;
      lineThick = 0;
    }
    TRect r;
    if (wraps && !vertical)
      r = Bounds(pos + sep, lineOffset, len, th);
    else if (wraps)
      r = Bounds(client.Width() - lineOffset - th, pos + sep, th, len);
    else if (!vertical)
      r = Bounds(pos + sep, (lineThick - th) / 2, len, th);
    else
      r = Bounds((lineThick - th) / 2, pos + sep, th, len);
    const TzbBarItemAlign align = link->Item() ? link->Item()->Align() : iaLeft;
    if (align != iaLeft && !buttonsReserved && buttons > 0 && (vertical ? r.Bottom : r.Right) + buttons <= avail) {
      avail -= buttons;
      buttonsReserved = true;
    }
    const int farEdge = (vertical ? r.Bottom : r.Right);
    if (align == iaLeft) {
      pos += sep + len;
    } else {
      int shift = 0;
      if (align == iaCenter)
        shift = (avail - farEdge) / 2;
      else if (align == iaRight)
        shift = avail - farEdge;
      if (align == iaClient) {
        const int nearEdge = vertical ? r.Top : r.Left;
        const int newFar = std::max(avail, nearEdge + (vertical ? c->GetMinHeight() : c->GetMinWidth()));
        if (vertical)
          r.Bottom = newFar;
        else
          r.Right = newFar;
      } else if (vertical) {
        OffsetRect(r, 0, shift);
      } else {
        OffsetRect(r, shift, 0);
      }
      pos = avail;
      if (i + 1 < shown.size()) fTruncated = true;
    }
    link->ItemRect = r;
    c->LineThickness = lineThick;
    line.push_back(link);
    lineThick = std::max(lineThick, th);
    prev = c;
  }
  if (prev) prev->LastInLine = true;
  if (wraps) centre();
}

int TzbBarControl::GetMinWidth(TzbBarDockingStyle style) {
  const bool oneLine = !(IsVerticalStyle(style) || style == dsNone || fBar->MultiLine());
  // A one-line bar shows at least one control when cut: its most recently used link.
  fLinks->SetRecentLimit(oneLine ? 1 : -1);
  CreateItemControls();
  int w = 0;
  const auto& links = oneLine ? fLinks->ShownLinks() : fLinks->VisibleLinks();
  for (TzbBarItemLink* l : links)
    if (TzbBarItemControl* c = l->Control()) {
      w = std::max(w, c->GetWidth());
      if (oneLine) break;
    }
  if (links.empty()) w = fManager->ButtonWidth();
  if (WindowButtonsShown()) {
    const int buttons = IsVerticalStyle(style) ? WindowButtonWidth : WindowButtonsLengthFor(false);
    w = oneLine ? w + buttons : std::max(w, buttons);
  }
  if (!IsVerticalStyle(style) && style != dsNone && MarkExists()) w += kMarkZone;
  fLinks->RestoreRecentLimit();
  return w;
}

int TzbBarControl::GetMinHeight(TzbBarDockingStyle style) {
  const bool oneLine = IsVerticalStyle(style) && !fBar->MultiLine();
  fLinks->SetRecentLimit(oneLine ? 1 : -1);
  CreateItemControls();
  int h = 0;
  const auto& links = oneLine ? fLinks->ShownLinks() : fLinks->VisibleLinks();
  for (TzbBarItemLink* l : links)
    if (TzbBarItemControl* c = l->Control()) {
      h = std::max(h, c->GetHeight());
      if (oneLine) break;
    }
  if (links.empty()) h = fManager->ButtonHeight();
  if (WindowButtonsShown()) {
    const int buttons = IsVerticalStyle(style) ? WindowButtonsLengthFor(true) : WindowButtonHeight;
    h = oneLine ? h + buttons : std::max(h, buttons);
  }
  if (IsVerticalStyle(style) && MarkExists()) h += kMarkZone;
  fLinks->RestoreRecentLimit();
  return h;
}

int TzbBarControl::GetMaxWidth(TzbBarDockingStyle style) {
  const int min = GetMinWidth(style);
  fLinks->SetRecentLimit(-1);
  CreateItemControls();
  int w = 0;
  const int sep = fManager->PainterClass().GetToolbarSeparatorSize();
  if (!IsVerticalStyle(style) || fBar->MultiLine()) {
    for (TzbBarItemLink* l : fLinks->VisibleLinks())
      if (l->Control()) w += l->Control()->GetWidth() + (l->StoredBeginGroup() ? sep : 0);
    if (!IsVerticalStyle(style) && style != dsNone && MarkExists()) w += kMarkZone;
  } else {
    for (TzbBarItemLink* l : fLinks->VisibleLinks())
      if (l->Control()) w = std::max(w, l->Control()->GetWidth());
  }
  fLinks->RestoreRecentLimit();
  return std::max(min, w);
}

int TzbBarControl::GetMaxHeight(TzbBarDockingStyle style) {
  const int min = GetMinHeight(style);
  fLinks->SetRecentLimit(-1);
  CreateItemControls();
  int h = 0;
  const int sep = fManager->PainterClass().GetToolbarSeparatorSize();
  if (IsVerticalStyle(style)) {
    for (TzbBarItemLink* l : fLinks->VisibleLinks())
      if (l->Control()) h += l->Control()->GetHeight() + (l->StoredBeginGroup() ? sep : 0);
    if (MarkExists()) h += kMarkZone;
  } else {
    for (TzbBarItemLink* l : fLinks->VisibleLinks())
      if (l->Control()) h = std::max(h, l->Control()->GetHeight());
  }
  fLinks->RestoreRecentLimit();
  return std::max(min, h);
}

void TzbBarControl::CalcWrappedSize(TzbBarDockingStyle style, int length, TzbSize& size) {
  const bool vertical = IsVerticalStyle(style);
  auto along = [vertical](const TzbBarItemControl* c) { return vertical ? c->GetHeight() : c->GetWidth(); };
  auto across = [vertical](const TzbBarItemControl* c) { return vertical ? c->GetWidth() : c->GetHeight(); };
  const int minAlong = vertical ? size.Height : size.Width;
  const int minAcross = vertical ? size.Width : size.Height;
  length = std::max(length, minAlong);
  if (MarkExists()) length -= kMarkZone;
  const auto& shown = fLinks->ShownLinks();
  const int n = static_cast<int>(shown.size());
  const int sepSize = fManager->PainterClass().GetToolbarSeparatorSize();
  for (TzbBarItemLink* l : shown)
    if (l->Control()) l->Control()->StartsLine = false;
  int lineLen = 0, lineThick = 0, longest = 0, sum = 0, lineStart = 0;
  int groupStart = -1, groupLen = 0, groupThick = 0;
  for (int i = 0; i < n; ++i) {
    TzbBarItemControl* c = shown[i]->Control();
    if (!c) continue;
    const int len = along(c), th = across(c);
    const bool group = shown[i]->GetBeginGroup() && i > lineStart;
    const int sep = group ? sepSize : 0;
    if (group) {
      groupStart = i;
      groupLen = lineLen;
      groupThick = lineThick;
    }
    if (i > lineStart && lineLen + sep + len > length) {
      int next = i, finishedLen = lineLen, finishedThick = lineThick;
      // The whole group moves to the next line when it does not fit.
      if (groupStart > lineStart && groupStart < i) {
        next = groupStart;
        finishedLen = groupLen;
        finishedThick = groupThick;
      }
      longest = std::max(longest, finishedLen);
      sum += finishedThick + (shown[next]->StoredBeginGroup() ? sepSize : 0);
      lineStart = i = next;
      groupStart = -1;
      c = shown[i]->Control();
      c->StartsLine = true;
      lineLen = along(c);
      lineThick = across(c);
      continue;
    }
    lineLen += sep + len;
    lineThick = std::max(lineThick, th);
  }
  int resultAcross = n > 0 ? sum + lineThick : std::max(minAcross, sum + lineThick);
  // The window buttons extend the last line when they fit after it, else they take a line of their own.
  if (WindowButtonsShown()) {
    const int buttons = WindowButtonsLengthFor(vertical);
    const int buttonsAcross = vertical ? WindowButtonWidth : WindowButtonHeight;
    if (lineLen + buttons <= length) {
      lineLen += buttons;
      resultAcross = std::max(resultAcross, sum + std::max(lineThick, buttonsAcross));
    } else {
      resultAcross += buttonsAcross;
      longest = std::max(longest, buttons);
    }
  }
  longest = std::max(longest, lineLen);
  const int resultAlong = std::max(minAlong, longest + (MarkExists() ? kMarkZone : 0));
  size = vertical ? TzbSize{resultAcross, resultAlong} : TzbSize{resultAlong, resultAcross};
}

int TzbBarControl::MeasureLine(int length, int& thickness, bool& exceeded, bool vertical) {
  const int sep = fManager->PainterClass().GetToolbarSeparatorSize();
  int total = 0, count = 0;
  thickness = 0;
  exceeded = false;
  for (TzbBarItemLink* l : fLinks->ShownLinks()) {
    TzbBarItemControl* c = l->Control();
    if (!c) continue;
    const int add = (vertical ? c->GetHeight() : c->GetWidth()) + (l->StoredBeginGroup() ? sep : 0);
    if (count > 0 && total + add > length) {
      exceeded = true;
      break;
    }
    total += add;
    thickness = std::max(thickness, vertical ? c->GetWidth() : c->GetHeight());
    ++count;
  }
  return total;
}

TzbSize TzbBarControl::OneLineSize(TzbBarDockingStyle style, int length, bool vertical) {
  TzbSize size{GetMinWidth(style), GetMinHeight(style)};
  const int minAlong = vertical ? size.Height : size.Width;
  const int mark = MarkExists() && !fLinks->VisibleLinks().empty() ? kMarkZone : 0;
  const int buttons = WindowButtonsShown() ? WindowButtonsLengthFor(vertical) : 0;
  length = std::max(length, minAlong) - buttons - mark;
  int thickness = 0, measured = 0;
  bool exceeded = false;
  if (!fLinks->RecentItemsActive() || fManager->Designing) {
    fLinks->SetRecentLimit(-1);
    CreateItemControls();
    measured = MeasureLine(length, thickness, exceeded, vertical);
  } else {
    // As many of the most recently used links as fit.
    const int n = static_cast<int>(fLinks->VisibleLinks().size());
    int keep = -1;
    for (int limit = 1; limit <= n; ++limit) {
      fLinks->SetRecentLimit(limit);
      CreateItemControls();
      MeasureLine(length, thickness, exceeded, vertical);
      if (exceeded) {
        keep = limit - 1;
        break;
      }
    }
    fLinks->SetRecentLimit(keep);
    CreateItemControls();
    measured = MeasureLine(length, thickness, exceeded, vertical);
    if (keep != -1) fTruncated = true;
  }
  if (exceeded) fTruncated = true;
  int resultAlong = std::max(minAlong, measured + mark + buttons);
  int resultAcross = thickness > 0 ? thickness : (vertical ? size.Width : size.Height);
  if (buttons > 0) resultAcross = std::max(resultAcross, vertical ? WindowButtonWidth : WindowButtonHeight);
  return vertical ? TzbSize{resultAcross, resultAlong} : TzbSize{resultAlong, resultAcross};
}

// A wrapping bar asked for its size across: from its full length it gets shorter, one pixel at a
// time, while it stays thinner than asked and its size still changes.
TzbSize TzbBarControl::WrappedSizeForAcross(TzbBarDockingStyle style, int wanted, bool vertical) {
  auto sizeFor = [&](int length) {
    TzbSize s{GetMinWidth(style), GetMinHeight(style)};
    fLinks->SetRecentLimit(-1);
    CreateItemControls();
    CalcWrappedSize(style, length, s);
    return s;
  };
  TzbSize s = sizeFor(vertical ? GetMaxHeight(style) : GetMaxWidth(style));
  auto acrossOf = [vertical](const TzbSize& z) { return vertical ? z.Width : z.Height; };
  auto alongOf = [vertical](const TzbSize& z) { return vertical ? z.Height : z.Width; };
  while (acrossOf(s) < wanted) {
    const TzbSize next = sizeFor(alongOf(s) - 1);
    if (alongOf(next) == alongOf(s)) break;
    s = next;
  }
  return s;
}

TzbSize TzbBarControl::GetSizeForWidth(TzbBarDockingStyle style, int width) {
  const bool vertical = IsVerticalStyle(style);
  const bool wraps = style == dsNone || fBar->MultiLine();
  if (wraps && !vertical) {
    TzbSize size{GetMinWidth(style), GetMinHeight(style)};
    fLinks->SetRecentLimit(-1);
    CreateItemControls();
    CalcWrappedSize(style, width, size);
    return size;
  }
  if (wraps) return WrappedSizeForAcross(style, width, true);
  if (vertical) return {GetMinWidth(style), GetMaxHeight(style)};
  return OneLineSize(style, width, false);
}

TzbSize TzbBarControl::GetSizeForHeight(TzbBarDockingStyle style, int height) {
  const bool vertical = IsVerticalStyle(style);
  const bool wraps = style == dsNone || fBar->MultiLine();
  if (wraps && vertical) {
    TzbSize size{GetMinWidth(style), GetMinHeight(style)};
    fLinks->SetRecentLimit(-1);
    CreateItemControls();
    CalcWrappedSize(style, height, size);
    return size;
  }
  if (wraps) return WrappedSizeForAcross(style, height, false);
  if (!vertical) return {GetMaxWidth(style), GetMinHeight(style)};
  return OneLineSize(style, height, true);
}

TzbSize TzbBarControl::GetWindowSize(TzbBarDockingStyle style) {
  const TRect nc = NonClientSizes(style);
  const int ncw = nc.Left + nc.Right, nch = nc.Top + nc.Bottom;
  TzbSize s;
  if (style == dsNone) {
    s = GetSizeForWidth(dsNone, fBar->FloatClientWidth);
    s.Width += ncw;
    s.Height += nch;
  } else if (IsVerticalStyle(style)) {
    const int dockHeight = fDock && fDock->Widget() ? fDock->Widget()->height() : 0;
    const int h = fBar->WholeRow() ? dockHeight - nch : GetMaxHeight(style);
    s = GetSizeForHeight(style, h);
    s.Width += ncw;
    s.Height = fBar->WholeRow() ? dockHeight : s.Height + nch;
  } else {
    const int dockWidth = fDock && fDock->Widget() ? fDock->Widget()->width() : 0;
    const int w = fBar->WholeRow() ? dockWidth - ncw : GetMaxWidth(style);
    s = GetSizeForWidth(style, w);
    s.Width = fBar->WholeRow() ? dockWidth : s.Width + ncw;
    s.Height += nch;
  }
  return s;
}

TPoint TzbBarControl::GetGrabOffset(TzbBarDockingStyle style) const {
  TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
  if (screen && screen->MovingWindow() == this && style == screen->MoveStartStyle()) return screen->MoveOffset();
  const TRect w = WindowRect();
  const int width = std::max(1, fGrabSize.Width), height = std::max(1, fGrabSize.Height);
  return Point(fGrab.X * std::max(1, w.Width()) / width, fGrab.Y * std::max(1, w.Height()) / height);
}

void TzbBarControl::RebuildLayout() {
  if (fClosing || fBar->BarLock() || !fWidget) return;
  TzbBarItemControl* keep = fSelected;
  const int keepIndex = keep ? fLinks->IndexOf(&keep->Link()) : -1;
  const bool keepActive = keep && keep->Active;
  if (!keepActive) {
    DestroyItemControls();
    CreateItemControls();
    if (keepIndex >= 0 && keepIndex < fLinks->Count()) fSelected = fLinks->Items(keepIndex)->Control();
  }
  fCanvas->Font.Font = fManager->BarFont();
  fClientCanvas->Font.Font = fManager->BarFont();
  CalcMetrics();
  if (fDock) {
    fDock->UpdateDock();
  } else {
    const TzbSize s = GetSizeForWidth(dsNone, ClientRect().Width());
    const TRect nc = NonClientSizes(dsNone);
    fPlacing = true;
    fWidget->resize(s.Width + nc.Left + nc.Right, s.Height + nc.Top + nc.Bottom);
    fPlacing = false;
  }
  CalcItemRects();
  Invalidate();
}

// ---------------------------------------------------------------- menu mode

void TzbBarControl::EnterMenuMode(TzbBarItemControl* control) {
  CancelWindowButtons(*fManager);
  if (!control) {
    TzbBarItemLink* first = fLinks->FirstSelectable();
    control = first ? first->Control() : nullptr;
  }
  if (MenuModeBarRef() && MenuModeBarRef() != this) MenuModeBarRef()->LeaveMenuMode();
  MenuModeBarRef() = this;
  SelectItem(control);
  if (!IsAlive(this)) return;
  SetActive(true);
}

void TzbBarControl::LeaveMenuMode() {
  if (MenuModeBarRef() != this) {
    if (fActive) TCustomzbBarControl::SetActive(false);
    return;
  }
  MenuModeBarRef() = nullptr;
  fOpenedByClick = false;
  SelectItem(nullptr);
  if (!IsAlive(this)) return;
  TCustomzbBarControl::SetActive(false);
}

void TzbBarControl::SetActive(bool value) {
  if (!value) {
    if (fSelected && fSelected->Active) {
      if (auto* b = dynamic_cast<TzbBarButtonControl*>(fSelected); b && b->DroppedDown()) b->ControlInactivate(true);
      if (!IsAlive(this)) return;
    }
    if (fOpenedByClick) {
      fOpenedByClick = false;
      if (!fManager->IsCustomizing() && MenuModeBarRef() == this) {
        LeaveMenuMode();
        return;
      }
    }
  }
  TCustomzbBarControl::SetActive(value);
}

void TzbBarControl::SelectItem(TzbBarItemControl* control) {
  TzbBarItemControl* previous = fSelected;
  TCustomzbBarControl::SelectItem(control);
  if (!IsAlive(this)) return;
  if (control && control != previous && fSelected == control && !control->Active && !fManager->IsCustomizing()) {
    if (control->HasSubMenu())
      control->BeforeClick(false);
    else
      control->ControlActivate(true);
  }
}

void TzbBarControl::CloseChain() {
  if (ChildMenu) {
    CloseChildMenu();
    if (!IsAlive(this)) return;
  }
  if (fSelected && fSelected->Active) fSelected->ControlInactivate(true);
  if (!IsAlive(this)) return;
  LeaveMenuMode();
}

bool TzbBarControl::SwitchBar(bool backwards) {
  if (ChainTop() != this) return true;
  TzbBars& bars = fManager->Bars();
  const int count = bars.Count();
  const int current = fBar->Index();
  for (int step = 1; step < count; ++step) {
    const int i = ((current + (backwards ? -step : step)) % count + count) % count;
    TzbBar* other = bars.Items(i);
    auto* window = dynamic_cast<TzbBarControl*>(other->GetBarControl());
    TzbBarItemLink* first = window ? other->ItemLinks().FirstSelectable() : nullptr;
    if (!first || !first->Control()) continue;
    LeaveMenuMode();
    if (IsAlive(window)) window->EnterMenuMode(first->Control());
    return true;
  }
  return true;
}

bool TzbBarControl::KeyDown(int key, unsigned shift) {
  if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (shift & ssCtrl))
    return SwitchBar(key == Qt::Key_Backtab || (shift & ssShift));
  if (TCustomzbBarControl::KeyDown(key, shift)) return true;
  if (!IsAlive(this)) return true;
  if (fSelected && fSelected->KeyDown(key)) return true;
  if (!IsAlive(this)) return true;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (!fSelected) return true;
      if (fSelected->HasSubMenu()) {
        fOpenedByClick = true;
        fSelected->Click(false);
      } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        fSelected->Click(false);
      }
      return true;
    case Qt::Key_Escape:
      HideAll();
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- mouse

void TzbBarControl::MouseDown(const TPoint& p, TzbMouseButton button) {
  if (fManager->Customizing() && CustomizingMouseDown(*this, p, button == mbRight)) return;
  const TRect in = ClientInsets();
  const TPoint wp = Point(p.X + in.Left, p.Y + in.Top);
  if (button == mbRight) {
    if (fActive) HideAll();
    if (IsAlive(this) && !fManager->IsCustomizing()) ShowToolbarsPopup(*fManager, BarCursorPos());
    return;
  }
  if (button != mbLeft || IgnoreNextButtonUp) return;
  if (WindowButtonMouseDown(p)) return;
  const TzbBarHitCode hit = HitTest(wp);
  if (hit == htClient) {
    TzbBarItemControl* c = ControlAt(p);
    if (fActive) {
      if (c != fSelected) {
        fOpenedByClick = false;
        SelectItem(c);
        if (!IsAlive(this)) return;
      } else if (!dynamic_cast<TzbBarButtonControl*>(c) && fOpenedByClick) {
        HideAll();
        return;
      }
    } else {
      EnterMenuMode(c);
      if (!IsAlive(this)) return;
    }
    if (!c->HasTextWindow()) fOpenedByClick = true;
    TCustomzbBarControl::MouseDown(p, button);
    return;
  }
  if (fActive) {
    HideAll();
    if (!IsAlive(this)) return;
  }
  TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
  switch (hit) {
    case htCaption:
      if (screen) {
        const TPoint cursor = BarCursorPos();
        const TRect w = WindowRect();
        SetGrab(Point(cursor.X - w.Left, cursor.Y - w.Top));
        screen->DragBar(*this, cursor);
      }
      break;
    case htBottomRight:
      // The size grip of a status-bar-like bar sizes the form.
      if (QWidget* form = fManager->Form(); form && form->windowHandle())
        form->windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
      break;
    case htMark:
      if (fMarkClosedByPress)
        fMarkClosedByPress = false;
      else
        SetMarkState(fMarkState == 2 ? 1 : 2);
      break;
    case htClose:
      fCloseTracking = true;
      fCloseState = 2;
      Invalidate();
      break;
    case htLeft:
    case htRight:
    case htTop:
    case htBottom:
      if (screen && IsFloating()) screen->SizeBar(*this, hit, BarCursorPos());
      break;
    default:
      break;
  }
}

void TzbBarControl::MouseMove(const TPoint& p) {
  const TRect in = ClientInsets();
  const TPoint wp = Point(p.X + in.Left, p.Y + in.Top);
  if (WindowButtonMouseMove(p)) return;
  if (!fCloseTracking && fManager->Customizing() && CustomizingMouseMove(*this, p)) return;
  if (fCloseTracking) {
    const int state = PtInRect(CloseButtonRect(), wp) ? 2 : 1;
    if (state != fCloseState) {
      fCloseState = state;
      Invalidate();
    }
    return;
  }
  if (IsFloating() && fBar->CanBeListed() && fManager->PainterClass().TracksCloseButton() && !fActive) {
    const int state = PtInRect(CloseButtonRect(), wp) ? 1 : 0;
    if (state != fCloseState) {
      fCloseState = state;
      Invalidate();
    }
  }
  TCustomzbBarControl::MouseMove(p);
  if (!IsAlive(this)) return;
  // The mark turns hot under the mouse (not while its window is open or a menu is open).
  if (!fActive && fMarkState != 2 && fManager->PainterClass().AllowsQuickCustomizing() && MarkExists()) {
    const int state = PtInRect(MarkRect(), wp) ? 1 : 0;
    if (state != fMarkState) {
      fMarkState = state;
      RedrawMark();
      if (state == 1)
        ShowBarHintText(*fManager, BarText("More Buttons"));
      else if (!fSelected)
        HideBarHint(*fManager);
    }
  }
}

void TzbBarControl::MouseUp(const TPoint& p, TzbMouseButton button) {
  if (button == mbLeft && WindowButtonMouseUp(p)) return;
  if (!fCloseTracking && fManager->Customizing() && CustomizingMouseUp(*this, p)) return;
  if (fCloseTracking && button == mbLeft) {
    const TRect in = ClientInsets();
    const bool close = fCloseState == 2 && PtInRect(CloseButtonRect(), Point(p.X + in.Left, p.Y + in.Top));
    fCloseTracking = false;
    fCloseState = 0;
    Invalidate();
    if (close) {
      TzbBarManager* manager = fManager;
      TzbBar* bar = fBar;
      bar->SetVisible(false);  // frees this window
      if (manager->OnBarClose) manager->OnBarClose(*manager, *bar);
    }
    return;
  }
  TCustomzbBarControl::MouseUp(p, button);
}

void TzbBarControl::DoubleClick(const TPoint& p) {
  const TRect in = ClientInsets();
  if (HitTest(Point(p.X + in.Left, p.Y + in.Top)) == htCaption && !fManager->Designing) {
    ToggleFloating();
    return;
  }
  TCustomzbBarControl::DoubleClick(p);
}

void TzbBarControl::ToggleFloating() {
  TzbBar* bar = fBar;
  TzbBarManager& m = *fManager;
  if (IsDocked()) {
    const TRect w = WindowRect();
    bar->FloatLeft = w.Left;
    bar->FloatTop = w.Top;
    if (bar->FloatClientWidth <= 0) bar->FloatClientWidth = ClientRect().Width();
    bar->SetDockingStyle(dsNone);  // frees this window
    return;
  }
  const bool first = !bar->EverDocked();
  // Back into the dock control the bar came from, or the edge dock of its docked style.
  TzbBarDockControl* docked = first ? nullptr : bar->DockedDockControl();
  const TzbBarDockingStyle target = docked                                         ? docked->DockingStyle()
                                    : first || bar->DockedDockingStyle() == dsNone ? dsTop
                                                                                   : bar->DockedDockingStyle();
  if (!m.CanDocking(*bar, target, docked)) return;
  if (first) {
    // Docked for the first time: alone on a new row after the rows there are.
    TzbBarScreen* screen = TzbBarScreen::Of(m);
    bar->OneOnRow = true;
    bar->SetRow(screen && screen->Dock(target) ? screen->Dock(target)->RowCount() : 0);
  }
  if (docked)
    bar->SetDockControl(docked);  // frees this window
  else
    bar->SetDockingStyle(target);  // frees this window
}

void TzbBarControl::MouseLeave() {
  WindowButtonMouseLeave();
  if (fActive) return;
  if (fMarkState == 1) {
    fMarkState = 0;
    RedrawMark();
  }
  if (fCloseState == 1 && !fCloseTracking) {
    fCloseState = 0;
    Invalidate();
  }
  TCustomzbBarControl::MouseLeave();
}

// ---------------------------------------------------------------- painting

void TzbBarControl::Paint() {
  TCanvas& wdc = WindowCanvas();
  TCanvas& dc = Canvas();
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  const TRect window = Rect(0, 0, fWidget ? fWidget->width() : 0, fWidget ? fWidget->height() : 0);
  const TBrush brush = GetBackgroundBrush();
  fItemBrush = brush;
  TzbBarItemControlPainter::FillWith(wdc, window, brush);
  if (IsFloating()) {
    p.DrawFloatingBorder(*this, wdc, brush, window);
    p.DrawFloatingCaption(*this, wdc, brush, FloatingCaptionRect());
  } else if (fBar->BorderStyle == bbsSingle) {
    p.DrawBarBorder(*this, wdc, brush, window);
  } else if (const TRect grip = SizeGripRect(); !IsRectEmpty(grip)) {
    p.DrawSizeGrip(*this, wdc, brush, grip);
  }
  PaintBackground(dc, ClientRect(), false);
  PaintItems(dc, brush);
  PaintWindowButtons(dc);
  if (IsDocked() && MarkExists()) p.DrawQuickButton(*this, dc, brush, p.GetQuickButtonRect(*this));
  NotifyUnplacedLinks();
}

void TzbBarControl::PaintItems(TCanvas& dc, const TBrush& brush) {
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  const TRect client = ClientRect();
  const bool vertical = IsVertical();
  const int sepSize = p.GetToolbarSeparatorSize();
  bool first = true;
  for (TzbBarItemLink* link : fLinks->ShownLinks()) {
    TzbBarItemControl* c = link->Control();
    if (!c) continue;
    c->SeparatorRect = TRect{};
    const TRect r = GetItemRect(c);
    if (IsRectEmpty(r)) continue;
    if (link->GetBeginGroup() && !first) {
      TRect sep;
      bool verticalLine;
      if (!vertical) {
        if (r.Left == 0 && r.Top > 0) {
          sep = Rect(0, r.Top - sepSize, client.Width(), r.Top);
          verticalLine = false;
        } else {
          sep = Rect(r.Left - sepSize, r.Top, r.Left, r.Bottom);
          verticalLine = true;
        }
      } else if (r.Top > 0) {
        sep = Rect(r.Left, r.Top - sepSize, r.Right, r.Top);
        verticalLine = false;
      } else {
        sep = Rect(r.Right, 0, r.Right + sepSize, client.Height());
        verticalLine = true;
      }
      p.DrawSeparator(*this, dc, !verticalLine, brush, sep);  // the painter is told a horizontal line
      c->SeparatorRect = sep;
    }
    PaintItem(*c);
    first = false;
  }
}

}  // namespace zyn
