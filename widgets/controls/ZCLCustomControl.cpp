#include "widgets/controls/ZCLCustomControl.h"

#include "widgets/controls/ZCLCustomContainer.h"
#include "widgets/controls/ZCLProcs.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>

namespace zyn {

namespace {
constexpr int kGripWidth = 16;   // the scroll bar width
constexpr int kGripHeight = 16;  // the scroll bar height
}  // namespace

TZCLCustomControl::TZCLCustomControl(QWidget* parent)
    : QWidget(parent), fBackFX(std::make_unique<TZCLBitmapEffectObject>()) {
  resize(100, 40);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover, true);
  fBackFX->OnChange = [this](QObject*) { Change(); };
  fImageLink.OnChange = [this](QObject*) { ImageChanged(); };
}

TZCLCustomControl::~TZCLCustomControl() {
  if (ImageList()) fImageList->UnregisterLink(&fImageLink);
}

void TZCLCustomControl::SetImageList(TZCLCustomImageList* list) {
  if (list == ImageList()) return;
  if (ImageList()) fImageList->UnregisterLink(&fImageLink);
  fImageList = list;
  if (fImageList) fImageList->RegisterLink(&fImageLink);
  ImageChanged();
}

void TZCLCustomControl::SetImageIndex(int value) {
  if (value < 0 || value == fImageIndex) return;
  fImageIndex = value;
  ImageChanged();
}

void TZCLCustomControl::SetListIndex(int value) {
  if (value < 0 || value == fListIndex) return;
  fListIndex = value;
  ImageChanged();
}

bool TZCLCustomControl::BackgroundAvailable() const {
  auto* self = const_cast<TZCLCustomControl*>(this);
  return !EffectiveTransparent() || self->UsesBackground();
}

TZCLBitmapEffectObject* TZCLCustomControl::EffectiveBackFX() const {
  if (fFaceController)
    if (TZCLBitmapEffectObject* effects = fFaceController->GetBitmapEffect(this)) return effects;
  return fBackFX.get();
}

const TZCLFillObject* TZCLCustomControl::EffectiveFill() const {
  return fFaceController ? fFaceController->GetFill(this) : nullptr;
}

QImage TZCLCustomControl::BackgroundBitmap() const {
  return ZCLBackgroundPicture(const_cast<TZCLCustomControl*>(this), EffectiveTransparent(), EffectiveColor(),
                              EffectiveBackFX(), EffectiveFill());
}

void TZCLCustomControl::BackgroundRefresh() {
  update();
  for (QObject* user : BackgroundUsers())
    if (IZCLBackground* b = ZCLQueryBackground(user)) b->BackgroundRefresh();
}

void TZCLCustomControl::FillBackground(TCanvas& canvas, const TRect& r, TColor color) {
  ZCLPaintBackground(this, canvas, r, EffectiveTransparent(), color, EffectiveBackFX(), EffectiveFill());
}

bool TZCLCustomControl::BackgroundFollowsBounds() {
  const TZCLBitmapEffectObject* effects = EffectiveBackFX();
  return UsesBackground() || (effects && effects->IsActive());
}

void TZCLCustomControl::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (BackgroundFollowsBounds()) BackgroundRefresh();  // another part lies under it now
}

void TZCLCustomControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (BackgroundFollowsBounds()) BackgroundRefresh();
}

void TZCLCustomControl::EndUpdate(bool changed) {
  if (fUpdateCount > 0) --fUpdateCount;
  if (fUpdateCount == 0 && changed) Change();
}

void TZCLCustomControl::EndLoading() {
  fLoading = false;
  Loaded();
}

void TZCLCustomControl::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  Change();
}

void TZCLCustomControl::SetFlat(bool value) {
  if (value == fFlat) return;
  fFlat = value;
  Change();
}

void TZCLCustomControl::SetTransparent(bool value) {
  if (value == fTransparent) return;
  fTransparent = value;
  setAttribute(Qt::WA_OpaquePaintEvent, !value);
  Change();
  for (QObject* user : BackgroundUsers())  // the children on it see another background
    if (IZCLBackground* b = ZCLQueryBackground(user)) b->BackgroundRefresh();
}

void TZCLCustomControl::SetCtlXP(bool value) {
  if (value == fCtlXP) return;
  fCtlXP = value;
  Change();
}

void TZCLCustomControl::SetFaceController(TZCLFaceController* controller) {
  if (controller == fFaceController) return;
  if (fFaceController) fFaceController->RemoveClient(this);
  fFaceController = controller;
  if (controller) controller->AddClient(this);  // repainted when the controller changes
  Change();
}

TColor TZCLCustomControl::EffectiveColor() const { return fFaceController ? fFaceController->GetColor(this) : fColor; }

bool TZCLCustomControl::EffectiveTransparent() const {
  return fFaceController ? fFaceController->GetTransparent(this) : fTransparent;
}

void TZCLCustomControl::SetFontColor(TColor value) {
  if (value == fFontColor) return;
  fFontColor = value;
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
  FillBackground(canvas, Rect(0, 0, width(), height()), EffectiveColor());
  if (ShowsFlatLook()) PaintFlatBorder(canvas);
}

void TZCLCustomControl::PaintFlatBorder(TCanvas& canvas) {
  if (!fFlat) return;
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
  if (fLoading) return;
  TCanvas canvas(static_cast<QPaintDevice*>(this));
  canvas.Font.Font = font();
  Paint(canvas);
}

void TZCLCustomControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  fEntered = true;
  if (OnEnter) OnEnter(this);
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (OnAfterEnter) OnAfterEnter(this);
        if (fFaceController) Change();
      },
      Qt::QueuedConnection);
  if (fFlat) update();
}

void TZCLCustomControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  fEntered = false;
  if (OnExit) OnExit(this);
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (OnAfterExit) OnAfterExit(this);
        if (fFaceController) Change();
      },
      Qt::QueuedConnection);
  if (fFlat) update();
}

void TZCLCustomControl::MouseEntered() {
  if (OnMouseEnter) OnMouseEnter(this);
  fHot = true;
  if (fFlat || fFaceController) update();
}

void TZCLCustomControl::MouseLeft() {
  fHot = false;
  if (fFlat || fFaceController) update();
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
  if (event->type() == QEvent::PaletteChange && !fTransparent) update();
  if (event->type() == QEvent::ThemeChange) update();  // another look of the visual style
}

TZCLCustomPanel::TZCLCustomPanel(QWidget* parent) : TZCLCustomControl(parent) {}

TZCLCustomBevelPanel::TZCLCustomBevelPanel(QWidget* parent)
    : TZCLCustomPanel(parent), fBevel(std::make_unique<TZCLBevel>()) {
  fBevel->SetUseWindowBorder(true);
  fBevel->SetOwner(this);
  fBevel->OnChange = [this](QObject*) { BevelChanged(); };
}

int TZCLCustomBevelPanel::BorderExtent() const { return fBevel->Mode() == bmWindows ? 2 : 0; }

TRect TZCLCustomBevelPanel::BevelClientRect() const { return fBevel->ClientRectOf(ClientRect()); }

void TZCLCustomBevelPanel::BevelChanged() { Change(); }

void TZCLCustomBevelPanel::PaintFrame(TCanvas& canvas) {
  if (fBevel->Mode() == bmWindows) {
    TRect r = Rect(0, 0, width(), height());
    canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT);
  }
  fBevel->PaintBevel(canvas, ClientRect(), Transparent());
}

void TZCLCustomBevelPanel::Paint(TCanvas& canvas) {
  FillBackground(canvas, Rect(0, 0, width(), height()), EffectiveColor());
  if (ShowsFlatLook())
    PaintFlatBorder(canvas);
  else if (Flat() && IsHot() && !hasFocus())
    PaintHotBorder(canvas);
  else
    PaintFrame(canvas);
  if (SizeGrip()) canvas.DrawFrameControl(SizeGripRect(), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

TRect TZCLCustomBevelPanel::SizeGripRect() const {
  const TRect inner = BevelClientRect();
  return Rect(inner.Right - kGripWidth, inner.Bottom - kGripHeight, inner.Right, inner.Bottom);
}

void TZCLCustomBevelPanel::PaintFlatBorder(TCanvas& canvas) {
  if (fBevel->Mode() == bmWindows) {
    TZCLCustomPanel::PaintFlatBorder(canvas);
    return;
  }
  const int e = fBevel->BevelExtent();
  const int w = width(), h = height();
  canvas.Brush = TBrush{Color(), bsSolid, QImage()};
  canvas.FillRect(Rect(0, 0, w, e));
  canvas.FillRect(Rect(0, 0, e, h));
  canvas.FillRect(Rect(e, h - fBevel->BevelExtentRight(), w, h));
  canvas.FillRect(Rect(w - fBevel->BevelExtentRight(), 0, w, h));
}

void TZCLCustomBevelPanel::PaintHotBorder(TCanvas& canvas) {
  if (fBevel->Mode() == bmWindows)
    TZCLCustomPanel::PaintHotBorder(canvas);
  else
    PaintFrame(canvas);
}

// ---------------------------------------------------------------- user move and resize

void TZCLCustomControl::SetSizeGrip(bool value) {
  if (value == fSizeGrip) return;
  fSizeGrip = value;
  update();
}

TRect TZCLCustomControl::SizeGripRect() const {
  return Rect(width() - kGripWidth, height() - kGripHeight, width(), height());
}

int TZCLCustomControl::UserHitTest(const QPoint& p) const {
  constexpr int HTCLIENT = 1, HTCAPTION = 2, HTBOTTOMRIGHT = 17;
  if (fUserResizable || fSizeGrip) {
    if (fSizeGrip && PtInRect(SizeGripRect(), TPoint{p.x(), p.y()})) return HTBOTTOMRIGHT;
    if (fUserResizable) {
      const int code = SizingGripHitTest(TPoint{p.x(), p.y()}, Rect(0, 0, width(), height()), fResizeBorderWidth);
      if (code != 0) return code;
    }
  }
  if (fUserMovable) {
    QWidget* child = childAt(p);
    if (fMoveOverChildren || !child) return HTCAPTION;
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
      fDragCode = code;
      fDragStart = global;
      fDragGeometry = geometry();
      fMoved = false;
      if (fBringToTop) raise();
      return true;
    }
    case QEvent::MouseMove: {
      if (fDragCode == 0) return false;
      const QPoint d = global - fDragStart;
      QRect g = fDragGeometry;
      const int minimum = 2 * fResizeBorderWidth;
      switch (fDragCode) {
        case 2:
          g.translate(d);
          break;
        case 10:
          g.setLeft(std::min(g.left() + d.x(), g.right() - minimum + 1));
          break;
        case 11:
          g.setRight(std::max(g.right() + d.x(), g.left() + minimum - 1));
          break;
        case 12:
          g.setTop(std::min(g.top() + d.y(), g.bottom() - minimum + 1));
          break;
        case 15:
          g.setBottom(std::max(g.bottom() + d.y(), g.top() + minimum - 1));
          break;
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
        default:
          break;
      }
      if (g != geometry()) {
        setGeometry(g);
        fMoved = true;
      }
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (fDragCode == 0) return false;
      fDragCode = 0;
      if (fMoved) {
        fMoved = false;
        if (OnMoved) OnMoved(this);
      }
      return true;
    }
    default:
      return false;
  }
}

bool TZCLCustomControl::event(QEvent* event) {
  const QEvent::Type t = event->type();
  if ((t == QEvent::MouseButtonPress || t == QEvent::MouseMove || t == QEvent::MouseButtonRelease) &&
      (fUserMovable || fUserResizable || fSizeGrip || fDragCode != 0) && UserDrag(event))
    return true;
  return QWidget::event(event);
}

}  // namespace zyn
