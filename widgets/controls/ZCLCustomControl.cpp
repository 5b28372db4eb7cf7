#include "widgets/controls/ZCLCustomControl.h"

#include "widgets/controls/ZCLProcs.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QFocusEvent>
#include <QPaintEvent>
#include <algorithm>

namespace zyn {

namespace {
constexpr int kGripWidth = 16;   // the scroll bar width
constexpr int kGripHeight = 16;  // the scroll bar height
}  // namespace

TZCLCustomControl::TZCLCustomControl(QWidget* parent) : QWidget(parent) {
  resize(100, 40);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover, true);
}

void TZCLCustomControl::EndUpdate(bool changed) {
  if (updateCount_ > 0) --updateCount_;
  if (updateCount_ == 0 && changed) Change();
}

void TZCLCustomControl::EndLoading() {
  loading_ = false;
  Loaded();
}

void TZCLCustomControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Change();
}

void TZCLCustomControl::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Change();
}

void TZCLCustomControl::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  setAttribute(Qt::WA_OpaquePaintEvent, !value);
  Change();
}

void TZCLCustomControl::SetCtlXP(bool value) {
  if (value == ctlXP_) return;
  ctlXP_ = value;
  Change();
}

void TZCLCustomControl::SetFaceController(TZCLFaceController* controller) {
  if (controller == faceController_) return;
  if (faceController_) faceController_->RemoveClient(this);
  faceController_ = controller;
  if (controller) controller->AddClient(this);  // repainted when the controller changes
  Change();
}

TColor TZCLCustomControl::EffectiveColor() const {
  return faceController_ ? faceController_->GetColor(this) : color_;
}

bool TZCLCustomControl::EffectiveTransparent() const {
  return faceController_ ? faceController_->GetTransparent(this) : transparent_;
}

void TZCLCustomControl::SetFontColor(TColor value) {
  if (value == fontColor_) return;
  fontColor_ = value;
  Change();
}

TRect TZCLCustomControl::ClientRect() const {
  const int b = BorderExtent();
  return Rect(b, b, width() - b, height() - b);
}

void TZCLCustomControl::Change() {
  if (!IsUpdating()) update();
}

void TZCLCustomControl::Paint(TCanvas& canvas) {
  if (!EffectiveTransparent()) {
    canvas.Brush = TBrush{EffectiveColor(), bsSolid, QImage()};
    canvas.FillRect(Rect(0, 0, width(), height()));
  }
  if (ShowsFlatLook()) PaintFlatBorder(canvas);
}

void TZCLCustomControl::PaintFlatBorder(TCanvas& canvas) {
  if (!flat_) return;
  canvas.Brush = TBrush{clBtnFace, bsSolid, QImage()};
  canvas.FrameRect(Rect(0, 0, width(), height()));
  canvas.FrameRect(Rect(1, 1, width() - 1, height() - 1));
}

void TZCLCustomControl::PaintHotBorder(TCanvas& canvas) {
  TRect r = Rect(0, 0, width(), height());
  canvas.Brush = TBrush{clWindowFrame, bsSolid, QImage()};
  canvas.FrameRect(Rect(1, 1, r.Right, r.Bottom));
  canvas.Brush.Color = clBtnFace;
  canvas.FrameRect(Rect(1, 1, r.Right - 1, r.Bottom - 1));
  canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
}

void TZCLCustomControl::paintEvent(QPaintEvent*) {
  if (loading_) return;
  TCanvas canvas(static_cast<QPaintDevice*>(this));
  canvas.Font.Font = font();
  Paint(canvas);
}

void TZCLCustomControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  entered_ = true;
  if (OnEnter) OnEnter(this);
  QMetaObject::invokeMethod(this, [this] {
    if (OnAfterEnter) OnAfterEnter(this);
    if (faceController_) Change();
  }, Qt::QueuedConnection);
  if (flat_) update();
}

void TZCLCustomControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  entered_ = false;
  if (OnExit) OnExit(this);
  QMetaObject::invokeMethod(this, [this] {
    if (OnAfterExit) OnAfterExit(this);
    if (faceController_) Change();
  }, Qt::QueuedConnection);
  if (flat_) update();
}

void TZCLCustomControl::MouseEntered() {
  if (OnMouseEnter) OnMouseEnter(this);
  hot_ = true;
  if (flat_ || faceController_) update();
}

void TZCLCustomControl::MouseLeft() {
  hot_ = false;
  if (flat_ || faceController_) update();
  if (OnMouseExit) OnMouseExit(this);
}

void TZCLCustomControl::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  MouseEntered();
}

void TZCLCustomControl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  MouseLeft();
}

void TZCLCustomControl::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && !transparent_) update();
}

TZCLCustomPanel::TZCLCustomPanel(QWidget* parent) : TZCLCustomControl(parent) {}

TZCLCustomBevelPanel::TZCLCustomBevelPanel(QWidget* parent)
    : TZCLCustomPanel(parent), bevel_(std::make_unique<TZCLBevel>()) {
  bevel_->SetUseWindowBorder(true);
  bevel_->SetOwner(this);
  bevel_->OnChange = [this](QObject*) { BevelChanged(); };
}

int TZCLCustomBevelPanel::BorderExtent() const { return bevel_->Mode() == bmWindows ? 2 : 0; }

TRect TZCLCustomBevelPanel::BevelClientRect() const { return bevel_->ClientRectOf(ClientRect()); }

void TZCLCustomBevelPanel::BevelChanged() { Change(); }

void TZCLCustomBevelPanel::PaintFrame(TCanvas& canvas) {
  if (bevel_->Mode() == bmWindows) {
    TRect r = Rect(0, 0, width(), height());
    canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT);
  }
  bevel_->PaintBevel(canvas, ClientRect(), Transparent());
}

void TZCLCustomBevelPanel::Paint(TCanvas& canvas) {
  if (!EffectiveTransparent()) {
    canvas.Brush = TBrush{EffectiveColor(), bsSolid, QImage()};
    canvas.FillRect(Rect(0, 0, width(), height()));
  }
  if (ShowsFlatLook()) PaintFlatBorder(canvas);
  else if (Flat() && IsHot() && !hasFocus()) PaintHotBorder(canvas);
  else PaintFrame(canvas);
  if (SizeGrip()) canvas.DrawFrameControl(SizeGripRect(), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

TRect TZCLCustomBevelPanel::SizeGripRect() const {
  const TRect inner = BevelClientRect();
  return Rect(inner.Right - kGripWidth, inner.Bottom - kGripHeight, inner.Right, inner.Bottom);
}

void TZCLCustomBevelPanel::PaintFlatBorder(TCanvas& canvas) {
  if (bevel_->Mode() == bmWindows) {
    TZCLCustomPanel::PaintFlatBorder(canvas);
    return;
  }
  const int e = bevel_->BevelExtent();
  const int w = width(), h = height();
  canvas.Brush = TBrush{Color(), bsSolid, QImage()};
  canvas.FillRect(Rect(0, 0, w, e));
  canvas.FillRect(Rect(0, 0, e, h));
  canvas.FillRect(Rect(e, h - bevel_->BevelExtentRight(), w, h));
  canvas.FillRect(Rect(w - bevel_->BevelExtentRight(), 0, w, h));
}

void TZCLCustomBevelPanel::PaintHotBorder(TCanvas& canvas) {
  if (bevel_->Mode() == bmWindows) TZCLCustomPanel::PaintHotBorder(canvas);
  else PaintFrame(canvas);
}

// ---------------------------------------------------------------- user move and resize

void TZCLCustomControl::SetSizeGrip(bool value) {
  if (value == sizeGrip_) return;
  sizeGrip_ = value;
  update();
}

TRect TZCLCustomControl::SizeGripRect() const {
  return Rect(width() - kGripWidth, height() - kGripHeight, width(), height());
}

int TZCLCustomControl::UserHitTest(const QPoint& p) const {
  constexpr int HTCLIENT = 1, HTCAPTION = 2, HTBOTTOMRIGHT = 17;
  if (userResizable_ || sizeGrip_) {
    if (sizeGrip_ && PtInRect(SizeGripRect(), TPoint{p.x(), p.y()})) return HTBOTTOMRIGHT;
    if (userResizable_) {
      const int code = SizingGripHitTest(TPoint{p.x(), p.y()}, Rect(0, 0, width(), height()), resizeBorderWidth_);
      if (code != 0) return code;
    }
  }
  if (userMovable_) {
    QWidget* child = childAt(p);
    if (moveOverChildren_ || !child) return HTCAPTION;
  }
  return HTCLIENT;
}

bool TZCLCustomControl::UserDrag(QEvent* event) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint global = mouse->globalPosition().toPoint();
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      if (mouse->button() != Qt::LeftButton) return false;
      const int code = UserHitTest(mouse->position().toPoint());
      if (code <= 1) return false;
      dragCode_ = code;
      dragStart_ = global;
      dragGeometry_ = geometry();
      moved_ = false;
      if (bringToTop_) raise();
      return true;
    }
    case QEvent::MouseMove: {
      if (dragCode_ == 0) return false;
      const QPoint d = global - dragStart_;
      QRect g = dragGeometry_;
      const int minimum = 2 * resizeBorderWidth_;
      switch (dragCode_) {
        case 2: g.translate(d); break;
        case 10: g.setLeft(std::min(g.left() + d.x(), g.right() - minimum + 1)); break;
        case 11: g.setRight(std::max(g.right() + d.x(), g.left() + minimum - 1)); break;
        case 12: g.setTop(std::min(g.top() + d.y(), g.bottom() - minimum + 1)); break;
        case 15: g.setBottom(std::max(g.bottom() + d.y(), g.top() + minimum - 1)); break;
        case 13:
          g.setLeft(std::min(g.left() + d.x(), g.right() - minimum + 1));
          g.setTop(std::min(g.top() + d.y(), g.bottom() - minimum + 1));
          break;
        case 14:
          g.setRight(std::max(g.right() + d.x(), g.left() + minimum - 1));
          g.setTop(std::min(g.top() + d.y(), g.bottom() - minimum + 1));
          break;
        case 16:
          g.setLeft(std::min(g.left() + d.x(), g.right() - minimum + 1));
          g.setBottom(std::max(g.bottom() + d.y(), g.top() + minimum - 1));
          break;
        case 17:
          g.setRight(std::max(g.right() + d.x(), g.left() + minimum - 1));
          g.setBottom(std::max(g.bottom() + d.y(), g.top() + minimum - 1));
          break;
        default: break;
      }
      if (g != geometry()) {
        setGeometry(g);
        moved_ = true;
      }
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (dragCode_ == 0) return false;
      dragCode_ = 0;
      if (moved_) {
        moved_ = false;
        if (OnMoved) OnMoved(this);
      }
      return true;
    }
    default: return false;
  }
}

bool TZCLCustomControl::event(QEvent* event) {
  const QEvent::Type t = event->type();
  if ((t == QEvent::MouseButtonPress || t == QEvent::MouseMove || t == QEvent::MouseButtonRelease) &&
      (userMovable_ || userResizable_ || sizeGrip_ || dragCode_ != 0) && UserDrag(event))
    return true;
  return QWidget::event(event);
}

}  // namespace zyn
