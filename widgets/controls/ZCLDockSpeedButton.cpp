#include "widgets/controls/ZCLDockSpeedButton.h"

#include "widgets/controls/ZCLBase.h"

#include <QCoreApplication>
#include <QLayout>
#include <QMouseEvent>

#include <stdexcept>

namespace zyn {

QEvent::Type TZCLDockQueryEvent::EventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + 210));
  return type;
}

TZCLDockSpeedButton::TZCLDockSpeedButton(QWidget* parent) : TZCLCustomSpeedButton(parent) {
  FGlyphKind = gkEllipsis;
  resize(22, 22);
}

TZCLDockSpeedButton::~TZCLDockSpeedButton() { Unhook(); }

void TZCLDockSpeedButton::SetControl(QWidget* control) {
  if (control == FControl) return;
  Unhook();
  FControl = control;
  if (!control) return;
  TZCLDockQueryEvent query;
  QCoreApplication::sendEvent(control, &query);
  if (query.Answer && query.Answer != this) {
    FControl = nullptr;
    RaiseDockingError(query.Answer, control);
  }
  Dock();
}

void TZCLDockSpeedButton::Dock() {
  if (!FDocked || !FControl || IsLoading()) return;
  FBusy = false;
  Hook();
  PlaceButton();
}

void TZCLDockSpeedButton::Hook() {
  if (FHooked || !FControl) return;
  FControl->installEventFilter(this);
  FDestroyed = connect(FControl, &QObject::destroyed, this, [this] {
    FHooked = false;
    FControl = nullptr;
  });
  FHooked = true;
}

void TZCLDockSpeedButton::Unhook() {
  if (!FHooked) return;
  FHooked = false;
  disconnect(FDestroyed);
  if (FControl) FControl->removeEventFilter(this);
}

void TZCLDockSpeedButton::SetPosition(TZCLDockPosition value) {
  if (value == FPosition) return;
  FPosition = value;
  if (FDocked) PlaceButton();
}

void TZCLDockSpeedButton::SetMargin(int value) {
  if (value == FMargin) return;
  FMargin = value;
  if (FDocked) PlaceButton();
}

void TZCLDockSpeedButton::SetDockFlag(int index, bool value) {
  switch (index) {
    case 0:
      if (value == FAdjustDockedSize) return;
      FAdjustDockedSize = value;
      if (FDocked) PlaceButton();
      break;
    case 1:
      if (value == FDocked) return;
      FDocked = value;
      if (value && FControl)
        Dock();
      else
        Unhook();
      break;
    case 2:
      if (value == FReflectOwnChanges) return;
      FReflectOwnChanges = value;
      if (value && FDocked) PlaceControl();
      break;
    default:
      break;
  }
}

bool TZCLDockSpeedButton::ControlAligned() const {
  // A control placed by its parent's layout is aligned: the button neither moves it nor follows it.
  QWidget* parent = FControl ? FControl->parentWidget() : nullptr;
  return parent && parent->layout() && parent->layout()->indexOf(FControl) >= 0;
}

QRect TZCLDockSpeedButton::ControlBounds() const {
  QRect r = FControl->geometry();
  QWidget* mine = parentWidget();
  QWidget* theirs = FControl->parentWidget();
  if (mine && theirs && mine != theirs)
    r.moveTopLeft(mine->mapFrom(theirs->window(), theirs->mapTo(theirs->window(), r.topLeft())));
  return r;
}

void TZCLDockSpeedButton::PlaceButton() {
  if (FBusy || !FControl || ControlAligned()) return;
  const QRect c = ControlBounds();
  const int L = c.x(), T = c.y(), W = c.width(), H = c.height();
  FBusy = true;
  int w = width(), h = height();
  if (FPosition == dpBottom || FPosition == dpTop) {
    if (FAdjustDockedSize) w = W;
  } else if (FAdjustDockedSize) {
    h = H;
  }
  int x = 0, y = 0;
  switch (FPosition) {
    case dpBottom:
      x = L;
      y = T + H + FMargin;
      break;
    case dpLeft:
      x = L - w - FMargin;
      y = T;
      break;
    case dpRight:
      x = L + W + FMargin;
      y = T;
      break;
    case dpTop:
      x = L;
      y = T - h - FMargin;
      break;
  }
  SetBounds(x, y, w, h);
  FBusy = false;
}

void TZCLDockSpeedButton::PlaceControl() {
  if (FBusy || !FControl || ControlAligned()) return;
  FBusy = true;
  int cw = FControl->width(), ch = FControl->height();
  if (FAdjustDockedSize) {
    if (FPosition == dpBottom || FPosition == dpTop)
      cw = width();
    else
      ch = height();
  }
  const QRect b = geometry();
  int x = 0, y = 0;
  switch (FPosition) {
    case dpBottom:
      x = b.left();
      y = b.top() - ch - FMargin;
      break;
    case dpLeft:
      x = b.left() + b.width() + FMargin;
      y = b.top();
      break;
    case dpRight:
      x = b.left() - cw - FMargin;
      y = b.top();
      break;
    case dpTop:
      x = b.left();
      y = b.top() + b.height() + FMargin;
      break;
  }
  FControl->setGeometry(x, y, cw, ch);
  FBusy = false;
}

bool TZCLDockSpeedButton::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FControl || !FHooked) return TZCLCustomSpeedButton::eventFilter(watched, event);
  if (event->type() == TZCLDockQueryEvent::EventType()) {
    static_cast<TZCLDockQueryEvent*>(event)->Answer = this;
    return true;
  }
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
      PlaceButton();
      break;
    case QEvent::EnabledChange:
      setEnabled(FControl->isEnabled());
      break;
    case QEvent::Hide:
      hide();
      break;
    case QEvent::Show:
      if (isHidden()) {
        PlaceButton();
        show();
      }
      break;
    default:
      break;
  }
  return false;
}

void TZCLDockSpeedButton::Loaded() {
  TZCLCustomSpeedButton::Loaded();
  Dock();
}

void TZCLDockSpeedButton::BoundsChanged(int flags) {
  TZCLCustomSpeedButton::BoundsChanged(flags);
  if (FReflectOwnChanges && FDocked && FHooked) PlaceControl();
}

void TZCLDockSpeedButton::mousePressEvent(QMouseEvent* event) {
  TZCLCustomSpeedButton::mousePressEvent(event);
  if (FDocked && FControl && FControl->isVisible()) {
    try {
      FControl->setFocus(Qt::MouseFocusReason);
    } catch (...) {
      // A failing focus change ends silently.
    }
  }
}

}  // namespace zyn
