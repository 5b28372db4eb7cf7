// Detachable menus: the tear-off band of a drop-down menu and the drag that turns the menu into
// its sub-item's floating detaching bar.

#include "platform/AppEventFilter.h"
#include "platform/PopupWindows.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarToolbarControl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace zyn {

namespace {

constexpr int kTearOffZone = 15;

// The one tear-off drag of the program.
struct TTearOff {
  bool Running = false;
  TzbBarManager* Manager = nullptr;
  TzbBar* Bar = nullptr;                       // the detaching bar
  TCustomzbBarControl* OwnerWindow = nullptr;  // the window of the owning sub-item control
  TzbBarItemControl* Owner = nullptr;
  TRect Zone;  // the band in screen coordinates, 15 pixels wider on each side
  bool TornOff = false;
  TPoint Last{-1, -1};
  int Handler = 0;
  QPointer<QWidget> Capture;
};

TTearOff& Drag() {
  static TTearOff d;
  return d;
}

bool OwnerAlive(const TTearOff& d) {
  if (!TCustomzbBarControl::IsAlive(d.OwnerWindow)) return false;
  for (TzbBarItemLink* link : d.OwnerWindow->ItemLinks().ShownLinks())
    if (link->Control() == d.Owner) return true;
  return false;
}

bool BarAlive(const TTearOff& d) {
  if (!TzbBarManagerList::Contains(d.Manager)) return false;
  for (int i = 0; i < d.Manager->Bars().Count(); ++i)
    if (d.Manager->Bars().Items(i) == d.Bar) return true;
  return false;
}

void ReopenMenu(TTearOff& d) {
  if (d.TornOff && BarAlive(d)) d.Bar->SetVisible(false);
  d.TornOff = false;
  if (OwnerAlive(d)) d.Owner->ControlActivate(true);
}

// The floating bar under the pointer: the pointer at its horizontal middle, half a caption below
// its top.
void PlaceBar(TTearOff& d, const TPoint& cursor) {
  auto* window = dynamic_cast<TzbBarControl*>(d.Bar->GetBarControl());
  if (!window || !window->IsFloating()) return;
  const TRect w = window->WindowRect();
  const int caption = d.Manager->PainterClass().GetFloatingCaptionHeight();
  window->SetBounds(Bounds(cursor.X - w.Width() / 2, cursor.Y - caption / 2, w.Width(), w.Height()));
}

void TearOff(TTearOff& d, const TPoint& cursor) {
  if (OwnerAlive(d)) d.Owner->ControlInactivate(true);  // the menu closes
  if (!BarAlive(d)) return;
  if (d.Bar->DockingStyle() != dsNone) {
    d.Bar->SetVisible(false);
    d.Bar->SetDockingStyle(dsNone);
  }
  if (!d.Bar->Visible()) {
    d.Bar->FloatLeft = cursor.X - 100;
    d.Bar->FloatTop = cursor.Y - d.Manager->PainterClass().GetFloatingCaptionHeight() / 2;
    d.Bar->SetVisible(true);
  }
  d.TornOff = true;
}

void EndTearOff(bool keep) {
  TTearOff& d = Drag();
  if (!d.Running) return;
  d.Running = false;
  TAppEventFilter::RemoveHandler(d.Handler);
  if (d.Capture) {
    d.Capture->releaseMouse();
    d.Capture->deleteLater();
  }
  if (d.TornOff && BarAlive(d)) {
    if (keep) {
      if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl(); head && &head->Manager() == d.Manager)
        head->HideAll();
    } else {
      d.Bar->SetVisible(false);
    }
  }
  d = TTearOff{};
}

bool TearOffEvent(QEvent* event) {
  TTearOff& d = Drag();
  if (!d.Running) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const TPoint p = FromQPoint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      if (p == d.Last) return true;
      d.Last = p;
      SetBarCursorPos(p);
      const bool inZone = PtInRect(d.Zone, p);
      if (!d.TornOff) {
        if (!inZone) TearOff(d, p);
      } else if (inZone) {
        ReopenMenu(d);
        EndTearOff(false);
        return true;
      }
      if (d.TornOff && BarAlive(d)) PlaceBar(d, p);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) EndTearOff(true);
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        ReopenMenu(d);
        EndTearOff(false);
      }
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TzbBarSubMenuControl::TearingOff() { return Drag().Running; }

bool TzbBarSubMenuControl::HasTearOffBand() const {
  if (!OwnerControl || fManager->IsCustomizing()) return false;
  const TzbBarItem& item = OwnerControl->Item();
  return item.InheritsFrom(TCustomzbBarSubItem::kClassName) && static_cast<const TCustomzbBarSubItem&>(item).Detachable;
}

int TzbBarSubMenuControl::BandCaptionHeight() const {
  int h = QFontMetrics(fManager->BarFont()).height() / 2;
  if (h % 2 == 0) ++h;
  return h;
}

int TzbBarSubMenuControl::TearOffBandHeight() const {
  return HasTearOffBand() ? fManager->PainterClass().GetTearOffBandHeight(*this) : 0;
}

TRect TzbBarSubMenuControl::TearOffBandRect() const {
  if (!HasTearOffBand() || !fWidget) return TRect{};
  TRect r = Rect(0, 0, fWidget->width(), fWidget->height());
  fManager->PainterClass().AdjustTearOffBandRect(*this, r);
  r.Bottom = r.Top + BandCaptionHeight();
  return r;
}

bool TzbBarSubMenuControl::TearOffMouseMove(const TPoint& client) {
  if (!HasTearOffBand()) return false;
  const TRect in = ClientInsets();
  const bool hot = PtInRect(TearOffBandRect(), Point(client.X + in.Left, client.Y + in.Top));
  if (hot != fTearOffHot) {
    fTearOffHot = hot;
    if (hot) {
      HotTrackItem(nullptr);
      if (!IsAlive(this)) return true;
      fWidget->setCursor(Qt::SizeAllCursor);
      ShowBarHintText(*fManager, "Drag to make this menu float");
    } else {
      fWidget->unsetCursor();
      HideBarHint(*fManager);
    }
    Invalidate();
  }
  return hot;
}

void TzbBarSubMenuControl::MouseLeave() {
  if (fTearOffHot) {
    fTearOffHot = false;
    if (fWidget) fWidget->unsetCursor();
    HideBarHint(*fManager);
    Invalidate();
  }
  TCustomzbBarControl::MouseLeave();
}

bool TzbBarSubMenuControl::TearOffMouseDown(const TPoint& client) {
  if (!fTearOffHot || !HasTearOffBand() || TearingOff()) return false;
  TzbBarItemControl* owner = OwnerControl;
  auto& item = static_cast<TCustomzbBarSubItem&>(owner->Item());
  TCustomzbBarControl* ownerWindow = ParentBar;
  if (item.OnDetaching) {
    item.OnDetaching(item);
    if (!IsAlive(this)) return true;
  }
  const int index = item.DetachingBar();
  TzbBar* bar = index >= 0 ? fManager->Bars().Items(index) : nullptr;
  // The bar that holds the sub-item cannot be its own detached content.
  TCustomzbBarControl* top = ChainTop();
  if (!bar || !ownerWindow || (top && bar->GetBarControl() == top)) return true;
  TTearOff& d = Drag();
  d = TTearOff{};
  d.Running = true;
  d.Manager = fManager;
  d.Bar = bar;
  d.OwnerWindow = ownerWindow;
  d.Owner = owner;
  const TRect band = TearOffBandRect();
  const TRect w = WindowRect();
  d.Zone = Rect(w.Left + band.Left - kTearOffZone, w.Top + band.Top - kTearOffZone, w.Left + band.Right + kTearOffZone,
                w.Top + band.Bottom + kTearOffZone);
  d.Last = BarCursorPos();
  const TPoint cursor = BarCursorPos();
  d.Capture = CreateMouseCapture(cursor, Qt::SizeAllCursor);  // the input filter sees the moves
  d.Handler = TAppEventFilter::AddHandler([](QWidget*, QEvent* e) { return TearOffEvent(e); });
  return true;
}

}  // namespace zyn
