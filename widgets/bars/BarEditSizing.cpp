#include "widgets/bars/BarEditSizing.h"

#include "platform/AppEventFilter.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace zyn {

namespace {

// The frame that shows the new width: two pixels wide, drawn over whatever lies below.
class TSizingFrame : public QWidget {
 public:
  TSizingFrame()
      : QWidget(nullptr,
                Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("zbBarEditSizingFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
  }
  void Place(const QRect& r) {
    setGeometry(r);
    setMask(QRegion(0, 0, r.width(), r.height()) - QRegion(2, 2, r.width() - 4, r.height() - 4));
    if (!isVisible()) show();
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::WindowText));
  }
};

struct TSizing {
  TCustomzbBarControl* Window = nullptr;
  TzbBarItemLink* Link = nullptr;
  int Edge = 0;   // -1 left, 1 right
  TRect Start;    // the link's rectangle at the press, client coordinates
  int DownX = 0;  // the press, client coordinates
  int CaptionWidth = 0;
  QRect Frame;  // screen
  int EditWidth = 0;
  std::unique_ptr<TSizingFrame> Shown;
  int FilterId = 0;
};
std::unique_ptr<TSizing> gSizing;
QPointer<QWidget> gCursorWidget;  // the window that shows the sizing cursor

TzbBarEditControl* SelectedEditIn(const TCustomzbBarControl& w) {
  if (w.IsMenu() || !w.Manager().Customizing() || w.Manager().Designing) return nullptr;
  TzbBarItemLink* link = CustomizingSelectedLink();
  if (!link || !link->Control() || &link->Control()->Parent() != &w) return nullptr;
  return dynamic_cast<TzbBarEditControl*>(link->Control());
}

void Finish(bool apply) {
  std::unique_ptr<TSizing> s = std::move(gSizing);
  if (!s) return;
  if (s->FilterId) TAppEventFilter::RemoveHandler(s->FilterId);
  s->Shown.reset();
  if (!apply || !s->Link || !TCustomzbBarControl::IsAlive(s->Window)) return;
  if (s->EditWidth != s->Link->RealWidth())
    s->Link->SetUserWidth(s->EditWidth);
  else if (s->Link->Control())
    s->Window->RepaintControl(*s->Link->Control());
}

void Follow(int x) {
  TSizing& s = *gSizing;
  const int dx = x - s.DownX;
  const int minTotal = s.CaptionWidth + 20;
  TRect r = s.Start;
  if (s.Edge > 0)
    r.Right = std::max(s.Start.Right + dx, s.Start.Left + minTotal);
  else
    r.Left = std::min(s.Start.Left + dx, s.Start.Right - minTotal);
  s.EditWidth = (r.Right - r.Left) - s.CaptionWidth;
  const TPoint tl = s.Window->ClientToScreen(Point(r.Left, r.Top));
  s.Frame = QRect(tl.X, tl.Y, r.Right - r.Left, r.Bottom - r.Top);
  if (s.Shown) s.Shown->Place(s.Frame);
}

// The window shows the cursor (shown false: its own cursor again).
void ShowCursor(TCustomzbBarControl& w, bool shown, Qt::CursorShape shape = Qt::SplitHCursor) {
  QWidget* widget = w.Widget();
  if (gCursorWidget && (!shown || gCursorWidget != widget)) gCursorWidget->unsetCursor();
  gCursorWidget = nullptr;
  if (shown && widget) {
    widget->setCursor(shape);
    gCursorWidget = widget;
  }
}

// No sizing runs: the sizing cursor over an edge of the selected edit link, the move cursor over
// the drag handle of a bar that may be moved (unless a link is being dragged), else the default.
void ShowCursorAt(TCustomzbBarControl& w, const TPoint& p) {
  if (EditSizingEdgeAt(w, p) != 0)
    ShowCursor(w, true);
  else if (!TzbBarDragAndDrop::Current() && w.CanBeMoved() && PtInRect(w.GetDragHandleZone(), p))
    ShowCursor(w, true, Qt::SizeAllCursor);
  else
    ShowCursor(w, false);
}

}  // namespace

int EditSizingEdgeAt(const TCustomzbBarControl& w, const TPoint& p) {
  TzbBarEditControl* c = SelectedEditIn(w);
  if (!c) return 0;
  const TRect r = w.GetItemRect(c);
  if (IsRectEmpty(r) || p.Y < r.Top || p.Y >= r.Bottom) return 0;
  if (p.X >= r.Left && p.X < r.Left + EditSizingZone) return -1;
  if (p.X >= r.Right - EditSizingZone && p.X < r.Right) return 1;
  return 0;
}

bool EditSizingMouseDown(TCustomzbBarControl& w, const TPoint& p) {
  const int edge = EditSizingEdgeAt(w, p);
  if (edge == 0) return false;
  CancelEditSizing();
  auto* c = SelectedEditIn(w);
  gSizing = std::make_unique<TSizing>();
  gSizing->Window = &w;
  gSizing->Link = &c->Link();
  gSizing->Edge = edge;
  gSizing->Start = w.GetItemRect(c);
  gSizing->DownX = p.X;
  gSizing->CaptionWidth = c->CaptionWidth();
  gSizing->Shown = std::make_unique<TSizingFrame>();
  // Esc gives up; the other keys wait until the button is up.
  gSizing->FilterId = TAppEventFilter::AddHandler([](QWidget*, QEvent* e) {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && e->type() == QEvent::KeyPress) CancelEditSizing();
    return true;
  });
  Follow(p.X);
  ShowCursor(w, true);
  return true;
}

bool EditSizingMouseMove(TCustomzbBarControl& w, const TPoint& p) {
  if (gSizing) {
    if (gSizing->Window != &w) return false;
    if (!(QApplication::mouseButtons() & Qt::LeftButton)) {
      CancelEditSizing();  // the button went up where this window did not hear it
      return true;
    }
    Follow(p.X);
    return true;
  }
  ShowCursorAt(w, p);
  return false;
}

bool EditSizingMouseUp(TCustomzbBarControl& w, const TPoint& p) {
  if (!gSizing || gSizing->Window != &w) return false;
  Follow(p.X);
  Finish(true);
  ShowCursorAt(w, p);
  return true;
}

TzbBarEditSizingState EditSizingState() {
  if (!gSizing) return {};
  return {gSizing->Link, gSizing->Frame, gSizing->EditWidth};
}

int EditSizingCursor(const TCustomzbBarControl& w) {
  const QWidget* widget = w.Widget();
  if (!widget || !widget->testAttribute(Qt::WA_SetCursor)) return 0;
  return widget->cursor().shape() == Qt::SplitHCursor ? crzbBarEditSizing : 0;
}

void CancelEditSizing() {
  Finish(false);
  if (gCursorWidget) gCursorWidget->unsetCursor();
  gCursorWidget = nullptr;
}

void EditSizingLinkGone(const TzbBarItemLink* link) {
  if (gSizing && gSizing->Link == link) {
    gSizing->Link = nullptr;
    CancelEditSizing();
  }
}

}  // namespace zyn
