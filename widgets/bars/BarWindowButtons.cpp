// The window buttons of the main menu bar: minimize, restore and close of the form's maximized
// child window, or the close button alone.

#include "platform/MdiWindows.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarMdi.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUtils.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QWidget>

namespace zyn {

namespace {

constexpr int kCommands[3] = {scMinimize, scRestore, scClose};

// One pressed button at a time in the whole program.
struct TWindowButtonState {
  TzbBarControl* Owner = nullptr;  // the bar whose button is hot or pressed
  bool Pressed = false;
  bool PressedLook = false;
  int PressedButton = -1;
  int HotButton = -1;
};

TWindowButtonState& ButtonState() {
  static TWindowButtonState s;
  return s;
}

}  // namespace

int TzbBarControl::HotWindowButton() { return ButtonState().HotButton; }
int TzbBarControl::PressedWindowButton() { return ButtonState().Pressed ? ButtonState().PressedButton : -1; }
bool TzbBarControl::WindowButtonPressedLook() { return ButtonState().Pressed && ButtonState().PressedLook; }
// Only while the left button is down: a release that never came (the grab was lost) must not keep
// every key swallowed.
bool TzbBarControl::WindowButtonHeld() { return ButtonState().Pressed && IsAlive(ButtonState().Owner) && LeftButtonDown(); }

bool TzbBarControl::AllWindowButtonsShown() const {
  if (!fBar->IsMainMenu()) return false;
  QMdiSubWindow* child = MaximizedMdiChild(*fManager);
  return child && child->systemMenu();
}

bool TzbBarControl::WindowButtonsShown() const {
  return fBar->IsMainMenu() && (AllWindowButtonsShown() || fManager->ShowCloseButton);
}

int TzbBarControl::WindowButtonsLength() const { return WindowButtonsShown() ? WindowButtonsLengthFor(IsVertical()) : 0; }

int TzbBarControl::WindowButtonsLengthFor(bool vertical) const {
  const int along = vertical ? WindowButtonHeight : WindowButtonWidth;
  return AllWindowButtonsShown() ? 3 * along + 2 : along;
}

TRect TzbBarControl::WindowButtonRect(int index) const {
  if (index < 0 || index > 2 || !WindowButtonsShown()) return TRect{};
  const bool all = AllWindowButtonsShown();
  if (!all && index != 2) return TRect{};
  const bool vertical = IsVertical();
  const TRect client = ClientRect();
  // Computed as on a horizontal bar and turned for a vertical one.
  const int w = vertical ? WindowButtonHeight : WindowButtonWidth;
  const int h = vertical ? WindowButtonWidth : WindowButtonHeight;
  int end = vertical ? client.Height() : client.Width();
  if (IsDocked() && MarkExists()) end -= kMarkZone;
  int start = all ? end - WindowButtonsLength() + index * w + (index == 2 ? 2 : 0) : end - w;
  const int across = vertical ? client.Width() : client.Height();
  int top = (across - h) / 2;
  if (Wraps()) {
    // Centred across the last line when the buttons share it with items, else at the far edge.
    const auto& shown = fLinks->ShownLinks();
    TzbBarItemControl* last = nullptr;
    for (auto it = shown.rbegin(); it != shown.rend() && !last; ++it)
      if ((*it)->Control() && !IsRectEmpty((*it)->ItemRect)) last = (*it)->Control();
    if (last) {
      const TRect r = GetItemRect(last);
      const int lineStart = vertical ? across - r.Right : r.Top;
      const int lineEnd = vertical ? across - r.Left : r.Bottom;
      const int itemsEnd = vertical ? r.Bottom : r.Right;
      top = itemsEnd <= end - WindowButtonsLength() ? lineStart + (lineEnd - lineStart - h) / 2 : across - h;
    }
  }
  if (!vertical) return Bounds(start, top, w, h);
  return Bounds(client.Width() - (top + h), start, h, w);
}

bool TzbBarControl::WindowButtonEnabled(int index) const {
  if (index < 0 || index > 2 || IsRectEmpty(WindowButtonRect(index))) return false;
  if (index == 1 || !AllWindowButtonsShown()) return true;
  const QAction* entry = SystemMenuEntry(MaximizedMdiChild(*fManager), kCommands[index]);
  return !entry || entry->isEnabled();
}

int TzbBarControl::WindowButtonAt(const TPoint& client) const {
  if (!WindowButtonsShown()) return -1;
  for (int i = 0; i < 3; ++i)
    if (PtInRect(WindowButtonRect(i), client)) return i;
  return -1;
}

bool TzbBarControl::WindowButtonMouseDown(const TPoint& client) {
  if (fManager->IsCustomizing()) return false;
  const int i = WindowButtonAt(client);
  if (i < 0) return false;
  if (!WindowButtonEnabled(i)) return true;
  if (fActive) {
    HideAll();
    if (!IsAlive(this)) return true;
  }
  TWindowButtonState& s = ButtonState();
  s = TWindowButtonState{};
  s.Owner = this;
  s.Pressed = true;
  s.PressedLook = true;
  s.PressedButton = i;
  Invalidate();
  return true;
}

bool TzbBarControl::WindowButtonMouseMove(const TPoint& client) {
  TWindowButtonState& s = ButtonState();
  if (s.Pressed && !LeftButtonDown()) {  // the release went elsewhere
    s = TWindowButtonState{};
    Invalidate();
  }
  if (s.Pressed && s.Owner == this) {
    const bool look = PtInRect(WindowButtonRect(s.PressedButton), client);
    if (look != s.PressedLook) {
      s.PressedLook = look;
      Invalidate();
    }
    return true;
  }
  if (s.Pressed) return false;
  int hot = WindowButtonAt(client);
  if (hot >= 0 && !WindowButtonEnabled(hot)) hot = -1;
  const int old = s.Owner == this ? s.HotButton : -1;
  if (hot != old) {
    s.Owner = hot >= 0 ? this : (s.Owner == this ? nullptr : s.Owner);
    s.HotButton = hot;
    Invalidate();
  }
  return false;
}

bool TzbBarControl::WindowButtonMouseUp(const TPoint& client) {
  TWindowButtonState& s = ButtonState();
  if (!s.Pressed || s.Owner != this) return false;
  const int i = s.PressedButton;
  const bool over = PtInRect(WindowButtonRect(i), client);
  const bool all = AllWindowButtonsShown();
  s = TWindowButtonState{};
  Invalidate();
  if (!over) return true;
  if (all) {
    SendSystemCommand(MaximizedMdiChild(*fManager), kCommands[i]);
  } else if (fManager->OnCloseButtonClick) {
    fManager->OnCloseButtonClick(*fManager);
  }
  return true;
}

void TzbBarControl::WindowButtonMouseLeave() {
  TWindowButtonState& s = ButtonState();
  if (s.Owner != this || s.Pressed || s.HotButton < 0) return;
  s = TWindowButtonState{};
  Invalidate();
}

void TzbBarControl::CancelWindowButtons(const TzbBarManager& manager) {
  TWindowButtonState& s = ButtonState();
  TzbBarControl* owner = s.Owner;
  if (!s.Pressed || !IsAlive(owner) || &owner->Manager() != &manager) return;
  s = TWindowButtonState{};
  if (QWidget* w = owner->Widget(); w && QWidget::mouseGrabber() == w) w->releaseMouse();
  owner->Invalidate();
}

void TzbBarControl::ForgetWindowButtons() {
  if (ButtonState().Owner == this) ButtonState() = TWindowButtonState{};
}

void TzbBarControl::PaintWindowButtons(TCanvas& dc) {
  if (!WindowButtonsShown()) return;
  const TWindowButtonState& s = ButtonState();
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  for (int i = 0; i < 3; ++i) {
    const TRect r = WindowButtonRect(i);
    if (IsRectEmpty(r)) continue;
    const bool mine = s.Owner == this;
    const bool pressed = mine && s.Pressed && s.PressedButton == i && s.PressedLook;
    const bool selected = pressed || (mine && !s.Pressed && s.HotButton == i);
    p.DrawMDIButton(*this, i, r, dc, selected, pressed, WindowButtonEnabled(i));
  }
}

}  // namespace zyn
