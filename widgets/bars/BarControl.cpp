#include "widgets/bars/BarControl.h"

#include "platform/PopupWindows.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarShadow.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace zyn {

namespace {

std::vector<TCustomzbBarControl*>& LiveList() {
  static std::vector<TCustomzbBarControl*> list;
  return list;
}

TCustomzbBarControl*& ChainHead() {
  static TCustomzbBarControl* head = nullptr;
  return head;
}

TCustomzbBarControl*& SelectingRef() {
  static TCustomzbBarControl* window = nullptr;
  return window;
}

TzbMouseButton ButtonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return mbRight;
  if (b == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

TPoint& LastCursor() {
  static TPoint p{-1, -1};
  return p;
}

}  // namespace

TPoint BarCursorPos() { return LastCursor(); }

unsigned ShiftOf(Qt::KeyboardModifiers m) {
  unsigned s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  return s;
}
void SetBarCursorPos(const TPoint& p) { LastCursor() = p; }

// ---------------------------------------------------------------- the widget

class TzbBarWidget : public QWidget {
 public:
  TzbBarWidget(TCustomzbBarControl& owner, QWidget* parent) : QWidget(parent), fOwner(&owner) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  ~TzbBarWidget() override {
    // Children of the widget, deleted with it; borrowed ones leave first.
    const QObjectList kids = children();
    for (QObject* child : kids)
      if (auto* borrowed = dynamic_cast<TzbBarBorrowedWidget*>(child)) borrowed->BarWidgetGoing();
  }
  void Detach() { fOwner = nullptr; }
  TCustomzbBarControl* Owner() const { return fOwner; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (fOwner) fOwner->PaintWidget(*this);
  }
  void mousePressEvent(QMouseEvent* e) override {
    SetBarCursorPos(FromQPoint(e->globalPosition().toPoint()));
    if (!fOwner) return;
    fOwner->MouseDown(fOwner->ScreenToClient(FromQPoint(e->globalPosition().toPoint())), ButtonOf(e->button()));
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    SetBarCursorPos(FromQPoint(e->globalPosition().toPoint()));
    if (!fOwner) return;
    fOwner->DoubleClick(fOwner->ScreenToClient(FromQPoint(e->globalPosition().toPoint())));
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const TPoint screen = FromQPoint(e->globalPosition().toPoint());
    SetBarCursorPos(screen);
    TCustomzbBarControl* target = Target(screen);
    if (target) target->MouseMove(target->ScreenToClient(screen));
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    const TPoint screen = FromQPoint(e->globalPosition().toPoint());
    SetBarCursorPos(screen);
    TCustomzbBarControl* target = Target(screen);
    if (target) target->MouseUp(target->ScreenToClient(screen), ButtonOf(e->button()));
  }
  void leaveEvent(QEvent*) override {
    if (fOwner) fOwner->MouseLeave();
    if (fOwner && TCustomzbBarControl::IsAlive(fOwner) && QGuiApplication::applicationState() != Qt::ApplicationActive)
      fOwner->PointerLeftWhileInactive();
  }
  void moveEvent(QMoveEvent*) override {
    if (fOwner) fOwner->WindowMoved();
  }
  void hideEvent(QHideEvent*) override {
    if (fOwner) fOwner->WidgetHidden();
  }
  void resizeEvent(QResizeEvent*) override {
    if (fOwner) {
      fOwner->Invalidate();
      fOwner->WindowMoved();
    }
  }

 private:
  // While the button is held the presses' window gets every move; a move or release over another
  // window of the menu chain belongs to that window.
  TCustomzbBarControl* Target(const TPoint& screen) const {
    if (!fOwner) return nullptr;
    if (PtInRect(fOwner->WindowRect(), screen)) return fOwner;
    TCustomzbBarControl* other = TCustomzbBarControl::AtScreenPoint(screen);
    if (other && other->IsInChain()) return other;
    return fOwner;
  }
  TCustomzbBarControl* fOwner;
};

QWidget* CreateBarWidget(TCustomzbBarControl& owner, QWidget* parent) { return new TzbBarWidget(owner, parent); }

void DetachBarWidget(QWidget* widget) {
  if (auto* w = dynamic_cast<TzbBarWidget*>(widget)) w->Detach();
}

// ---------------------------------------------------------------- keys and shift state

unsigned CurrentShiftState() {
  const Qt::KeyboardModifiers m = QApplication::queryKeyboardModifiers();
  unsigned s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

int VirtualKeyOf(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------- construction

TCustomzbBarControl::TCustomzbBarControl(TzbBarManager& manager, TzbBarItemLinks& links)
    : fManager(&manager), fLinks(&links) {
  LiveList().push_back(this);
  fShadow = std::make_unique<TzbBarShadow>(*this);
  fBuffer = QImage(50, 30, QImage::Format_RGB32);
  fBuffer.fill(Qt::white);
  fCanvas = std::make_unique<TCanvas>(&fBuffer);
  fCanvas->Font.Font = manager.BarFont();
  fClientBuffer = QImage(50, 30, QImage::Format_RGB32);
  fClientBuffer.fill(Qt::white);
  fClientCanvas = std::make_unique<TCanvas>(&fClientBuffer);
  fClientCanvas->Font.Font = manager.BarFont();
  CalcMetrics();
}

TCustomzbBarControl::~TCustomzbBarControl() {
  fClosing = true;
  CancelBarHint(*fManager, this);
  if (ChainHead() == this) ChainHead() = PreviousActive;
  for (TCustomzbBarControl* w : LiveList()) {
    if (w->PreviousActive == this) w->PreviousActive = PreviousActive;
    if (w->ParentBar == this) w->ParentBar = nullptr;
  }
  if (ChainHead() && !ChainHead()->fActive) ChainHead() = nullptr;
  auto& live = LiveList();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  if (SelectingRef() == this) SelectingRef() = nullptr;
  fShadow.reset();
  fClientCanvas.reset();
  fCanvas.reset();
  if (fWidget) {
    DetachBarWidget(fWidget);
    fWidget->hide();
    fWidget->deleteLater();
  }
}

bool TCustomzbBarControl::IsAlive(const TCustomzbBarControl* window) {
  const auto& live = LiveList();
  return window && std::find(live.begin(), live.end(), window) != live.end();
}

TCustomzbBarControl* TCustomzbBarControl::ActiveBarControl() { return ChainHead(); }

TCustomzbBarControl* TCustomzbBarControl::SelectingWindow(const TzbBarManager& manager) {
  TCustomzbBarControl* w = SelectingRef();
  return w && w->fManager == &manager && w->fSelected ? w : nullptr;
}

TCustomzbBarControl* TCustomzbBarControl::FromWidget(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (auto* bw = dynamic_cast<const TzbBarWidget*>(w)) return bw->Owner();
    if (w->isWindow()) break;
  }
  return nullptr;
}

TCustomzbBarControl* TCustomzbBarControl::AtScreenPoint(const TPoint& p) {
  TCustomzbBarControl* found = nullptr;
  for (TCustomzbBarControl* w : LiveList()) {
    if (!w->fWidget || !w->fWidget->isVisible() || !PtInRect(w->WindowRect(), p)) continue;
    if (w->IsMenu()) return w;
    if (!found) found = w;
  }
  return found;
}

bool TCustomzbBarControl::OnOpenMenu(const TzbBarManager& manager, const TPoint& p) {
  const TCustomzbBarControl* w = AtScreenPoint(p);
  return w && w->IsMenu() && &w->Manager() == &manager;
}

QWidget* TCustomzbBarControl::Widget() const { return fWidget; }

void TCustomzbBarControl::CloseChildMenu() {
  if (!ChildMenu) return;
  TzbBarSubMenuControl* child = ChildMenu;
  ChildMenu = nullptr;
  if (child->OwnerControl)
    child->OwnerControl->ControlInactivate(true);
  else
    child->Close();
}

void TCustomzbBarControl::SetWidget(QWidget* widget) {
  if (fWidget) {
    DetachBarWidget(fWidget);
    fWidget->hide();
    fWidget->deleteLater();
  }
  fWidget = widget;
}

// ---------------------------------------------------------------- metrics and canvas

void TCustomzbBarControl::CalcMetrics() {
  const QString zero = QStringLiteral("0");
  fZeroHeight = fClientCanvas->TextHeight(zero);
  fLineHeight = fZeroHeight + 6;
  fArrowSize = std::max(4, fLineHeight / 5);
  const TzbBarItemControlPainter& p = fManager->PainterClass();
  fEditHeight = p.GetEditHeight(fZeroHeight);
  fRightMargin = p.GetComboButtonWidth(fClientCanvas->TextWidth(zero));
}

void TCustomzbBarControl::EnsureBuffer() {
  const QSize size = fWidget ? fWidget->size() : QSize(50, 30);
  const QSize wanted(std::max(1, size.width()), std::max(1, size.height()));
  const TRect client = ClientRect();
  const QSize clientWanted(std::max(1, client.Width()), std::max(1, client.Height()));
  const TFont font = fClientCanvas->Font;
  if (fBuffer.size() != wanted) {
    fCanvas.reset();
    fBuffer = QImage(wanted, QImage::Format_RGB32);
    fBuffer.fill(Qt::white);
    fCanvas = std::make_unique<TCanvas>(&fBuffer);
    fCanvas->Font = font;
  }
  if (fClientBuffer.size() != clientWanted) {
    fClientCanvas.reset();
    fClientBuffer = QImage(clientWanted, QImage::Format_RGB32);
    fClientBuffer.fill(Qt::white);
    fClientCanvas = std::make_unique<TCanvas>(&fClientBuffer);
    fClientCanvas->Font = font;
  }
}

TCanvas& TCustomzbBarControl::Canvas() { return *fClientCanvas; }

int TCustomzbBarControl::FontPointSize() const {
  const QFont& f = fClientCanvas->Font.Font;
  if (f.pointSize() > 0) return f.pointSize();
  return std::max(1, f.pixelSize() * 72 / 96);
}

int TCustomzbBarControl::FontHeightValue() const {
  const QFont& f = fClientCanvas->Font.Font;
  if (f.pixelSize() > 0) return -f.pixelSize();
  return -std::max(1, f.pointSize() * 96 / 72);
}

TRect TCustomzbBarControl::ClientRect() const {
  const TRect in = ClientInsets();
  const int w = fWidget ? fWidget->width() : fBuffer.width();
  const int h = fWidget ? fWidget->height() : fBuffer.height();
  return Rect(0, 0, std::max(0, w - in.Left - in.Right), std::max(0, h - in.Top - in.Bottom));
}

TBrush TCustomzbBarControl::GetBackgroundBrush() const { return fManager->PainterClass().GetBarBrush(*this); }

void TCustomzbBarControl::PaintBackground(TCanvas& canvas, const TRect& r, bool nonRecent) {
  if (IsMenu())
    fManager->PainterClass().DrawMenuBackgroundPart(*this, canvas, GetBackgroundBrush(), r, nonRecent);
  else
    TzbBarItemControlPainter::FillWith(canvas, r, GetBackgroundBrush());
}

// ---------------------------------------------------------------- geometry

TRect TCustomzbBarControl::WindowRect() const {
  if (!fWidget) return TRect{};
  const QPoint origin = fWidget->mapToGlobal(QPoint(0, 0));
  return Bounds(origin.x(), origin.y(), fWidget->width(), fWidget->height());
}

TPoint TCustomzbBarControl::ClientToScreen(const TPoint& p) const {
  const TRect w = WindowRect();
  const TRect in = ClientInsets();
  return Point(p.X + w.Left + in.Left, p.Y + w.Top + in.Top);
}

TPoint TCustomzbBarControl::ScreenToClient(const TPoint& p) const {
  const TRect w = WindowRect();
  const TRect in = ClientInsets();
  return Point(p.X - w.Left - in.Left, p.Y - w.Top - in.Top);
}

TRect TCustomzbBarControl::GetItemRect(const TzbBarItemControl* control) const {
  return control ? control->Link().ItemRect : TRect{};
}

TzbBarItemControl* TCustomzbBarControl::ControlAt(const TPoint& p) const {
  for (TzbBarItemLink* link : fLinks->ShownLinks()) {
    TzbBarItemControl* c = link->Control();
    if (c && PtInRect(GetItemRect(c), p)) return c;
  }
  return nullptr;
}

bool TCustomzbBarControl::IsShadowVisible() const {
  return fWidget && fWidget->isVisible() && fManager->GetRealStyle() == bmsXP && !IsDocked();
}

bool TCustomzbBarControl::IsOwnerRectAdjacent() const {
  if (IsRectEmpty(OwnerRect)) return false;
  const TRect w = WindowRect();
  const TRect& o = OwnerRect;
  const bool alongX = o.Left < w.Right && w.Left < o.Right;
  const bool alongY = o.Top < w.Bottom && w.Top < o.Bottom;
  return ((o.Bottom == w.Top || o.Top == w.Bottom) && alongX) || ((o.Right == w.Left || o.Left == w.Right) && alongY);
}

TRect TCustomzbBarControl::OwnerGap(bool outwards, bool toScreen) const {
  if (!IsOwnerRectAdjacent()) return TRect{};
  const TRect w = WindowRect();
  TRect o = OwnerRect;
  OffsetRect(o, -w.Left, -w.Top);
  TRect self = Rect(0, 0, w.Width(), w.Height());
  // The owner beside the window: work on the columns as if they were rows.
  const bool beside = !(o.Bottom == 0 || o.Top == self.Bottom);
  auto swap = [](TRect& r) {
    std::swap(r.Left, r.Top);
    std::swap(r.Right, r.Bottom);
  };
  if (beside) {
    swap(o);
    swap(self);
  }
  const bool top = o.Bottom == self.Top;
  int y = top ? self.Top : self.Bottom - 1;
  if (outwards) y += top ? -1 : 1;
  TRect line = Rect(std::max(self.Left, o.Left) + 1, y, std::min(self.Right, o.Right) - 1, y + 1);
  if (line.Right <= line.Left) return TRect{};
  if (beside) swap(line);
  if (toScreen) OffsetRect(line, w.Left, w.Top);
  return line;
}

TRect TCustomzbBarControl::OwnerGapRect() const {
  if (!fManager->PainterClass().JoinsMenuToOwner(*this)) return TRect{};
  return OwnerGap(false, false);
}

TRect TCustomzbBarControl::ChildMenuGapRect() const {
  TCustomzbBarControl* child = ChildMenu;
  if (!child || !IsAlive(child) || !fManager->PainterClass().JoinsMenuToOwner(*child)) return TRect{};
  TRect gap = child->OwnerGap(true, true);
  if (IsRectEmpty(gap)) return gap;
  const TPoint origin = ClientToScreen(Point(0, 0));
  OffsetRect(gap, -origin.X, -origin.Y);
  return gap;
}

void TCustomzbBarControl::UpdateShadow() {
  if (!fShadow || fClosing) return;
  const bool visible = IsShadowVisible();
  if (!visible) {
    fShadow->SetVisible(false);
    return;
  }
  fShadow->SetRects(IsOwnerRectAdjacent() ? OwnerRect : TRect{}, WindowRect());
  fShadow->SetVisible(true);
}

// ---------------------------------------------------------------- controls

void TCustomzbBarControl::CreateItemControls() {
  for (TzbBarItemLink* link : fLinks->ShownLinks())
    if (!link->Control()) link->CreateControl();
}

void TCustomzbBarControl::DestroyItemControls() {
  const bool was = fClosing;
  fClosing = true;
  fSelected = nullptr;
  fCaptured = nullptr;
  for (int i = 0; i < fLinks->Count(); ++i) fLinks->Items(i)->DestroyControl();
  fClosing = was;
}

void TCustomzbBarControl::DeselectControl() {
  if (!fSelected) return;
  fSelected = nullptr;
  Invalidate();
}

// ---------------------------------------------------------------- chain

void TCustomzbBarControl::SetActive(bool value) {
  HideBarHint(*fManager);
  if (value == fActive) return;
  if (value) {
    if (!ChainHead()) MenusExpanded() = fManager->IsCustomizing();
    PreviousActive = ChainHead();
    ChainHead() = this;
    fActive = true;
    return;
  }
  SelectItem(nullptr);
  if (!IsAlive(this)) return;
  fActive = false;
  if (ChainHead() == this) {
    ChainHead() = PreviousActive;
    if (ChainHead() && (!IsAlive(ChainHead()) || !ChainHead()->fActive)) ChainHead() = nullptr;
  }
}

bool TCustomzbBarControl::IsInChain() const {
  for (const TCustomzbBarControl* w = ChainHead(); w; w = w->ParentBar)
    if (w == this) return true;
  return false;
}

TCustomzbBarControl* TCustomzbBarControl::ChainTop() {
  TCustomzbBarControl* top = this;
  while (top->ParentBar) top = top->ParentBar;
  return top;
}

void TCustomzbBarControl::HideAll() { ChainTop()->CloseChain(); }

bool& TCustomzbBarControl::MenusExpanded() {
  static bool expanded = false;
  return expanded;
}

// ---------------------------------------------------------------- selection

void TCustomzbBarControl::SetSelectedControl(TzbBarItemControl* control) {
  if (control == fSelected) return;
  fSelected = control;
  if (control)
    SelectingRef() = this;
  else if (SelectingRef() == this)
    SelectingRef() = nullptr;
  Invalidate();
  fLastMouse = BarCursorPos();
  if (control)
    UpdateBarHint(*fManager, this, control);
  else
    HideBarHint(*fManager);
}

void TCustomzbBarControl::SelectItem(TzbBarItemControl* control) {
  if (control == fSelected) return;
  if (fSelected && fSelected->Active) {
    fSelected->ControlInactivate(true);
    if (!IsAlive(this)) return;
  }
  if (control) control->SelectedByMouse = false;
  SetSelectedControl(control);
}

void TCustomzbBarControl::HotTrackItem(TzbBarItemControl* control) {
  if (!fWidget || control == fSelected) return;
  if (fSelected && fSelected->Active) {
    fSelected->ControlInactivate(false);
    if (!IsAlive(this)) return;
  }
  if (control) control->SelectedByMouse = true;
  SetSelectedControl(control);
  if (!IsAlive(this)) return;
  if (fSelected) fSelected->ControlActivate(false);
}

// ---------------------------------------------------------------- mouse

void TCustomzbBarControl::MouseDown(const TPoint& p, TzbMouseButton button) {
  if (fManager->Customizing() && CustomizingMouseDown(*this, p, button == mbRight)) return;
  if (button != mbLeft) return;
  if (IgnoreNextButtonUp || fLinks->ShownLinks().empty()) return;
  TzbBarItemControl* c = ControlAt(p);
  if (c && (!c->Enabled() || !c->CanSelect())) c = nullptr;
  if (!c) {
    HotTrackItem(nullptr);
    return;
  }
  SelectItem(c);
  if (!IsAlive(this) || fSelected != c) return;
  const bool isIdle = c->IsIdle();
  c->Pressed = isIdle;
  c->BeforeClick(true);
  if (!IsAlive(this)) return;
  if (fSelected == c && !IsMenu() && isIdle) {
    fCaptured = c;
    fCapturedPressed = true;
    Invalidate();
  } else if (IsAlive(this) && c == fSelected) {
    c->Pressed = false;
  }
}

void TCustomzbBarControl::MouseMove(const TPoint& p) {
  if (fClosing) return;
  if (fManager->Customizing() && CustomizingMouseMove(*this, p)) return;
  if (fCaptured) {
    const bool over = ControlAt(p) == fCaptured;
    if (over != fCapturedPressed) {
      fCapturedPressed = over;
      fCaptured->Pressed = over;
      Invalidate();
    }
    return;
  }
  if (!PtInRect(ClientRect(), p)) return;
  const TPoint screen = ClientToScreen(p);
  if (screen == fLastMouse) return;
  fLastMouse = screen;
  TzbBarItemControl* c = ControlAt(p);
  if (c && !c->CanSelect()) c = nullptr;
  if (!c) {
    if (!IsMenu() && fActive) return;
    if (fSelected && fSelected->HasSubMenu() && fSelected->Active) return;
  }
  HotTrackItem(c);
}

void TCustomzbBarControl::MouseUp(const TPoint& p, TzbMouseButton button) {
  if (fManager->Customizing() && CustomizingMouseUp(*this, p)) return;
  if (button != mbLeft) return;
  if (IgnoreNextButtonUp) {
    IgnoreNextButtonUp = false;
    return;
  }
  TzbBarItemControl* wasCaptured = fCaptured;
  const bool wasPressed = fCapturedPressed;
  fCaptured = nullptr;
  if (wasCaptured) {
    wasCaptured->Pressed = false;
    if (wasPressed && ControlAt(p) == wasCaptured && wasCaptured->Enabled()) {
      wasCaptured->DoClick();
      if (!IsAlive(this)) return;
    }
    if (IsAlive(this)) HideAll();
    return;
  }
  if (!fActive || !PtInRect(ClientRect(), p)) return;
  TzbBarItemControl* c = ControlAt(p);
  if (c && c == fSelected && c->Enabled()) {
    c->DoClick();
    return;
  }
  if (c && !c->Enabled() && !IsMenu()) HideAll();
}

void TCustomzbBarControl::DoubleClick(const TPoint& p) {
  if (fManager->Customizing() && CustomizingMouseDown(*this, p, false)) return;
  TzbBarItemControl* c = ControlAt(p);
  if (c && c->WantsDoubleClick()) {
    c->DblClick();
    return;
  }
  MouseDown(p, mbLeft);
}

void TCustomzbBarControl::PointerLeftWhileInactive() {
  if (!IsMenu() || !IsInChain()) return;
  const QPoint pointer = QCursor::pos();
  if (OnOpenMenu(*fManager, FromQPoint(pointer))) return;
  if (const QWidget* form = fManager->Form(); form && form->isVisible() && form->frameGeometry().contains(pointer))
    return;  // back on the form, which the window manager activates again
  HideAll();
}

void TCustomzbBarControl::MouseLeave() {
  if (ChildMenu || fManager->IsCustomizing() || fCaptured) return;
  if (fSelected && fSelected->Active && !IsMenu() && fActive) return;
  if (fSelected && fSelected->HasSubMenu() && fSelected->Active) return;
  HotTrackItem(nullptr);
}

// ---------------------------------------------------------------- keyboard

bool TCustomzbBarControl::AcceleratorKey(int key, unsigned shift) {
  const int vk = VirtualKeyOf(key);
  if (!((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) return false;
  TzbBarItemLink* start = fSelected ? &fSelected->Link() : nullptr;
  TzbBarItemLink* first = fLinks->FindAccelerator(vk, shift & ~ssAlt, start);
  if (!first || !first->Item() || !first->Item()->GetEnabled()) return true;
  int matches = 1;
  for (TzbBarItemLink* next = fLinks->FindAccelerator(vk, shift & ~ssAlt, first); next && next != first;
       next = fLinks->FindAccelerator(vk, shift & ~ssAlt, next)) {
    if (++matches > fLinks->Count()) break;
  }
  // A match among the links a personalized menu hides: the menu shows all its links first, so that
  // the entry can be selected (and run when it is the only one).
  if (IsMenu() && fManager->GetRealStyle() != bmsStandard) {
    const auto& shown = fLinks->ShownLinks();
    bool hidden = std::find(shown.begin(), shown.end(), first) == shown.end();
    for (TzbBarItemLink* next = fLinks->FindAccelerator(vk, shift & ~ssAlt, first); !hidden && next && next != first;
         next = fLinks->FindAccelerator(vk, shift & ~ssAlt, next))
      hidden = std::find(shown.begin(), shown.end(), next) == shown.end();
    if (hidden) {
      static_cast<TzbBarSubMenuControl*>(this)->Expand();
      if (!IsAlive(this)) return true;
    }
  }
  if (!first->Control()) return true;
  SelectItem(first->Control());
  if (!IsAlive(this)) return true;
  if (matches == 1) KeyDown(Qt::Key_Return, 0);
  return true;
}

bool TCustomzbBarControl::KeyDown(int key, unsigned shift) {
  if (!ChainHead()) return false;
  enum { kNone, kPrev, kNext } move = kNone;
  int k = key;
  if (!IsMenu() && IsVertical()) {
    if (k == Qt::Key_Left)
      k = Qt::Key_Up;
    else if (k == Qt::Key_Up)
      k = Qt::Key_Left;
    else if (k == Qt::Key_Right)
      k = Qt::Key_Down;
    else if (k == Qt::Key_Down)
      k = Qt::Key_Right;
  } else if (IsMenu()) {
    if (k == Qt::Key_Left || k == Qt::Key_Right) return false;  // left to the menu
    if (k == Qt::Key_Up)
      k = Qt::Key_Left;
    else if (k == Qt::Key_Down)
      k = Qt::Key_Right;
  }
  if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
    if (shift & ssCtrl) return true;  // switching bars with Ctrl+Tab is the toolbar's
    move = (k == Qt::Key_Backtab || (shift & ssShift)) ? kPrev : kNext;
  } else if (k == Qt::Key_Left) {
    move = kPrev;
  } else if (k == Qt::Key_Right) {
    move = kNext;
  } else if (k == Qt::Key_End || k == Qt::Key_Home) {
    TzbBarItemLink* l = k == Qt::Key_End ? fLinks->LastSelectable() : fLinks->FirstSelectable();
    if (l && l->Control()) SelectItem(l->Control());
    return true;
  } else if ((k == Qt::Key_F10 && fManager->UseF10ForMenu) || k == Qt::Key_Alt) {
    HideAll();
    return true;
  } else {
    return AcceleratorKey(key, shift);
  }
  TzbBarItemLink* l = nullptr;
  if (fSelected)
    l = move == kPrev ? fLinks->PrevSelectable(&fSelected->Link()) : fLinks->NextSelectable(&fSelected->Link());
  else
    l = fLinks->FirstSelectable();
  if (l && l->Control()) {
    SelectItem(l->Control());
    if (IsAlive(this) && (k == Qt::Key_Tab || k == Qt::Key_Backtab) && fSelected && fSelected->HasTextWindow())
      fSelected->Click(false);
  }
  return true;
}

// ---------------------------------------------------------------- painting

void TCustomzbBarControl::PostRecalculate() {
  if (fPostedRecalculate) return;
  fPostedRecalculate = true;
  TCustomzbBarControl* self = this;
  QTimer::singleShot(0, [self]() {
    if (!IsAlive(self)) return;
    self->fPostedRecalculate = false;
    self->RebuildLayout();
  });
}

void TCustomzbBarControl::RepaintControl(TzbBarItemControl&) { Invalidate(); }

void TCustomzbBarControl::Invalidate() {
  fDirty = true;
  if (fWidget) fWidget->update();
}

void TCustomzbBarControl::InvalidateClientRect(const TRect& r) {
  fDirty = true;
  if (!fWidget) return;
  const TRect in = ClientInsets();
  fWidget->update(ToQRect(r).translated(in.Left, in.Top));
}

void TCustomzbBarControl::ShowFrameNow(const TRect& r) {
  if (fWidget && fWidget->isVisible()) fWidget->repaint(ToQRect(r));
}

void TCustomzbBarControl::Flush() {
  if (fClosing) return;
  EnsureBuffer();
  if (!fDirty) return;
  fDirty = false;
  ++PaintCount;
  for (TCanvas* dc : {fCanvas.get(), fClientCanvas.get()}) {
    dc->Painter().save();
    dc->Painter().resetTransform();
    dc->Painter().setClipping(false);
  }
  Paint();
  for (TCanvas* dc : {fCanvas.get(), fClientCanvas.get()}) dc->Painter().restore();
  const TRect in = ClientInsets();
  fCanvas->Painter().drawImage(in.Left, in.Top, fClientBuffer);
}

void TCustomzbBarControl::PaintWidget(QWidget& widget) {
  Flush();
  QPainter p(&widget);
  p.drawImage(0, 0, fBuffer);
  PaintDropMark(*this, p);
}

void TCustomzbBarControl::NotifyUnplacedLinks() {
  if (fManager->Designing) return;
  const std::vector<TzbBarItemLink*> visible = fLinks->VisibleLinks();  // a copy: the items may act
  for (TzbBarItemLink* link : visible) {
    TzbBarItem* item = link->Item();
    if (!item || !item->NeedsPaintNotify()) continue;
    TzbBarItemControl* c = link->Control();
    if (c && !IsRectEmpty(GetItemRect(c))) continue;
    item->ControlPainted(c);
  }
}

void TCustomzbBarControl::PaintItem(TzbBarItemControl& control) {
  // Less used entries of an expanded personalized menu stand on the less-used brush.
  fItemBrush = control.NonRecent && !fManager->PainterClass().PaintsNonRecentItems() ? NonRecentBrush() : ItemBrush();
  control.Paint(GetItemRect(&control), ItemView());
  if (fManager->Customizing()) PaintCustomizingFrame(*this, control, GetItemRect(&control));
}

}  // namespace zyn
